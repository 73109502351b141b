#include "decompiler/SourceWriter.h"

#include <set>

namespace orvane {

namespace {

/// The most text one block prints.
constexpr std::size_t kMaxSourceText = std::size_t{64} << 20;

std::string blanks(int indent) { return std::string(static_cast<std::size_t>(indent) * 4, ' '); }

class Printer {
 public:
  Printer(std::set<std::size_t> labels, const SourceStyle& style) : m_labels(std::move(labels)), m_style(style) {}

  std::string expression(const Expression& e, int indent) const;
  /// A value whose truth alone counts (the test of an if, a loop or ?:, an operand of
  /// `and`): false and undefined need not be told apart.
  std::string condition(const Expression& e, int indent) const;
  void statements(const StatementList& list, int indent, std::string& out) const;

 private:
  std::string operand(const Expression& e, int indent, bool parenthesise) const {
    std::string text = expression(e, indent);
    return parenthesise ? "(" + text + ")" : text;
  }
  std::string arguments(const Expression& e, std::size_t first, int indent) const;
  std::string binary(Operation op, const Expression& left, const Expression& right, int indent,
                     bool conditions = false) const;
  /// The Flash 4 operation `op` of `left` and `right` as the operators of later versions
  /// write it, or none (in the Flash 4 dialect, and for every other operation).
  ExpressionPtr laterForm(Operation op, const ExpressionPtr& left, const ExpressionPtr& right, bool condition) const;
  std::string function(const SourceFunction& function, int indent) const;
  /// The object of a member access, in parentheses where it binds less tightly.
  std::string memberBase(const Expression& object, int indent) const;
  /// A member's name after the dot (`x`, `@x`, `N::x`), or none where it needs brackets.
  std::string dottedName(const Expression& name, int indent) const;
  std::string typeSuffix(const ExpressionPtr& type, int indent) const {
    return type ? ":" + expression(*type, indent) : std::string();
  }
  /// Whether `!` of an operation prints as its inverse.
  bool inverts(Operation op) const;
  void statement(const Statement& s, int indent, std::string& out) const;
  void block(const StatementList& body, int indent, std::string& out) const;
  std::string inlineStatement(const Statement& s, int indent) const;
  void ifChain(const Statement& s, int indent, std::string& out) const;
  void classBody(const ClassDefinition& klass, int indent, std::string& out) const;

  std::set<std::size_t> m_labels;
  const SourceStyle& m_style;
  mutable bool m_cut = false;  // the text reached kMaxSourceText
};

bool isComma(const Expression& e) { return e.kind == ExpressionKind::Binary && e.operation == Operation::Comma; }

std::string Printer::arguments(const Expression& e, std::size_t first, int indent) const {
  std::string text = "(";
  for (std::size_t i = first; i < e.operands.size(); ++i) {
    if (i > first) text += ", ";
    text += operand(*e.operands[i], indent, isComma(*e.operands[i]));
  }
  return text + ")";
}

std::string Printer::binary(Operation op, const Expression& left, const Expression& right, int indent,
                            bool conditions) const {
  const OperationInfo& info = operationInfo(op);
  const int p = info.precedence;
  // The operand on the side the operator groups from needs no parentheses at equal precedence.
  const bool groupsLeft = info.associativity == Associativity::Left;
  auto side = [&](const Expression& e, bool parenthesise) {
    std::string text = conditions ? condition(e, indent) : expression(e, indent);
    return parenthesise ? "(" + text + ")" : text;
  };
  return side(left, groupsLeft ? precedence(left) < p : precedence(left) <= p) + " " + std::string(info.spelling) + " " +
         side(right, groupsLeft ? precedence(right) <= p : precedence(right) < p);
}

/// Whether the value is a number as it stands.
bool isNumeric(const Expression& e) { return e.isNumber || operationInfo(e.operation).numeric; }

/// Number(e), or e when it is a number already.
ExpressionPtr asNumber(const ExpressionPtr& e) { return isNumeric(*e) ? e : makeConversion(Operation::ToNumber, e); }

bool isNumberLiteral(const Expression& e) { return e.kind == ExpressionKind::Literal && e.isNumber && e.number == e.number; }

ExpressionPtr Printer::laterForm(Operation op, const ExpressionPtr& left, const ExpressionPtr& right,
                                 bool condition) const {
  if (m_style.dialect != SourceDialect::ActionScript) return nullptr;
  switch (op) {
    case Operation::NumericAdd:
    case Operation::Increment:
      return makeBinary(Operation::Add, asNumber(left), asNumber(right));
    case Operation::NumericEqual:
    case Operation::NumericNotEqual: {
      const Operation compare = op == Operation::NumericEqual ? Operation::Equal : Operation::NotEqual;
      // == of numbers holds for NaN and NaN, which the numeric compare does not: a number
      // beside NaN cannot both be NaN; else the difference is 0 exactly when they are equal
      // (and not both the same infinity), converted as the compare converts, right first.
      if (isNumberLiteral(*left) || isNumberLiteral(*right)) return makeBinary(compare, asNumber(left), asNumber(right));
      return makeBinary(compare, makeBinary(Operation::Subtract, left, right), makeNumber(0));
    }
    case Operation::NumericLess: {
      // < of numbers is undefined where NaN takes part, the numeric compare false.
      ExpressionPtr less = makeBinary(Operation::Less, asNumber(left), asNumber(right));
      if (condition) return less;
      return makeUnary(Operation::Not, makeBinary(Operation::GreaterOrEqual, asNumber(left), asNumber(right)));
    }
    case Operation::NumericGreaterOrEqual:
      return makeBinary(Operation::GreaterOrEqual, asNumber(left), asNumber(right));
    case Operation::NumericAddAssign:
      return makeAssign(Operation::Assign, left, makeBinary(Operation::Add, asNumber(left), asNumber(right)));
    default:
      return nullptr;
  }
}

std::string Printer::condition(const Expression& e, int indent) const {
  if (e.kind != ExpressionKind::Binary) return expression(e, indent);
  switch (e.operation) {
    case Operation::NumericLess:
      if (ExpressionPtr later = laterForm(e.operation, e.operands[0], e.operands[1], true))
        return expression(*later, indent);
      break;
    case Operation::LogicalAnd:
    case Operation::LogicalOr:
      return binary(e.operation, *e.operands[0], *e.operands[1], indent, true);
    default:
      break;
  }
  return expression(e, indent);
}

std::string Printer::function(const SourceFunction& function, int indent) const {
  std::string text = function.name.empty() ? "function (" : "function " + function.name + "(";
  for (std::size_t i = 0; i < function.parameters.size(); ++i) {
    text += (i > 0 ? ", " : "") + function.parameters[i];
    if (i < function.parameterTypes.size()) text += typeSuffix(function.parameterTypes[i], indent);
  }
  text += ")" + typeSuffix(function.returnType, indent) + " {\n";
  statements(function.body, indent + 1, text);
  return text + blanks(indent) + "}";
}

bool Printer::inverts(Operation op) const {
  if (m_style.invertsRelations) return true;
  return op == Operation::Equal || op == Operation::NotEqual || op == Operation::StrictEqual ||
         op == Operation::StrictNotEqual;
}

std::string Printer::memberBase(const Expression& object, int indent) const {
  return operand(object, indent,
                 precedence(object) < kMemberPrecedence || object.isNumber || object.kind == ExpressionKind::Function ||
                     object.kind == ExpressionKind::VectorLiteral);
}

std::string Printer::dottedName(const Expression& name, int indent) const {
  if (const std::string* text = stringValue(name); text != nullptr && m_style.isIdentifier(*text)) return *text;
  if (name.kind == ExpressionKind::NamespacedName) return expression(name, indent);
  if (name.kind == ExpressionKind::Attribute) return expression(name, indent);
  return {};
}

std::string Printer::expression(const Expression& e, int indent) const {
  switch (e.kind) {
    case ExpressionKind::Literal:
    case ExpressionKind::Identifier:
    case ExpressionKind::Register:
    case ExpressionKind::Empty:
    case ExpressionKind::Raw:
      return e.text;
    case ExpressionKind::QualifiedName:
      return m_style.names != nullptr ? m_style.names->reference(e.names[0], e.text) : e.text;
    case ExpressionKind::NamespacedName:
      if (!e.operands.empty()) return operand(*e.operands[0], indent, precedence(*e.operands[0]) < kPrimaryPrecedence) + "::" + e.text;
      return m_style.names != nullptr ? m_style.names->namespaceReference(e.names[0]) + "::" + e.text : e.text;
    case ExpressionKind::TypeApplication: {
      std::string text = arguments(e, 1, indent);
      return expression(*e.operands[0], indent) + ".<" + text.substr(1, text.size() - 2) + ">";
    }
    case ExpressionKind::TypedName:
      return e.operands.empty() ? e.text : e.text + typeSuffix(e.operands[0], indent);
    case ExpressionKind::Attribute: {
      const std::string name = dottedName(*e.operands[0], indent);
      return "@" + (name.empty() ? "[" + expression(*e.operands[0], indent) + "]" : name);
    }
    case ExpressionKind::Member:
    case ExpressionKind::Descendants: {
      const std::string base = memberBase(*e.operands[0], indent);
      const char* dots = e.kind == ExpressionKind::Member ? "." : "..";
      if (const std::string name = dottedName(*e.operands[1], indent); !name.empty()) return base + dots + name;
      // Descendants by a computed name: the XML method that the operator stands for.
      if (e.kind == ExpressionKind::Descendants) return base + ".descendants(" + expression(*e.operands[1], indent) + ")";
      return base + "[" + expression(*e.operands[1], indent) + "]";
    }
    case ExpressionKind::Filter:
      return memberBase(*e.operands[0], indent) + ".(" + expression(*e.operands[1], indent) + ")";
    case ExpressionKind::Call: {
      const Expression& callee = *e.operands[0];
      return operand(callee, indent, precedence(callee) < kMemberPrecedence || callee.kind == ExpressionKind::New) +
             arguments(e, 1, indent);
    }
    case ExpressionKind::New: {
      const Expression& constructor = *e.operands[0];
      bool plain = true;
      for (const Expression* part = &constructor; plain;) {
        if (part->kind == ExpressionKind::Member) {
          part = part->operands[0].get();
        } else {
          plain = part->kind == ExpressionKind::Identifier || part->kind == ExpressionKind::Register ||
                  part->kind == ExpressionKind::QualifiedName || part->kind == ExpressionKind::NamespacedName ||
                  part->kind == ExpressionKind::TypeApplication;
          break;
        }
      }
      return "new " + operand(constructor, indent, !plain) + arguments(e, 1, indent);
    }
    case ExpressionKind::ArrayLiteral: {
      std::string text = arguments(e, 0, indent);
      return "[" + text.substr(1, text.size() - 2) + "]";
    }
    case ExpressionKind::VectorLiteral: {
      std::string text = arguments(e, 1, indent);
      return "new <" + expression(*e.operands[0], indent) + ">[" + text.substr(1, text.size() - 2) + "]";
    }
    case ExpressionKind::ObjectLiteral: {
      std::string text = "{";
      for (std::size_t i = 0; i < e.operands.size(); ++i) {
        if (i > 0) text += ", ";
        const std::string& name = e.names[i];
        text += (m_style.isIdentifier(name) ? name : quotedText(name)) + ": " + operand(*e.operands[i], indent, isComma(*e.operands[i]));
      }
      return text + "}";
    }
    case ExpressionKind::Unary: {
      const Expression& value = *e.operands[0];
      if (e.operation == Operation::Not && value.kind == ExpressionKind::Binary) {
        if (const Operation inverse = operationInfo(value.operation).inverse;
            inverse != Operation::None && inverts(value.operation)) {
          if (ExpressionPtr later = laterForm(inverse, value.operands[0], value.operands[1], false))
            return expression(*later, indent);
          return binary(inverse, *value.operands[0], *value.operands[1], indent);
        }
      }
      const OperationInfo& info = operationInfo(e.operation);
      // -(-x), not the decrement --x.
      const bool sameSign = e.operation == Operation::Negate &&
                            (value.operation == Operation::Negate || (value.isNumber && value.text.front() == '-'));
      return std::string(info.spelling) + operand(value, indent, precedence(value) < info.precedence || sameSign);
    }
    case ExpressionKind::Postfix:
      return operand(*e.operands[0], indent, precedence(*e.operands[0]) < kMemberPrecedence) +
             std::string(operationInfo(e.operation).spelling);
    case ExpressionKind::Binary:
      if (ExpressionPtr later = laterForm(e.operation, e.operands[0], e.operands[1], false))
        return expression(*later, indent);
      // `and` and `or` take the truth of each operand.
      return binary(e.operation, *e.operands[0], *e.operands[1], indent,
                    e.operation == Operation::And || e.operation == Operation::Or);
    case ExpressionKind::Conditional: {
      const std::string test = condition(*e.operands[0], indent);
      return (precedence(*e.operands[0]) <= 2 ? "(" + test + ")" : test) + " ? " +
             operand(*e.operands[1], indent, precedence(*e.operands[1]) < 1) + " : " +
             operand(*e.operands[2], indent, precedence(*e.operands[2]) < 1);
    }
    case ExpressionKind::Assign:
      if (ExpressionPtr later = laterForm(e.operation, e.operands[0], e.operands[1], false))
        return expression(*later, indent);
      return operand(*e.operands[0], indent, precedence(*e.operands[0]) < kMemberPrecedence) + " " +
             std::string(operationInfo(e.operation).spelling) + " " + operand(*e.operands[1], indent, isComma(*e.operands[1]));
    case ExpressionKind::Function:
      return function(*e.function, indent);
    case ExpressionKind::Enumeration:
      return expression(*e.operands[0], indent);
  }
  return e.text;
}

void Printer::block(const StatementList& body, int indent, std::string& out) const {
  out += " {\n";
  statements(body, indent + 1, out);
  out += blanks(indent) + "}";
}

/// Whether a statement of the value would begin with `function` or `{`, which a statement
/// reads as a declaration or a block.
bool beginsLikeStatement(const Expression& e) {
  const Expression* first = &e;
  while (true) {
    switch (first->kind) {
      case ExpressionKind::Member:
      case ExpressionKind::Call:
      case ExpressionKind::Binary:
      case ExpressionKind::Postfix:
      case ExpressionKind::Assign:
      case ExpressionKind::Conditional:
        // Operands of lower precedence than their place are parenthesised anyway.
        if (precedence(*first->operands[0]) < precedence(*first)) return false;
        first = first->operands[0].get();
        break;
      default:
        return first->kind == ExpressionKind::ObjectLiteral || first->kind == ExpressionKind::Function;
    }
  }
}

std::string Printer::inlineStatement(const Statement& s, int indent) const {
  if (s.kind == StatementKind::Var)
    return "var " + s.name + typeSuffix(s.type, indent) +
           (s.value ? " = " + operand(*s.value, indent, isComma(*s.value)) : std::string());
  return s.value ? operand(*s.value, indent, beginsLikeStatement(*s.value)) : std::string();
}

void Printer::ifChain(const Statement& s, int indent, std::string& out) const {
  out += "if (" + condition(*s.value, indent) + ")";
  block(s.body, indent, out);
  if (s.alternative.empty()) return;
  // else if: an else part that is one if statement and labels no goto names.
  const Statement* only = nullptr;
  std::size_t printed = 0;
  for (const Statement& part : s.alternative) {
    if (part.kind == StatementKind::Label && m_labels.count(part.target) == 0) continue;
    only = &part;
    ++printed;
  }
  if (printed == 1 && only->kind == StatementKind::If) {
    out += " else ";
    ifChain(*only, indent, out);
    return;
  }
  out += " else";
  block(s.alternative, indent, out);
}

void Printer::classBody(const ClassDefinition& klass, int indent, std::string& out) const {
  out += (klass.isInterface ? "interface " : "class ") + klass.name;
  if (!klass.superclass.empty()) out += " extends " + klass.superclass;
  for (std::size_t i = 0; i < klass.interfaces.size(); ++i)
    out += (i > 0 ? ", " : klass.isInterface ? " extends " : " implements ") + klass.interfaces[i];
  out += " {\n";
  bool first = true;
  auto separate = [&] {
    if (!first) out += "\n";
    first = false;
  };
  for (const ClassMember& member : klass.members) {
    if (member.kind != ClassMember::Kind::Variable) continue;
    out += blanks(indent + 1) + (member.isStatic ? "static var " : "var ") + member.name;
    if (member.value) out += " = " + expression(*member.value, indent + 1);
    out += ";\n";
    first = false;
  }
  auto method = [&](const std::string& prefix, const SourceFunction& function) {
    separate();
    out += blanks(indent + 1) + prefix + this->function(function, indent + 1).substr(std::string("function ").size()) + "\n";
  };
  if (klass.constructor) {
    SourceFunction constructor = *klass.constructor;
    constructor.name = klass.name.substr(klass.name.rfind('.') + 1);
    method("function ", constructor);
  }
  for (const ClassMember& member : klass.members) {
    if (member.kind == ClassMember::Kind::Variable) continue;
    SourceFunction named = *member.function;
    named.name = member.name;
    const char* accessor = member.kind == ClassMember::Kind::Getter   ? "get "
                           : member.kind == ClassMember::Kind::Setter ? "set "
                                                                      : "";
    method(std::string(member.isStatic ? "static " : "") + "function " + accessor, named);
  }
  out += blanks(indent) + "}";
}

void Printer::statement(const Statement& s, int indent, std::string& out) const {
  if (s.kind == StatementKind::Label) {
    if (m_labels.count(s.target) != 0) out += blanks(indent) + "// label_" + std::to_string(s.target) + ":\n";
    return;
  }
  out += blanks(indent);
  switch (s.kind) {
    case StatementKind::Expression:
    case StatementKind::Var:
      out += inlineStatement(s, indent) + ";";
      break;
    case StatementKind::If:
      ifChain(s, indent, out);
      break;
    case StatementKind::While:
      out += "while (" + condition(*s.value, indent) + ")";
      block(s.body, indent, out);
      break;
    case StatementKind::DoWhile:
      out += "do";
      block(s.body, indent, out);
      out += " while (" + condition(*s.value, indent) + ");";
      break;
    case StatementKind::For: {
      out += "for (" + inlineStatement(s.head.front(), indent) + "; " + (s.value ? condition(*s.value, indent) : "") + ";";
      for (std::size_t i = 1; i < s.head.size(); ++i) out += (i == 1 ? " " : ", ") + inlineStatement(s.head[i], indent);
      out += ")";
      block(s.body, indent, out);
      break;
    }
    case StatementKind::ForIn:
    case StatementKind::ForEach:
      out += std::string(s.kind == StatementKind::ForEach ? "for each (" : "for (") + (s.declares ? "var " : "") +
             s.name + typeSuffix(s.type, indent) + " in " + expression(*s.value, indent) + ")";
      block(s.body, indent, out);
      break;
    case StatementKind::Switch:
      out += "switch (" + expression(*s.value, indent) + ") {\n";
      for (const SwitchCase& entry : s.cases) {
        out += blanks(indent + 1) + (entry.label ? "case " + expression(*entry.label, indent + 1) + ":" : "default:") + "\n";
        statements(entry.body, indent + 2, out);
      }
      out += blanks(indent) + "}";
      break;
    case StatementKind::Break:
      out += "break;";
      break;
    case StatementKind::Continue:
      out += "continue;";
      break;
    case StatementKind::Return:
      out += s.value ? "return " + expression(*s.value, indent) + ";" : std::string("return;");
      break;
    case StatementKind::Throw:
      out += "throw " + expression(*s.value, indent) + ";";
      break;
    case StatementKind::With:
      out += "with (" + expression(*s.value, indent) + ")";
      block(s.body, indent, out);
      break;
    case StatementKind::TellTarget:
      out += "tellTarget (" + expression(*s.value, indent) + ")";
      block(s.body, indent, out);
      break;
    case StatementKind::IfFrameLoaded:
      out += "ifFrameLoaded (" + expression(*s.value, indent) + ")";
      block(s.body, indent, out);
      break;
    case StatementKind::Try:
      out += "try";
      block(s.body, indent, out);
      if (s.hasCatch) {
        out += " catch (" + s.name + typeSuffix(s.type, indent) + ")";
        block(s.alternative, indent, out);
        // Further catch clauses of the same try, where the language has them.
        for (const SwitchCase& clause : s.cases) {
          out += " catch (" + expression(*clause.label, indent) + ")";
          block(clause.body, indent, out);
        }
      }
      if (s.hasFinally) {
        out += " finally";
        block(s.finally, indent, out);
      }
      break;
    case StatementKind::Function:
      out += function(*s.function, indent);
      break;
    case StatementKind::Class:
      classBody(*s.klass, indent, out);
      break;
    case StatementKind::Comment:
      out += "// " + s.name;
      break;
    case StatementKind::Goto:
      out += "// goto label_" + std::to_string(s.target) + ";";
      break;
    case StatementKind::Label:
      break;
  }
  out += "\n";
}

void Printer::statements(const StatementList& list, int indent, std::string& out) const {
  bool afterDefinition = false;
  bool printedAny = false;
  for (const Statement& s : list) {
    if (s.kind == StatementKind::Label && m_labels.count(s.target) == 0) continue;
    if (out.size() > kMaxSourceText) {
      // The same bound as the translation of the specified modes.
      if (!m_cut) out += blanks(indent) + "// the text ends here: it would grow beyond 64 MB\n";
      m_cut = true;
      return;
    }
    const bool definition = indent == 0 && (s.kind == StatementKind::Function || s.kind == StatementKind::Class);
    if (printedAny && (definition || afterDefinition)) out += "\n";
    statement(s, indent, out);
    printedAny = true;
    afterDefinition = definition;
  }
}

void collectGotos(const StatementList& list, std::set<std::size_t>& targets);

void collectExpressionGotos(const Expression& e, std::set<std::size_t>& targets) {
  // Only the function expressions among the nodes hold statements; a node that a block
  // uses many times is walked once.
  std::set<const Expression*> seen;
  std::vector<const Expression*> pending{&e};
  while (!pending.empty()) {
    const Expression* node = pending.back();
    pending.pop_back();
    if (!node->hasFunction || !seen.insert(node).second) continue;
    if (node->function) collectGotos(node->function->body, targets);
    for (const ExpressionPtr& operand : node->operands) pending.push_back(operand.get());
  }
}

void collectGotos(const StatementList& list, std::set<std::size_t>& targets) {
  for (const Statement& s : list) {
    if (s.kind == StatementKind::Goto) targets.insert(s.target);
    if (s.value) collectExpressionGotos(*s.value, targets);
    for (const StatementList* inner : {&s.body, &s.alternative, &s.finally, &s.head}) collectGotos(*inner, targets);
    for (const SwitchCase& entry : s.cases) collectGotos(entry.body, targets);
    if (s.function) collectGotos(s.function->body, targets);
    if (s.klass) {
      if (s.klass->constructor) collectGotos(s.klass->constructor->body, targets);
      for (const ClassMember& member : s.klass->members) {
        if (member.function) collectGotos(member.function->body, targets);
        if (member.value) collectExpressionGotos(*member.value, targets);
      }
    }
  }
}

}  // namespace

SourceDialect dialectOfMovie(int movieVersion) {
  return movieVersion >= 1 && movieVersion <= 4 ? SourceDialect::Flash4 : SourceDialect::ActionScript;
}

std::string expressionText(const Expression& expression, int indent) { return expressionText(expression, indent, {}); }

std::string expressionText(const Expression& expression, int indent, const SourceStyle& style) {
  return Printer({}, style).expression(expression, indent);
}

std::string statementsText(const StatementList& statements, int indent) { return statementsText(statements, indent, {}); }

std::string statementsText(const StatementList& statements, int indent, const SourceStyle& style) {
  std::set<std::size_t> labels;
  collectGotos(statements, labels);
  std::string out;
  Printer(std::move(labels), style).statements(statements, indent, out);
  return out;
}

}  // namespace orvane
