#include "decompiler/SourceExpression.h"

#include <algorithm>
#include <cstring>

#include "decompiler/SourceNumber.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

namespace {

/// Deeper trees are printed at once into a Raw node, so that printing them never recurses
/// without bound.
constexpr std::uint32_t kMaxDepth = 96;

/// A sum of lengths, held below a bound far above any text that is printed (the parts are
/// below it too, so the sum cannot overflow).
std::uint64_t add(std::uint64_t a, std::uint64_t b) { return std::min<std::uint64_t>(a + b, std::uint64_t{1} << 40); }

ExpressionPtr tooLong() {
  Expression raw;
  raw.kind = ExpressionKind::Raw;
  raw.text = kTooLongText;
  raw.rawPrecedence = kPrimaryPrecedence;
  raw.length = raw.text.size();
  return std::make_shared<const Expression>(std::move(raw));
}

bool changesState(const Expression& node) {
  switch (node.kind) {
    case ExpressionKind::Call:
    case ExpressionKind::New:
    case ExpressionKind::VectorLiteral:
    case ExpressionKind::Assign:
    case ExpressionKind::Postfix:
      return true;
    case ExpressionKind::Unary:
      return node.operation == Operation::PreIncrement || node.operation == Operation::PreDecrement ||
             node.operation == Operation::Delete;
    default:
      return false;
  }
}

/// The characters of an operator's spelling that the node prints itself.
std::size_t spellingLength(const Expression& node) {
  switch (node.kind) {
    case ExpressionKind::Unary:
    case ExpressionKind::Postfix:
    case ExpressionKind::Binary:
    case ExpressionKind::Assign:
      return operationInfo(node.operation).spelling.size();
    default:
      return 0;
  }
}

ExpressionPtr finish(Expression node) {
  std::uint32_t depth = 0;
  std::uint64_t length = add(node.length, node.text.size() + spellingLength(node) + 4);
  for (const std::string& name : node.names) length = add(length, name.size() + 4);
  node.hasEffects = node.hasEffects || changesState(node);
  for (const ExpressionPtr& operand : node.operands) {
    depth = std::max(depth, operand->depth);
    length = add(length, operand->length + 2);
    node.hasFunction = node.hasFunction || operand->hasFunction;
    node.hasEffects = node.hasEffects || operand->hasEffects;
  }
  if (length > kMaxExpressionLength) return tooLong();
  node.length = length;
  node.depth = depth + 1;
  if (node.depth <= kMaxDepth) return std::make_shared<const Expression>(std::move(node));
  for (ExpressionPtr& operand : node.operands) {
    if (operand->depth + 1 < kMaxDepth / 2) continue;
    Expression raw;
    raw.kind = ExpressionKind::Raw;
    raw.rawPrecedence = precedence(*operand);
    raw.text = expressionText(*operand, 0);
    raw.length = operand->length;
    raw.hasFunction = operand->hasFunction;
    raw.hasEffects = operand->hasEffects;
    operand = std::make_shared<const Expression>(std::move(raw));
  }
  depth = 0;
  for (const ExpressionPtr& operand : node.operands) depth = std::max(depth, operand->depth);
  node.depth = depth + 1;
  return std::make_shared<const Expression>(std::move(node));
}

Expression node(ExpressionKind kind, std::string text = {}, std::vector<ExpressionPtr> operands = {}) {
  Expression e;
  e.kind = kind;
  e.text = std::move(text);
  e.operands = std::move(operands);
  return e;
}

Expression operatorNode(ExpressionKind kind, Operation op, std::vector<ExpressionPtr> operands) {
  Expression e = node(kind, {}, std::move(operands));
  e.operation = op;
  return e;
}

}  // namespace

ExpressionPtr makeNumber(double value) {
  Expression e = node(ExpressionKind::Literal, numberText(value));
  e.number = value;
  e.isNumber = true;
  return finish(std::move(e));
}

ExpressionPtr makeFloat(float value) {
  Expression e = node(ExpressionKind::Literal, floatText(value));
  e.number = value;
  e.isNumber = true;
  return finish(std::move(e));
}

ExpressionPtr makeLiteral(std::string text) { return finish(node(ExpressionKind::Literal, std::move(text))); }

ExpressionPtr makeString(const std::string& value) {
  Expression e = node(ExpressionKind::Literal, quotedText(value));
  e.names.push_back(value);
  return finish(std::move(e));
}

ExpressionPtr makeIdentifier(std::string name) { return finish(node(ExpressionKind::Identifier, std::move(name))); }

ExpressionPtr makeRegister(int number, std::string name) {
  Expression e = node(ExpressionKind::Register, std::move(name));
  e.registerNumber = number;
  return finish(std::move(e));
}

ExpressionPtr makeEmpty() { return finish(node(ExpressionKind::Empty, "$empty")); }

const std::string* stringValue(const Expression& expression) {
  if (expression.kind != ExpressionKind::Literal || expression.names.empty()) return nullptr;
  return &expression.names.front();
}

bool isLiteral(const Expression& expression, const char* text) {
  return expression.kind == ExpressionKind::Literal && expression.names.empty() && expression.text == text;
}

ExpressionPtr makeMember(ExpressionPtr object, ExpressionPtr name) {
  return finish(node(ExpressionKind::Member, {}, {std::move(object), std::move(name)}));
}

ExpressionPtr makeCall(ExpressionPtr callee, std::vector<ExpressionPtr> arguments) {
  arguments.insert(arguments.begin(), std::move(callee));
  return finish(node(ExpressionKind::Call, {}, std::move(arguments)));
}

ExpressionPtr makeGlobalCall(const char* name, std::vector<ExpressionPtr> arguments) {
  return makeCall(makeIdentifier(name), std::move(arguments));
}

ExpressionPtr makeCast(ExpressionPtr type, ExpressionPtr object) {
  const bool operandEffects = type->hasEffects || object->hasEffects;
  ExpressionPtr call = makeCall(std::move(type), {std::move(object)});
  if (call->kind != ExpressionKind::Call) return call;
  Expression cast = *call;
  cast.hasEffects = operandEffects;
  return std::make_shared<const Expression>(std::move(cast));
}

ExpressionPtr makeNew(ExpressionPtr constructor, std::vector<ExpressionPtr> arguments) {
  arguments.insert(arguments.begin(), std::move(constructor));
  return finish(node(ExpressionKind::New, {}, std::move(arguments)));
}

ExpressionPtr makeArray(std::vector<ExpressionPtr> elements) {
  return finish(node(ExpressionKind::ArrayLiteral, {}, std::move(elements)));
}

ExpressionPtr makeVectorLiteral(ExpressionPtr type, std::vector<ExpressionPtr> elements) {
  elements.insert(elements.begin(), std::move(type));
  return finish(node(ExpressionKind::VectorLiteral, {}, std::move(elements)));
}

ExpressionPtr makeObject(std::vector<std::string> names, std::vector<ExpressionPtr> values) {
  Expression e = node(ExpressionKind::ObjectLiteral, {}, std::move(values));
  e.names = std::move(names);
  return finish(std::move(e));
}

ExpressionPtr makeConversion(Operation conversion, ExpressionPtr operand) {
  ExpressionPtr callee = makeIdentifier(std::string(operationInfo(conversion).spelling));
  return finish(operatorNode(ExpressionKind::Call, conversion, {std::move(callee), std::move(operand)}));
}

ExpressionPtr makeUnary(Operation op, ExpressionPtr operand) {
  return finish(operatorNode(ExpressionKind::Unary, op, {std::move(operand)}));
}

ExpressionPtr makeNot(ExpressionPtr operand) {
  if (operand->kind == ExpressionKind::Unary && operand->operation == Operation::Not) return operand->operands[0];
  return makeUnary(Operation::Not, std::move(operand));
}

ExpressionPtr makePostfix(Operation op, ExpressionPtr target) {
  return finish(operatorNode(ExpressionKind::Postfix, op, {std::move(target)}));
}

ExpressionPtr makeBinary(Operation op, ExpressionPtr left, ExpressionPtr right) {
  return finish(operatorNode(ExpressionKind::Binary, op, {std::move(left), std::move(right)}));
}

ExpressionPtr makeStep(Operation step, ExpressionPtr operand) { return makeBinary(step, std::move(operand), makeNumber(1)); }

bool isStep(const Expression& expression) {
  return expression.operation == Operation::Increment || expression.operation == Operation::Decrement;
}

Operation stepUpdate(const Expression& step, bool postfix) {
  if (step.operation == Operation::Increment) return postfix ? Operation::PostIncrement : Operation::PreIncrement;
  return postfix ? Operation::PostDecrement : Operation::PreDecrement;
}

ExpressionPtr makeConditional(ExpressionPtr test, ExpressionPtr then, ExpressionPtr otherwise) {
  return finish(operatorNode(ExpressionKind::Conditional, Operation::Conditional,
                             {std::move(test), std::move(then), std::move(otherwise)}));
}

ExpressionPtr makeAssign(Operation op, ExpressionPtr target, ExpressionPtr value) {
  return finish(operatorNode(ExpressionKind::Assign, op, {std::move(target), std::move(value)}));
}

ExpressionPtr assignmentValue(const ExpressionPtr& target, const ExpressionPtr& value, bool statement) {
  if (value->kind == ExpressionKind::Binary && sameTarget(*value->operands[0], *target)) {
    if (isStep(*value)) return statement ? makePostfix(stepUpdate(*value, true), target) : makeUnary(stepUpdate(*value, false), target);
    if (const Operation compound = operationInfo(value->operation).compound; compound != Operation::None)
      return makeAssign(compound, target, value->operands[1]);
  }
  return makeAssign(Operation::Assign, target, value);
}

ExpressionPtr makeFunction(std::shared_ptr<const SourceFunction> function) {
  Expression e = node(ExpressionKind::Function);
  e.length = printedLength(function->body);
  for (const std::string& parameter : function->parameters) e.length = add(e.length, parameter.size() + 2);
  e.hasFunction = true;
  e.function = std::move(function);
  return finish(std::move(e));
}

std::uint64_t printedLength(const StatementList& statements) {
  std::uint64_t length = 0;
  for (const Statement& s : statements) {
    length = add(length, 16 + s.name.size());
    if (s.value) length = add(length, s.value->length);
    for (const StatementList* inner : {&s.body, &s.alternative, &s.finally, &s.head})
      length = add(length, printedLength(*inner));
    for (const SwitchCase& entry : s.cases) {
      if (entry.label) length = add(length, entry.label->length);
      length = add(length, printedLength(entry.body));
    }
    if (s.function) length = add(length, printedLength(s.function->body));
  }
  return length;
}

ExpressionPtr makeEnumeration(ExpressionPtr object) {
  return finish(node(ExpressionKind::Enumeration, {}, {std::move(object)}));
}

ExpressionPtr makeQualifiedName(std::string package, std::string name) {
  Expression e = node(ExpressionKind::QualifiedName, std::move(name));
  e.names.push_back(std::move(package));
  return finish(std::move(e));
}

ExpressionPtr makeNamespacedName(std::string uri, std::string name) {
  Expression e = node(ExpressionKind::NamespacedName, std::move(name));
  e.names.push_back(std::move(uri));
  return finish(std::move(e));
}

ExpressionPtr makeNamespacedName(ExpressionPtr ns, std::string name) {
  return finish(node(ExpressionKind::NamespacedName, std::move(name), {std::move(ns)}));
}

ExpressionPtr makeTypeApplication(ExpressionPtr type, std::vector<ExpressionPtr> parameters) {
  parameters.insert(parameters.begin(), std::move(type));
  return finish(node(ExpressionKind::TypeApplication, {}, std::move(parameters)));
}

ExpressionPtr makeTypedName(std::string name, ExpressionPtr type) {
  std::vector<ExpressionPtr> operands;
  if (type) operands.push_back(std::move(type));
  return finish(node(ExpressionKind::TypedName, std::move(name), std::move(operands)));
}

ExpressionPtr makeAttribute(ExpressionPtr name) { return finish(node(ExpressionKind::Attribute, {}, {std::move(name)})); }

ExpressionPtr makeDescendants(ExpressionPtr object, ExpressionPtr name) {
  return finish(node(ExpressionKind::Descendants, {}, {std::move(object), std::move(name)}));
}

ExpressionPtr makeFilter(ExpressionPtr object, ExpressionPtr condition) {
  return finish(node(ExpressionKind::Filter, {}, {std::move(object), std::move(condition)}));
}

bool isNamePath(const std::string& name) {
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = name.find('.', start);
    const std::string_view part = std::string_view(name).substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (!isIdentifierName(part)) return false;
    // A variable named true or var would read as the word; this and super read as themselves.
    if (start == 0 && isReservedWord(part) && part != "this" && part != "super") return false;
    if (dot == std::string::npos) return true;
    start = dot + 1;
  }
}

namespace {

bool isVariableRead(const Expression& e) {
  return e.kind == ExpressionKind::Call && e.operands.size() == 2 && e.operands[0]->kind == ExpressionKind::Identifier &&
         e.operands[0]->text == "eval" && e.operands[1]->kind == ExpressionKind::Literal;
}

}  // namespace

bool isAssignablePath(const std::string& name) { return isNamePath(name) && name != "this" && name != "super"; }

bool sameTarget(const Expression& a, const Expression& b) {
  if (&a == &b) return true;
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case ExpressionKind::Identifier:
      return a.text == b.text;
    case ExpressionKind::Register:
      return a.registerNumber == b.registerNumber;
    case ExpressionKind::Literal:
      return a.text == b.text;
    case ExpressionKind::QualifiedName:
      return a.text == b.text && a.names == b.names;
    case ExpressionKind::NamespacedName:
      return a.text == b.text && a.names == b.names && a.operands.size() == b.operands.size() &&
             (a.operands.empty() || sameTarget(*a.operands[0], *b.operands[0]));
    case ExpressionKind::Member:
    case ExpressionKind::Descendants:
      return sameTarget(*a.operands[1], *b.operands[1]) && sameTarget(*a.operands[0], *b.operands[0]);
    case ExpressionKind::Call:
      // eval("name") reads the variable of that name, as often as it stands.
      return isVariableRead(a) && isVariableRead(b) && sameTarget(*a.operands[1], *b.operands[1]);
    case ExpressionKind::Attribute:
      return sameTarget(*a.operands[0], *b.operands[0]);
    default:
      return false;
  }
}

int precedence(const Expression& e) {
  switch (e.kind) {
    case ExpressionKind::Unary:
      // `!` of a comparison prints as the inverse comparison, which binds like one.
      if (e.operation == Operation::Not && e.operands[0]->kind == ExpressionKind::Binary) {
        if (const Operation inverse = operationInfo(e.operands[0]->operation).inverse; inverse != Operation::None)
          return operationInfo(inverse).precedence;
      }
      return operationInfo(e.operation).precedence;
    case ExpressionKind::Assign:
    case ExpressionKind::Conditional:
    case ExpressionKind::Binary:
    case ExpressionKind::Postfix:
      return operationInfo(e.operation).precedence;
    case ExpressionKind::New:
    case ExpressionKind::VectorLiteral:
    case ExpressionKind::Call:
    case ExpressionKind::Member:
    case ExpressionKind::Descendants:
    case ExpressionKind::Filter:
    case ExpressionKind::TypeApplication:
      return kMemberPrecedence;
    case ExpressionKind::Function:
      return 0;
    case ExpressionKind::Raw:
      return e.rawPrecedence;
    case ExpressionKind::Literal:
      // A negative number is printed with its sign: it binds like a unary minus.
      return e.isNumber && e.text.front() == '-' ? operationInfo(Operation::Negate).precedence : kPrimaryPrecedence;
    default:
      return kPrimaryPrecedence;
  }
}

}  // namespace orvane
