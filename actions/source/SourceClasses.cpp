#include "actions/source/SourceClasses.h"

#include <algorithm>

#include "actions/source/SourceWriter.h"

namespace orvane {

namespace {

constexpr std::string_view kGlobal = "_global.";

/// The dotted name of a member chain that starts at _global ("a.b.C"), or empty.
std::string globalPath(const Expression& e) {
  if (e.kind == ExpressionKind::Identifier && e.text.starts_with(kGlobal)) return e.text.substr(kGlobal.size());
  if (e.kind != ExpressionKind::Member) return {};
  const std::string* name = stringValue(*e.operands[1]);
  if (name == nullptr) return {};
  if (e.operands[0]->kind == ExpressionKind::Identifier && e.operands[0]->text == "_global") return *name;
  const std::string base = globalPath(*e.operands[0]);
  return base.empty() ? std::string() : base + "." + *name;
}

/// The type name a superclass or interface expression stands for.
std::string typeName(const Expression& e) {
  const std::string path = globalPath(e);
  return path.empty() ? expressionText(e, 0) : path;
}

/// The path P of `if (!_global.P) { ... }`, with the statement's body.
std::string guardedPath(const Statement& s) {
  if (s.kind != StatementKind::If || !s.alternative.empty() || s.value->kind != ExpressionKind::Unary ||
      s.value->text != "!")
    return {};
  return globalPath(*s.value->operands[0]);
}

bool isRegisterMember(const Expression& e, const std::string& registerName, std::string& member) {
  if (e.kind != ExpressionKind::Member || e.operands[0]->kind != ExpressionKind::Register ||
      e.operands[0]->text != registerName)
    return false;
  const std::string* name = stringValue(*e.operands[1]);
  if (name == nullptr) return false;
  member = *name;
  return true;
}

/// The class that the body of `if (!_global.<path>)` defines in the compiler's pattern, or none.
std::shared_ptr<ClassDefinition> classOf(const std::string& path, const StatementList& body) {
  std::vector<const Statement*> list;
  for (const Statement& s : body)
    if (s.kind != StatementKind::Label) list.push_back(&s);
  std::size_t at = 0;
  auto next = [&]() -> const Statement* { return at < list.size() ? list[at] : nullptr; };
  // _global.a.b.C = _loc1_ = function (...) { constructor };
  const Statement* first = next();
  if (first == nullptr || first->kind != StatementKind::Expression || first->value->kind != ExpressionKind::Assign ||
      first->value->text != "=" || globalPath(*first->value->operands[0]) != path)
    return nullptr;
  const Expression& stored = *first->value->operands[1];
  if (stored.kind != ExpressionKind::Assign || stored.operands[0]->kind != ExpressionKind::Register ||
      stored.operands[1]->kind != ExpressionKind::Function)
    return nullptr;
  auto klass = std::make_shared<ClassDefinition>();
  klass->name = path;
  klass->constructor = stored.operands[1]->function;
  const std::string constructorRegister = stored.operands[0]->text;
  ++at;
  std::string prototypeRegister;
  for (; next() != nullptr; ++at) {
    const Statement& s = *next();
    std::string member;
    if (s.kind == StatementKind::Var && s.value && isRegisterMember(*s.value, constructorRegister, member) &&
        member == "prototype") {
      prototypeRegister = s.name;
      continue;
    }
    if (s.kind != StatementKind::Expression || !s.value) return nullptr;
    const Expression& e = *s.value;
    if (e.kind == ExpressionKind::Binary && e.text == "extends" && globalPath(*e.operands[0]) == path) {
      klass->superclass = typeName(*e.operands[1]);
      continue;
    }
    if (e.kind == ExpressionKind::Binary && e.text == "implements") {
      for (const ExpressionPtr& type : e.operands[1]->operands) klass->interfaces.push_back(typeName(*type));
      continue;
    }
    if (e.kind == ExpressionKind::Call && e.operands[0]->kind == ExpressionKind::Identifier &&
        e.operands[0]->text == "ASSetPropFlags")
      continue;
    if (e.kind == ExpressionKind::Call &&
        (isRegisterMember(*e.operands[0], prototypeRegister, member) ||
         isRegisterMember(*e.operands[0], constructorRegister, member)) &&
        member == "addProperty")
      continue;
    if (e.kind != ExpressionKind::Assign || e.text != "=") return nullptr;
    ClassMember entry;
    if (!prototypeRegister.empty() && isRegisterMember(*e.operands[0], prototypeRegister, member)) {
      entry.isStatic = false;
    } else if (isRegisterMember(*e.operands[0], constructorRegister, member)) {
      entry.isStatic = true;
    } else {
      return nullptr;
    }
    const Expression& value = *e.operands[1];
    if (value.kind == ExpressionKind::Function) {
      entry.function = value.function;
      entry.kind = ClassMember::Kind::Method;
      if (member.starts_with("__get__")) entry.kind = ClassMember::Kind::Getter;
      if (member.starts_with("__set__")) entry.kind = ClassMember::Kind::Setter;
      entry.name = entry.kind == ClassMember::Kind::Method ? member : member.substr(7);
    } else {
      entry.kind = ClassMember::Kind::Variable;
      entry.name = member;
      entry.value = e.operands[1];
    }
    klass->members.push_back(std::move(entry));
  }
  return klass;
}

/// `if (!_global.P) { _global.P = new Object(); }`: the guard that creates a package.
std::string packageGuard(const Statement& s) {
  const std::string path = guardedPath(s);
  if (path.empty() || s.body.size() != 1) return {};
  const Statement& body = s.body.front();
  if (body.kind != StatementKind::Expression || body.value->kind != ExpressionKind::Assign ||
      globalPath(*body.value->operands[0]) != path || body.value->operands[1]->kind != ExpressionKind::New)
    return {};
  return path;
}

}  // namespace

StatementList reconstructClasses(StatementList statements) {
  std::vector<std::string> classes;
  for (Statement& s : statements) {
    const std::string path = guardedPath(s);
    if (path.empty()) continue;
    std::shared_ptr<ClassDefinition> klass = classOf(path, s.body);
    if (!klass) continue;
    Statement definition;
    definition.kind = StatementKind::Class;
    definition.start = s.start;
    definition.klass = std::move(klass);
    s = std::move(definition);
    classes.push_back(path);
  }
  if (classes.empty()) return statements;
  // The package guards before a class are part of its declaration.
  std::erase_if(statements, [&](const Statement& s) {
    const std::string package = packageGuard(s);
    return !package.empty() && std::any_of(classes.begin(), classes.end(), [&](const std::string& name) {
      return name.starts_with(package + ".");
    });
  });
  return statements;
}

}  // namespace orvane
