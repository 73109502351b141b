#include "actions/source/SourceClasses.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "decompiler/SourceNumber.h"

namespace orvane {

namespace {

constexpr std::string_view kGlobalRoot = "_global.";

/// The dotted names of a member chain over a variable ("a.b.C", "_global.a.b.C"), or empty.
std::string dottedPath(const Expression& e) {
  if (e.kind == ExpressionKind::Identifier) return isNamePath(e.text) ? e.text : std::string();
  if (e.kind != ExpressionKind::Member) return {};
  const std::string* name = stringValue(*e.operands[1]);
  if (name == nullptr || !isIdentifierName(*name)) return {};
  const std::string base = dottedPath(*e.operands[0]);
  return base.empty() ? std::string() : base + "." + *name;
}

/// The path P of a chain that starts at _global ("_global.P"), or empty.
std::string globalPath(const Expression& e) {
  const std::string path = dottedPath(e);
  return path.starts_with(kGlobalRoot) ? path.substr(kGlobalRoot.size()) : std::string();
}

/// The name of a class or interface as the compiler refers to one: through _global, or
/// through its package ("a.b.C"; a class without a package is reached through _global only).
std::string typePath(const Expression& e) {
  const std::string path = dottedPath(e);
  if (path.starts_with(kGlobalRoot)) return path.substr(kGlobalRoot.size());
  return path.find('.') == std::string::npos ? std::string() : path;
}

/// A superclass or an interface: a class path or a name of the player's own ("MovieClip").
std::string typeName(const Expression& e) {
  const std::string path = typePath(e);
  return path.empty() ? dottedPath(e) : path;
}

bool isRegister(const Expression& e, const std::string& name) {
  return e.kind == ExpressionKind::Register && e.text == name;
}

/// `name` of `register.name`, or none.
const std::string* registerMember(const Expression& e, const std::string& registerName) {
  if (e.kind != ExpressionKind::Member || !isRegister(*e.operands[0], registerName)) return nullptr;
  return stringValue(*e.operands[1]);
}

bool isEmptyFunction(const Expression& e) {
  return e.kind == ExpressionKind::Function && e.function->parameters.empty() && !hasStatements(e.function->body);
}

/// Whether the value reads a register of the block: such a value cannot stand in a class.
bool readsRegister(const Expression& e) {
  if (e.kind == ExpressionKind::Register || e.kind == ExpressionKind::Raw) return true;
  return std::any_of(e.operands.begin(), e.operands.end(), [](const ExpressionPtr& operand) { return readsRegister(*operand); });
}

const Expression* expressionOf(const Statement& s) {
  return s.kind == StatementKind::Expression && s.value ? s.value.get() : nullptr;
}

/// The value stored into register `name` by `var name = value;` or `name = value;`.
const Expression* registerStore(const Statement& s, std::string& name) {
  if (s.kind == StatementKind::Var && s.value) {
    name = s.name;
    return s.value.get();
  }
  const Expression* e = expressionOf(s);
  if (e == nullptr || e->operation != Operation::Assign || e->operands[0]->kind != ExpressionKind::Register)
    return nullptr;
  name = e->operands[0]->text;
  return e->operands[1].get();
}

/// `left <op> right;` for the extends and implements records.
const Expression* typeStatement(const Statement& s, Operation op, const std::string& path) {
  const Expression* e = expressionOf(s);
  if (e == nullptr || e->operation != op || typePath(*e->operands[0]) != path) return nullptr;
  return e->operands[1].get();
}

/// The interfaces of `P implements [I, J];`, or none.
bool implementedTypes(const Statement& s, const std::string& path, std::vector<std::string>& types) {
  const Expression* list = typeStatement(s, Operation::Implements, path);
  if (list == nullptr || list->kind != ExpressionKind::ArrayLiteral || list->operands.empty()) return false;
  std::vector<std::string> names;
  for (const ExpressionPtr& type : list->operands) {
    names.push_back(typeName(*type));
    if (names.back().empty()) return false;
  }
  types = std::move(names);
  return true;
}

/// One addProperty call of the class: its property and the accessors it binds.
struct PropertyBinding {
  bool isStatic = false;
  std::string name;
  bool getter = false;
  bool setter = false;
};

/// Reads one class definition written in the compiler's order: the constructor stored
/// into the class's place and kept in a register, its superclass, the prototype kept in
/// a second register, the interfaces, the members of the prototype and of the
/// constructor, the addProperty calls of the accessors and ASSetPropFlags last.
class ClassReader {
 public:
  ClassReader(const StatementList& list, std::size_t begin, std::size_t end) : m_list(list), m_at(begin), m_end(end) {}

  /// The class, or none when the statements are not the pattern exactly; `next` is the
  /// statement after its ASSetPropFlags call.
  std::shared_ptr<ClassDefinition> read(std::size_t& next);

 private:
  const Statement* current() {
    while (m_at < m_end && m_list[m_at].kind == StatementKind::Label) ++m_at;
    return m_at < m_end ? &m_list[m_at] : nullptr;
  }
  bool readConstructor(const Statement& s);
  bool defineConstructor(const Expression& place, const Expression& constructor);
  /// Extends, the prototype taken into a register, ImplementsOp.
  bool readHeader(const Statement& s);
  bool readPrototype(const Statement& s);
  bool readMember(const Statement& s);
  bool readBinding(const Statement& s);
  bool isPropertyFlags(const Statement& s) const;
  bool bindAccessors();
  bool hasDistinctNames() const;
  void dropImplicitSuperCall();

  const StatementList& m_list;
  std::size_t m_at;
  std::size_t m_end;
  std::shared_ptr<ClassDefinition> m_class = std::make_shared<ClassDefinition>();
  std::string m_constructorRegister;
  std::string m_prototypeRegister;
  std::vector<PropertyBinding> m_bindings;
};

std::shared_ptr<ClassDefinition> ClassReader::read(std::size_t& next) {
  const Statement* s = current();
  if (s == nullptr || !readConstructor(*s)) return nullptr;
  for (++m_at, s = current(); s != nullptr && readHeader(*s); s = current()) ++m_at;
  if (m_prototypeRegister.empty()) return nullptr;
  for (s = current(); s != nullptr; s = current()) {
    if (isPropertyFlags(*s)) {
      next = m_at + 1;
      if (!bindAccessors() || !hasDistinctNames()) return nullptr;
      dropImplicitSuperCall();
      return std::move(m_class);
    }
    if (!readMember(*s) && !readBinding(*s)) return nullptr;
    ++m_at;
  }
  return nullptr;
}

bool ClassReader::readConstructor(const Statement& s) {
  // P = _loc1_ = function (...) {...};
  const Expression* e = expressionOf(s);
  if (e != nullptr && e->operation == Operation::Assign && e->operands[0]->kind == ExpressionKind::Member) {
    const Expression& kept = *e->operands[1];
    if (kept.operation != Operation::Assign || kept.operands[0]->kind != ExpressionKind::Register)
      return false;
    m_constructorRegister = kept.operands[0]->text;
    return defineConstructor(*e->operands[0], *kept.operands[1]);
  }
  // var _loc1_ = (P = function (...) {...}).prototype; where the constructor passed
  // through the scratch register, which nothing reads again: the class has no statics.
  std::string name;
  const Expression* value = registerStore(s, name);
  if (value == nullptr || value->kind != ExpressionKind::Member) return false;
  const std::string* member = stringValue(*value->operands[1]);
  if (member == nullptr || *member != "prototype") return false;
  const Expression& stored = *value->operands[0];
  if (stored.operation != Operation::Assign || stored.operands[0]->kind != ExpressionKind::Member)
    return false;
  m_prototypeRegister = name;
  return defineConstructor(*stored.operands[0], *stored.operands[1]);
}

bool ClassReader::defineConstructor(const Expression& place, const Expression& constructor) {
  if (constructor.kind != ExpressionKind::Function) return false;
  m_class->name = typePath(place);
  m_class->constructor = constructor.function;
  return !m_class->name.empty();
}

bool ClassReader::readHeader(const Statement& s) {
  // Extends replaces the prototype: it must come before the prototype is taken.
  if (m_prototypeRegister.empty()) {
    if (const Expression* superclass = typeStatement(s, Operation::Extends, m_class->name);
        superclass != nullptr && m_class->superclass.empty()) {
      m_class->superclass = typeName(*superclass);
      return !m_class->superclass.empty();
    }
    if (readPrototype(s)) return true;
  }
  return m_class->interfaces.empty() && implementedTypes(s, m_class->name, m_class->interfaces);
}

bool ClassReader::readPrototype(const Statement& s) {
  std::string name;
  const Expression* value = registerStore(s, name);
  const std::string* member = value != nullptr ? registerMember(*value, m_constructorRegister) : nullptr;
  if (member == nullptr || *member != "prototype" || name == m_constructorRegister) return false;
  m_prototypeRegister = name;
  return true;
}

bool ClassReader::readMember(const Statement& s) {
  // _loc2_.name = value; on the prototype, _loc1_.name = value; on the class itself.
  const Expression* e = expressionOf(s);
  if (e == nullptr || e->operation != Operation::Assign) return false;
  ClassMember member;
  const std::string* name = registerMember(*e->operands[0], m_prototypeRegister);
  if (name == nullptr) {
    name = registerMember(*e->operands[0], m_constructorRegister);
    member.isStatic = true;
  }
  if (name == nullptr || !isIdentifierName(*name) || *name == "prototype") return false;
  member.name = *name;
  const ExpressionPtr& value = e->operands[1];
  if (value->kind == ExpressionKind::Function) {
    member.function = value->function;
  } else {
    if (readsRegister(*value)) return false;
    member.kind = ClassMember::Kind::Variable;
    member.value = value;
  }
  m_class->members.push_back(std::move(member));
  return true;
}

bool ClassReader::readBinding(const Statement& s) {
  // _loc2_.addProperty("name", _loc2_.__get__name, _loc2_.__set__name); an accessor the
  // class lacks is an empty function.
  const Expression* e = expressionOf(s);
  if (e == nullptr || e->kind != ExpressionKind::Call || e->operands.size() != 4) return false;
  PropertyBinding binding;
  const std::string* method = registerMember(*e->operands[0], m_prototypeRegister);
  if (method == nullptr) {
    method = registerMember(*e->operands[0], m_constructorRegister);
    binding.isStatic = true;
  }
  const std::string* name = stringValue(*e->operands[1]);
  if (method == nullptr || *method != "addProperty" || name == nullptr || !isIdentifierName(*name)) return false;
  binding.name = *name;
  const std::string& owner = binding.isStatic ? m_constructorRegister : m_prototypeRegister;
  auto accessor = [&](const Expression& value, const char* prefix, bool& present) {
    const std::string* bound = registerMember(value, owner);
    present = bound != nullptr;
    return present ? *bound == prefix + binding.name : isEmptyFunction(value);
  };
  if (!accessor(*e->operands[2], "__get__", binding.getter) || !accessor(*e->operands[3], "__set__", binding.setter) ||
      !(binding.getter || binding.setter))
    return false;
  m_bindings.push_back(std::move(binding));
  return true;
}

bool ClassReader::isPropertyFlags(const Statement& s) const {
  // ASSetPropFlags(P.prototype, null, 1): the prototype's members are hidden from for-in.
  const Expression* e = expressionOf(s);
  if (e == nullptr || e->kind != ExpressionKind::Call || e->operands.size() != 4 ||
      e->operands[0]->kind != ExpressionKind::Identifier || e->operands[0]->text != "ASSetPropFlags" ||
      !isLiteral(*e->operands[2], "null") || !e->operands[3]->isNumber || e->operands[3]->number != 1)
    return false;
  const Expression& target = *e->operands[1];
  if (isRegister(target, m_prototypeRegister)) return true;
  if (target.kind != ExpressionKind::Member) return false;
  const std::string* name = stringValue(*target.operands[1]);
  const Expression& owner = *target.operands[0];
  return name != nullptr && *name == "prototype" &&
         (isRegister(owner, m_constructorRegister) || typePath(owner) == m_class->name);
}

/// The setter without the `return this.__get__name();` the compiler appends to it.
std::shared_ptr<const SourceFunction> withoutGetterReturn(const std::shared_ptr<const SourceFunction>& setter,
                                                          const std::string& property, const std::string& className) {
  auto last = std::find_if(setter->body.rbegin(), setter->body.rend(),
                           [](const Statement& s) { return s.kind != StatementKind::Label; });
  if (last == setter->body.rend() || last->kind != StatementKind::Return || !last->value) return setter;
  const Expression& call = *last->value;
  if (call.kind != ExpressionKind::Call || call.operands.size() != 1 || call.operands[0]->kind != ExpressionKind::Member)
    return setter;
  const Expression& callee = *call.operands[0];
  const std::string* name = stringValue(*callee.operands[1]);
  const Expression& owner = *callee.operands[0];
  const bool ownObject = (owner.kind == ExpressionKind::Register || owner.kind == ExpressionKind::Identifier)
                             ? owner.text == "this"
                             : typePath(owner) == className;
  if (name == nullptr || *name != "__get__" + property || !ownObject) return setter;
  auto trimmed = std::make_shared<SourceFunction>(*setter);
  trimmed->body.erase(trimmed->body.begin() + (std::prev(last.base()) - setter->body.begin()));
  return trimmed;
}

bool ClassReader::bindAccessors() {
  for (const PropertyBinding& binding : m_bindings) {
    for (const bool isGetter : {true, false}) {
      if (isGetter ? !binding.getter : !binding.setter) continue;
      const std::string function = (isGetter ? "__get__" : "__set__") + binding.name;
      auto member = std::find_if(m_class->members.begin(), m_class->members.end(), [&](const ClassMember& m) {
        return m.isStatic == binding.isStatic && m.kind == ClassMember::Kind::Method && m.name == function;
      });
      if (member == m_class->members.end()) return false;
      member->kind = isGetter ? ClassMember::Kind::Getter : ClassMember::Kind::Setter;
      member->name = binding.name;
      if (!isGetter) member->function = withoutGetterReturn(member->function, binding.name, m_class->name);
    }
  }
  return true;
}

bool ClassReader::hasDistinctNames() const {
  // A name may be one getter and one setter, else one member: a class cannot declare more.
  std::map<std::pair<bool, std::string>, unsigned> kinds;
  for (const ClassMember& member : m_class->members) {
    const unsigned bit = member.kind == ClassMember::Kind::Getter   ? 1
                         : member.kind == ClassMember::Kind::Setter ? 2
                                                                    : 4;
    unsigned& seen = kinds[{member.isStatic, member.name}];
    if ((seen & bit) != 0 || (seen != 0 && (bit == 4 || seen == 4))) return false;
    seen |= bit;
  }
  return true;
}

void ClassReader::dropImplicitSuperCall() {
  // The compiler calls the superclass's constructor itself when the author did not, and
  // writes a constructor when the author wrote none: neither is shown.
  std::shared_ptr<const SourceFunction>& constructor = m_class->constructor;
  if (!m_class->superclass.empty()) {
    auto first = std::find_if(constructor->body.begin(), constructor->body.end(),
                              [](const Statement& s) { return s.kind != StatementKind::Label; });
    const Expression* call = first != constructor->body.end() ? expressionOf(*first) : nullptr;
    if (call != nullptr && call->kind == ExpressionKind::Call && call->operands.size() == 1 &&
        (call->operands[0]->kind == ExpressionKind::Register || call->operands[0]->kind == ExpressionKind::Identifier) &&
        call->operands[0]->text == "super") {
      auto trimmed = std::make_shared<SourceFunction>(*constructor);
      trimmed->body.erase(trimmed->body.begin() + (first - constructor->body.begin()));
      constructor = std::move(trimmed);
    }
  }
  if (constructor->parameters.empty() && !hasStatements(constructor->body)) constructor = nullptr;
}

/// `interface P extends I {}`: the body of its guard is `_global.P = function () {};` and
/// the interfaces it extends.
std::shared_ptr<ClassDefinition> interfaceOf(const std::string& path, const StatementList& body) {
  std::vector<const Statement*> list;
  for (const Statement& s : body)
    if (s.kind != StatementKind::Label) list.push_back(&s);
  if (list.empty() || list.size() > 2) return nullptr;
  const Expression* store = expressionOf(*list[0]);
  if (store == nullptr || store->operation != Operation::Assign || store->operands[0]->kind != ExpressionKind::Member ||
      typePath(*store->operands[0]) != path ||
      !isEmptyFunction(*store->operands[1]))
    return nullptr;
  auto definition = std::make_shared<ClassDefinition>();
  definition->name = path;
  definition->isInterface = true;
  if (list.size() == 2 && !implementedTypes(*list[1], path, definition->interfaces)) return nullptr;
  return definition;
}

/// The path P of `if (!_global.P) { ... }`.
std::string guardedPath(const Statement& s) {
  if (s.kind != StatementKind::If || !s.alternative.empty() || s.value->operation != Operation::Not) return {};
  return globalPath(*s.value->operands[0]);
}

/// `if (!_global.P) { _global.P = new Object(); }`: the guard that creates a package.
std::string packageGuard(const Statement& s) {
  const std::string path = guardedPath(s);
  if (path.empty() || s.body.size() != 1) return {};
  const Expression* store = expressionOf(s.body.front());
  if (store == nullptr || store->operation != Operation::Assign || globalPath(*store->operands[0]) != path)
    return {};
  const Expression& value = *store->operands[1];
  const bool newObject = value.kind == ExpressionKind::New && value.operands.size() == 1 &&
                         value.operands[0]->kind == ExpressionKind::Identifier && value.operands[0]->text == "Object";
  return newObject ? path : std::string();
}

/// The packages of a class path: "a", "a.b" for "a.b.C".
std::vector<std::string> packagesOf(const std::string& path) {
  std::vector<std::string> packages;
  for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', dot + 1))
    packages.push_back(path.substr(0, dot));
  return packages;
}

/// The record offsets that gotos outside functions jump to: labels there must stay.
void collectGotoTargets(const StatementList& list, std::set<std::size_t>& targets) {
  for (const Statement& s : list) {
    if (s.kind == StatementKind::Goto) targets.insert(s.target);
    for (const StatementList* inner : {&s.body, &s.alternative, &s.finally, &s.head}) collectGotoTargets(*inner, targets);
    for (const SwitchCase& entry : s.cases) collectGotoTargets(entry.body, targets);
  }
}

bool holdsTargetedLabel(const StatementList& list, std::size_t begin, std::size_t end, const std::set<std::size_t>& targets) {
  return std::any_of(list.begin() + static_cast<std::ptrdiff_t>(begin), list.begin() + static_cast<std::ptrdiff_t>(end),
                     [&](const Statement& s) { return s.kind == StatementKind::Label && targets.count(s.target) != 0; });
}

Statement classStatement(std::shared_ptr<ClassDefinition> definition, std::size_t start) {
  Statement s;
  s.kind = StatementKind::Class;
  s.start = start;
  s.klass = std::move(definition);
  return s;
}

}  // namespace

StatementList reconstructClasses(StatementList statements) {
  std::set<std::size_t> targets;
  collectGotoTargets(statements, targets);
  StatementList out;
  out.reserve(statements.size());
  std::set<std::string> createdPackages;
  std::vector<std::string> folded;    // the classes now written as class statements
  std::vector<std::string> unfolded;  // guarded definitions left as they are
  for (std::size_t i = 0; i < statements.size(); ++i) {
    Statement& s = statements[i];
    if (const std::string package = packageGuard(s); !package.empty()) {
      createdPackages.insert(package);
      out.push_back(std::move(s));
      continue;
    }
    // The compiler's form: the definition inside `if (!_global.P) { ... }`, its packages
    // created before it.
    if (const std::string path = guardedPath(s); !path.empty()) {
      std::shared_ptr<ClassDefinition> definition = interfaceOf(path, s.body);
      std::size_t next = 0;
      if (!definition) definition = ClassReader(s.body, 0, s.body.size()).read(next);
      const std::vector<std::string> packages = packagesOf(path);
      const bool complete = definition && (definition->isInterface || next == s.body.size()) &&
                            definition->name == path && !holdsTargetedLabel(s.body, 0, s.body.size(), targets) &&
                            std::all_of(packages.begin(), packages.end(),
                                        [&](const std::string& p) { return createdPackages.count(p) != 0; });
      (complete ? folded : unfolded).push_back(path);
      out.push_back(complete ? classStatement(std::move(definition), s.start) : std::move(s));
      continue;
    }
    // The form without a guard, which a command-line compiler writes: from the constructor
    // to ASSetPropFlags.
    std::size_t next = 0;
    std::shared_ptr<ClassDefinition> definition = ClassReader(statements, i, statements.size()).read(next);
    if (definition && !holdsTargetedLabel(statements, i, next, targets)) {
      folded.push_back(definition->name);
      out.push_back(classStatement(std::move(definition), s.start));
      i = next - 1;
      continue;
    }
    out.push_back(std::move(s));
  }
  if (folded.empty()) return out;
  // The package guards are part of the class declarations, unless a definition left as
  // plain statements needs them.
  auto within = [](const std::vector<std::string>& paths, const std::string& package) {
    return std::any_of(paths.begin(), paths.end(), [&](const std::string& path) { return path.starts_with(package + "."); });
  };
  std::erase_if(out, [&](const Statement& s) {
    const std::string package = packageGuard(s);
    return !package.empty() && within(folded, package) && !within(unfolded, package);
  });
  return out;
}

}  // namespace orvane
