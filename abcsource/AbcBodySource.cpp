#include "abcsource/AbcBodySource.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "abc/AbcDisassembly.h"
#include "abcsource/AbcFlow.h"
#include "abcsource/AbcIdentifiers.h"
#include "abcsource/AbcNameExpressions.h"
#include "abcsource/AbcParameterNames.h"
#include "abcsource/AbcStackMachine.h"
#include "decompiler/SourceWriter.h"
#include "decompiler/FlowStructurer.h"

namespace orvane {

namespace {

/// The bound of a decompiled text, as for the ActionScript 1 and 2 source.
constexpr std::size_t kMaxSourceText = std::size_t{64} << 20;
/// Function literals nest this deep at most; deeper ones are named, not shown.
constexpr int kMaxLiteralDepth = 8;

/// ActionScript 3 as printed into a file with `names` (none: names as they stand).
SourceStyle abcStyle(const SourceNames* names) {
  SourceStyle style;
  style.invertsRelations = false;
  style.isIdentifier = isIdentifier;
  style.names = names;
  return style;
}

bool isConstantValue(const Expression& e) {
  switch (e.kind) {
    case ExpressionKind::Literal: return true;
    case ExpressionKind::Unary: return e.operation == Operation::Negate && isConstantValue(*e.operands[0]);
    case ExpressionKind::ArrayLiteral:
    case ExpressionKind::ObjectLiteral:
      for (const ExpressionPtr& operand : e.operands)
        if (!isConstantValue(*operand)) return false;
      return true;
    default: return false;
  }
}

/// The statement's value as a trait name stored to: `MAX = 5`, `this.x = 5`, `Foo.MAX = 5`.
const Expression* storedName(const Statement& s, std::string& name) {
  if (s.kind != StatementKind::Expression || !s.value || s.value->operation != Operation::Assign) return nullptr;
  const Expression& target = *s.value->operands[0];
  if (target.kind == ExpressionKind::Identifier || target.kind == ExpressionKind::QualifiedName ||
      target.kind == ExpressionKind::NamespacedName) {
    name = target.text;
  } else if (target.kind == ExpressionKind::Member && target.operands[0]->kind == ExpressionKind::Register &&
             stringValue(*target.operands[1]) != nullptr) {
    name = *stringValue(*target.operands[1]);
  } else {
    return nullptr;
  }
  return s.value->operands[1].get();
}

}  // namespace

/// The body's statements and where the leading stores of an initialiser stand among them.
class AbcBodyTree {
 public:
  StatementList statements;
  std::vector<std::size_t> storeIndices;
};

/// What the decompiler of a block keeps while it reads one body's function literals.
class AbcBodyDecompiler::Literals : public AbcFunctionLiterals {
 public:
  explicit Literals(AbcBodyDecompiler& owner) : m_owner(owner) {}
  std::shared_ptr<const SourceFunction> literal(std::uint32_t method) override { return m_owner.functionLiteral(method); }

 private:
  AbcBodyDecompiler& m_owner;
};

AbcDecompiledBody::AbcDecompiledBody() = default;
AbcDecompiledBody::~AbcDecompiledBody() = default;
AbcDecompiledBody::AbcDecompiledBody(AbcDecompiledBody&&) noexcept = default;
AbcDecompiledBody& AbcDecompiledBody::operator=(AbcDecompiledBody&&) noexcept = default;

void AbcDecompiledBody::appendText(std::string& out, const std::string& indent, std::size_t foldedStores) const {
  appendStatements(out, indent, foldedStores, abcStyle(nullptr));
}

void AbcDecompiledBody::appendText(std::string& out, const std::string& indent, std::size_t foldedStores,
                                   const SourceNames& names) const {
  appendStatements(out, indent, foldedStores, abcStyle(&names));
}

std::string AbcDecompiledBody::initialValueText(std::size_t store, const SourceNames& names) const {
  if (!m_tree || store >= m_tree->storeIndices.size()) return {};
  const Statement& s = m_tree->statements[m_tree->storeIndices[store]];
  return expressionText(*s.value->operands[1], 0, abcStyle(&names));
}

void AbcDecompiledBody::appendStatements(std::string& out, const std::string& indent, std::size_t foldedStores,
                                         const SourceStyle& style) const {
  if (!m_tree) return;
  if (out.size() > kMaxSourceText) {
    out += indent + "// the text ends here: it would grow beyond 64 MB\n";
    return;
  }
  const StatementList* statements = &m_tree->statements;
  StatementList kept;
  if (foldedStores > 0) {
    std::unordered_set<std::size_t> folded(m_tree->storeIndices.begin(),
                                           m_tree->storeIndices.begin() +
                                               static_cast<std::ptrdiff_t>(std::min(foldedStores, m_tree->storeIndices.size())));
    for (std::size_t k = 0; k < statements->size(); ++k)
      if (folded.count(k) == 0) kept.push_back((*statements)[k]);
    statements = &kept;
  }
  const std::string text = statementsText(*statements, 0, style);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out += indent;
    out.append(text, start, end - start);
    out.push_back('\n');
    start = end + 1;
  }
}

AbcBodyDecompiler::AbcBodyDecompiler(const AbcFile& file, AbcNames& names)
    : m_file(file),
      m_names(names),
      m_bodies(file.bodies.size()),
      m_literals(file.bodies.size()),
      m_reading(file.bodies.size(), false) {}

AbcBodyDecompiler::~AbcBodyDecompiler() = default;

std::int64_t AbcBodyDecompiler::bodyOf(std::uint32_t methodIndex) const {
  if (methodIndex >= m_file.methods.size()) return -1;
  const std::int32_t bodyIndex = m_file.methods[methodIndex].body;
  if (bodyIndex < 0 || static_cast<std::size_t>(bodyIndex) >= m_bodies.size()) return -1;
  return bodyIndex;
}

const std::vector<AbcTrait>* AbcBodyDecompiler::scriptTraits(std::uint32_t methodIndex) {
  if (m_scriptOfMethod.empty()) {
    m_scriptOfMethod.assign(m_file.methods.size(), -1);
    const auto note = [&](std::uint32_t method, std::size_t script) {
      if (method < m_scriptOfMethod.size() && m_scriptOfMethod[method] < 0)
        m_scriptOfMethod[method] = static_cast<std::int64_t>(script);
    };
    const auto noteMethods = [&](const std::vector<AbcTrait>& traits, std::size_t script) {
      for (const AbcTrait& trait : traits)
        if (trait.kind == traitkind::kMethod || trait.kind == traitkind::kFunction || trait.kind == traitkind::kGetter ||
            trait.kind == traitkind::kSetter)
          note(trait.index, script);
    };
    for (std::size_t k = 0; k < m_file.scripts.size(); ++k) {
      note(m_file.scripts[k].initialiser, k);
      noteMethods(m_file.scripts[k].traits, k);
      // A class's code runs in the global object of the script that defines it.
      for (const AbcTrait& trait : m_file.scripts[k].traits) {
        if (trait.kind != traitkind::kClass || trait.index >= m_file.instances.size()) continue;
        note(m_file.instances[trait.index].initialiser, k);
        noteMethods(m_file.instances[trait.index].traits, k);
        if (trait.index >= m_file.classes.size()) continue;
        note(m_file.classes[trait.index].initialiser, k);
        noteMethods(m_file.classes[trait.index].traits, k);
      }
    }
  }
  if (methodIndex >= m_scriptOfMethod.size() || m_scriptOfMethod[methodIndex] < 0) return nullptr;
  return &m_file.scripts[static_cast<std::size_t>(m_scriptOfMethod[methodIndex])].traits;
}

StatementList AbcBodyDecompiler::decompile(std::size_t bodyIndex, const AbcMethodContext& context, std::string& failure,
                                           std::vector<std::string>& namedTypes) {
  const AbcMethodBody& body = m_file.bodies[bodyIndex];
  m_reading[bodyIndex] = true;
  const AbcDecodedCode decoded = decodeInstructions(body.code);
  const FlowStream flow = abcFlow(decoded, body);
  Literals literals(*this);
  // The body reads its parameters by the names its declaration gives them, whichever
  // context asks for it first.
  AbcMethodContext named = context;
  if (named.parameterNames.empty()) named.parameterNames = parameterNames(m_file, m_names, body.method);
  // A function literal runs in the global object of the code that creates it.
  const std::vector<AbcTrait>* globals = scriptTraits(body.method);
  if (globals == nullptr) globals = m_globalTraits;
  const std::vector<AbcTrait>* const outer = std::exchange(m_globalTraits, globals);
  AbcStackMachine machine(m_file, m_names, body, decoded, flow, named, globals, literals);
  FlowStructurer walk(flow, machine);
  StatementList statements = walk.run();
  m_globalTraits = outer;
  m_reading[bodyIndex] = false;
  if (!body.errors.empty()) failure = body.errors.front().message;
  else if (decoded.end != AbcCodeEnd::kComplete)
    failure = decoded.end == AbcCodeEnd::kTruncated ? decoded.fault
                                                    : "unknown instruction at " + std::to_string(decoded.stopOffset - 1);
  else failure = machine.failure();
  // The return at the end of every body says nothing; a script's initialiser returns the
  // value of its last statement, which nothing reads and its source cannot write.
  if (!statements.empty() && statements.back().kind == StatementKind::Return &&
      (!statements.back().value || context.role == AbcMethodRole::kScriptInitialiser))
    statements.pop_back();
  if (!failure.empty()) {
    // What was read stands; the listing says what the rest is.
    std::string listing;
    appendBodyListing(listing, m_file, m_names, static_cast<std::uint32_t>(bodyIndex), "");
    statements.push_back(makeComment("could not be decompiled whole: " + failure));
    std::size_t start = 0;
    while (start < listing.size()) {
      std::size_t end = listing.find('\n', start);
      if (end == std::string::npos) end = listing.size();
      statements.push_back(makeComment(listing.substr(start, end - start)));
      start = end + 1;
    }
  }
  namedTypes = machine.namedTypes();
  return statements;
}

std::shared_ptr<const SourceFunction> AbcBodyDecompiler::functionLiteral(std::uint32_t methodIndex) {
  const std::int64_t bodyIndex = bodyOf(methodIndex);
  if (bodyIndex < 0 || m_reading[static_cast<std::size_t>(bodyIndex)] || m_literalDepth >= kMaxLiteralDepth) return nullptr;
  std::shared_ptr<const SourceFunction>& kept = m_literals[static_cast<std::size_t>(bodyIndex)];
  if (kept) return kept;
  const AbcMethod& method = m_file.methods[methodIndex];
  const AbcNameExpressions names(m_file, m_names);
  auto function = std::make_shared<SourceFunction>();
  AbcMethodContext context;
  context.parameterNames = parameterNames(m_file, m_names, methodIndex);
  function->parameters = context.parameterNames;
  for (const std::uint32_t type : method.parameterTypes)
    function->parameterTypes.push_back(type == 0 ? nullptr : names.type(type));
  if ((method.flags & methodflag::kNeedRest) != 0) function->parameters.push_back("...rest");
  if (method.returnType != 0) function->returnType = names.type(method.returnType);
  ++m_literalDepth;
  std::string failure;
  std::vector<std::string> namedTypes;
  function->body = decompile(static_cast<std::size_t>(bodyIndex), context, failure, namedTypes);
  --m_literalDepth;
  m_literalTypes.insert(m_literalTypes.end(), namedTypes.begin(), namedTypes.end());
  if (!failure.empty() && m_literalFailure.empty()) m_literalFailure = failure;
  kept = std::move(function);
  return kept;
}

const std::vector<AbcTrait>* AbcBodyDecompiler::initialisedTraits(std::uint32_t methodIndex,
                                                                 const AbcMethodContext& context) const {
  if (context.role == AbcMethodRole::kScriptInitialiser) {
    for (const AbcScript& script : m_file.scripts)
      if (script.initialiser == methodIndex) return &script.traits;
    return nullptr;
  }
  if ((context.role != AbcMethodRole::kClassInitialiser && context.role != AbcMethodRole::kConstructor) ||
      context.classIndex < 0)
    return nullptr;
  const auto classIndex = static_cast<std::size_t>(context.classIndex);
  if (context.role == AbcMethodRole::kClassInitialiser)
    return classIndex < m_file.classes.size() ? &m_file.classes[classIndex].traits : nullptr;
  return classIndex < m_file.instances.size() ? &m_file.instances[classIndex].traits : nullptr;
}

void AbcBodyDecompiler::findInitialStores(AbcDecompiledBody& result, std::uint32_t methodIndex,
                                          const AbcMethodContext& context) {
  const std::vector<AbcTrait>* traits = initialisedTraits(methodIndex, context);
  if (traits == nullptr) return;
  const AbcNameExpressions names(m_file, m_names);
  std::unordered_map<std::string, const AbcTrait*> variables;  // by name, the last of a name
  for (const AbcTrait& trait : *traits)
    if (trait.kind == traitkind::kSlot || trait.kind == traitkind::kConst) variables[names.identifier(trait.name)] = &trait;
  const StatementList& statements = result.m_tree->statements;
  for (std::size_t k = 0; k < statements.size(); ++k) {
    const Statement& s = statements[k];
    if (s.kind == StatementKind::Label) continue;
    std::string name;
    const Expression* value = storedName(s, name);
    if (value == nullptr) break;
    const auto trait = variables.find(name);
    if (trait == variables.end()) break;
    AbcInitialStore store;
    store.name = trait->second->name;
    store.value = expressionText(*value, 0, abcStyle(nullptr));
    store.isConstant = isConstantValue(*value);
    result.m_initialStores.push_back(std::move(store));
    result.m_tree->storeIndices.push_back(k);
  }
}

const AbcDecompiledBody* AbcBodyDecompiler::body(std::uint32_t methodIndex, const AbcMethodContext& context) {
  const std::int64_t bodyIndex = bodyOf(methodIndex);
  if (bodyIndex < 0) return nullptr;
  std::unique_ptr<AbcDecompiledBody>& slot = m_bodies[static_cast<std::size_t>(bodyIndex)];
  if (slot) return slot.get();
  if (!m_released.empty() && m_released[static_cast<std::size_t>(bodyIndex)]) m_users[static_cast<std::size_t>(bodyIndex)] = 2;
  auto result = std::make_unique<AbcDecompiledBody>();
  result->m_tree = std::make_unique<AbcBodyTree>();
  if (m_reading[static_cast<std::size_t>(bodyIndex)]) {
    result->m_failure = "the body is being read";
    slot = std::move(result);
    return slot.get();
  }
  m_literalTypes.clear();
  m_literalFailure.clear();
  std::vector<std::string> namedTypes;
  result->m_tree->statements = decompile(static_cast<std::size_t>(bodyIndex), context, result->m_failure, namedTypes);
  if (result->m_failure.empty()) result->m_failure = m_literalFailure;
  namedTypes.insert(namedTypes.end(), m_literalTypes.begin(), m_literalTypes.end());
  std::sort(namedTypes.begin(), namedTypes.end());
  namedTypes.erase(std::unique(namedTypes.begin(), namedTypes.end()), namedTypes.end());
  result->m_namedTypes = std::move(namedTypes);
  const AbcMethodBody& body = m_file.bodies[static_cast<std::size_t>(bodyIndex)];
  for (const AbcInstruction& instruction : decodeInstructions(body.code).instructions)
    if (instruction.code == opcode::kNewFunction)
      result->m_functionLiterals.push_back(static_cast<std::uint32_t>(instruction.operands[0]));
  findInitialStores(*result, methodIndex, context);
  slot = std::move(result);
  return slot.get();
}

void AbcBodyDecompiler::appendBody(std::string& out, std::uint32_t methodIndex, const AbcMethodContext& context,
                                   std::size_t& failed) {
  const std::int64_t bodyIndex = bodyOf(methodIndex);
  if (bodyIndex < 0 || m_bodies[static_cast<std::size_t>(bodyIndex)]) return;
  const AbcDecompiledBody* decompiled = body(methodIndex, context);
  out += "// method " + std::to_string(methodIndex) + "\n";
  if (decompiled->failed()) ++failed;
  decompiled->appendText(out, "    ");
}

void AbcBodyDecompiler::appendTraitBodies(std::string& out, const std::vector<AbcTrait>& traits,
                                          AbcMethodContext context, std::size_t& failed) {
  for (const AbcTrait& trait : traits)
    if (trait.kind == traitkind::kMethod || trait.kind == traitkind::kGetter || trait.kind == traitkind::kSetter ||
        trait.kind == traitkind::kFunction)
      appendBody(out, trait.index, context, failed);
}

void AbcBodyDecompiler::releaseUnsharedBodies() {
  if (m_users.empty()) {
    m_users.assign(m_bodies.size(), 0);
    m_released.assign(m_bodies.size(), false);
    for (const AbcMethod& method : m_file.methods)
      if (method.body >= 0 && static_cast<std::size_t>(method.body) < m_users.size())
        m_users[static_cast<std::size_t>(method.body)] = std::min<std::uint8_t>(m_users[static_cast<std::size_t>(method.body)] + 1, 2);
  }
  for (std::size_t b = 0; b < m_bodies.size(); ++b) {
    if (m_users[b] >= 2 || m_reading[b] || !m_bodies[b]) continue;
    m_released[b] = true;
    m_bodies[b].reset();
    m_literals[b].reset();
  }
}

std::size_t AbcBodyDecompiler::appendEveryBody(std::string& out) {
  std::size_t failed = 0;
  for (std::size_t c = 0; c < m_file.instances.size(); ++c) {
    AbcMethodContext context;
    context.classIndex = static_cast<std::int64_t>(c);
    context.isStatic = true;
    if (c < m_file.classes.size()) {
      context.role = AbcMethodRole::kClassInitialiser;
      appendBody(out, m_file.classes[c].initialiser, context, failed);
      context.role = AbcMethodRole::kMethod;
      appendTraitBodies(out, m_file.classes[c].traits, context, failed);
    }
    context.isStatic = false;
    context.role = AbcMethodRole::kConstructor;
    appendBody(out, m_file.instances[c].initialiser, context, failed);
    context.role = AbcMethodRole::kMethod;
    appendTraitBodies(out, m_file.instances[c].traits, context, failed);
  }
  for (const AbcScript& script : m_file.scripts) {
    AbcMethodContext context;
    context.role = AbcMethodRole::kScriptInitialiser;
    appendBody(out, script.initialiser, context, failed);
    context.role = AbcMethodRole::kFunction;
    appendTraitBodies(out, script.traits, context, failed);
  }
  for (std::size_t b = 0; b < m_file.bodies.size(); ++b) appendBody(out, m_file.bodies[b].method, {}, failed);
  return failed;
}

}  // namespace orvane
