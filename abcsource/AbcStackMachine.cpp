#include "abcsource/AbcStackMachine.h"

#include <algorithm>

#include "abcsource/AbcIdentifiers.h"
#include "abcsource/AbcIntrinsics.h"
#include "decompiler/FlowStructurer.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

namespace {

/// Registers past this many are named but not tracked (a block can declare 2^30 locals).
constexpr std::uint32_t kTrackedRegisters = 1u << 16;
/// How deep the search for an enumeration's store into the loop variable goes.
constexpr std::size_t kMaxStorePath = 64;
/// Argument counts past the stack take what is there and one empty value.
constexpr std::int64_t kMaxArguments = 1 << 16;

/// increment, decrement, their _i forms, and convert_s, convert_i, convert_u, convert_d,
/// convert_b, coerce, coerce_a, coerce_s.
bool isStepOrConversion(std::uint8_t code) {
  return code == 0x91 || code == 0x93 || code == 0xC0 || code == 0xC1 || code == 0x70 || (code >= 0x73 && code <= 0x76) ||
         code == 0x80 || code == 0x82 || code == 0x85;
}

Operation comparisonOf(std::uint8_t code) {
  switch (code) {
    case 0x0C: case 0x15: return Operation::Less;
    case 0x0D: case 0x16: return Operation::LessOrEqual;
    case 0x0E: case 0x17: return Operation::Greater;
    case 0x0F: case 0x18: return Operation::GreaterOrEqual;
    case 0x13: return Operation::Equal;
    case 0x14: return Operation::Equal;  // negated below
    case 0x19: return Operation::StrictEqual;
    case 0x1A: return Operation::StrictEqual;  // negated below
    default: return Operation::None;
  }
}

Operation binaryOf(std::uint8_t code) {
  switch (code) {
    case 0xA0: case 0xC5: return Operation::Add;
    case 0xA1: case 0xC6: return Operation::Subtract;
    case 0xA2: case 0xC7: return Operation::Multiply;
    case 0xA3: return Operation::Divide;
    case 0xA4: return Operation::Modulo;
    case 0xA5: return Operation::ShiftLeft;
    case 0xA6: return Operation::ShiftRight;
    case 0xA7: return Operation::UnsignedShiftRight;
    case 0xA8: return Operation::BitwiseAnd;
    case 0xA9: return Operation::BitwiseOr;
    case 0xAA: return Operation::BitwiseXor;
    case 0xAB: return Operation::Equal;
    case 0xAC: return Operation::StrictEqual;
    case 0xAD: return Operation::Less;
    case 0xAE: return Operation::LessOrEqual;
    case 0xAF: return Operation::Greater;
    case 0xB0: return Operation::GreaterOrEqual;
    case 0xB1: return Operation::InstanceOf;
    case 0xB3: return Operation::Is;
    case 0x87: return Operation::As;
    case 0xB4: return Operation::In;
    default: return Operation::None;
  }
}

/// The type an operation's result always has, or none.
const char* resultTypeOf(std::uint8_t code) {
  switch (code) {
    case 0xC5: case 0xC6: case 0xC7: case 0xC0: case 0xC1: case 0xC4:
    case 0xA5: case 0xA6: case 0xA8: case 0xA9: case 0xAA: case 0x97:
      return "int";
    case 0xA7: return "uint";
    case 0xA1: case 0xA2: case 0xA3: case 0xA4: case 0x90: case 0x91: case 0x93: return "Number";
    case 0xAB: case 0xAC: case 0xAD: case 0xAE: case 0xAF: case 0xB0: case 0xB1: case 0xB3: case 0xB4: case 0x96:
    case 0xB2:
      return "Boolean";
    case 0x95: return "String";
    default: return nullptr;
  }
}

/// Whether a type node is the top-level type `name` (int, Number, ...).
bool isType(const ExpressionPtr& type, std::string_view name) {
  return type && type->kind == ExpressionKind::Identifier && type->text == name;
}

bool sameType(const ExpressionPtr& a, const ExpressionPtr& b) { return a && b && (a == b || sameTarget(*a, *b)); }

}  // namespace

AbcStackMachine::AbcStackMachine(const AbcFile& file, AbcNames& names, const AbcMethodBody& body,
                                 const AbcDecodedCode& decoded, const FlowStream& flow, const AbcMethodContext& context,
                                 const std::vector<AbcTrait>* globalTraits, AbcFunctionLiterals& literals)
    : m_file(file),
      m_names(names),
      m_body(body),
      m_decoded(decoded),
      m_flow(flow),
      m_context(context),
      m_globalTraits(globalTraits),
      m_literals(literals),
      m_nameExpressions(file, names),
      m_blocks(body, flow, *this) {
  const AbcMethod* method = body.method < file.methods.size() ? &file.methods[body.method] : nullptr;
  m_parameterCount = method != nullptr ? static_cast<std::uint32_t>(method->parameterTypes.size()) : 0;
  m_returnsVoid = method != nullptr && method->returnType != 0 && names.simpleName(method->returnType) == "void" &&
                  names.packageName(method->returnType).empty();
  const std::uint32_t tracked =
      std::min<std::uint32_t>(std::max<std::uint32_t>(body.localCount, m_parameterCount + 2), kTrackedRegisters);
  m_localNames.resize(tracked);
  m_declared.assign(tracked, false);
  m_localTypes.resize(tracked);
  for (std::uint32_t k = 0; k < tracked && k <= m_parameterCount; ++k) m_declared[k] = true;
  for (std::uint32_t k = 1; k <= m_parameterCount && k < tracked; ++k) {
    const bool named = k - 1 < context.parameterNames.size() && !context.parameterNames[k - 1].empty();
    m_localNames[k] = named ? context.parameterNames[k - 1] : "param" + std::to_string(k);
  }
  const std::uint32_t extra = m_parameterCount + 1;
  if (method != nullptr && extra < tracked) {
    if ((method->flags & methodflag::kNeedRest) != 0) {
      m_localNames[extra] = context.restName.empty() ? "rest" : context.restName;
      m_declared[extra] = true;
    } else if ((method->flags & methodflag::kNeedArguments) != 0) {
      m_localNames[extra] = "arguments";
      m_declared[extra] = true;
    }
  }
  // The debug records name the other registers (their register field counts from 1).
  for (const AbcInstruction& instruction : decoded.instructions) {
    if (instruction.code != 0xEF || instruction.operands[0] != 1) continue;
    const auto number = static_cast<std::uint64_t>(instruction.operands[2]) + 1;
    const std::string& name = m_names.string(static_cast<std::uint32_t>(instruction.operands[1]));
    if (number > m_parameterCount + (m_declared[std::min<std::uint64_t>(extra, tracked - 1)] ? 1u : 0u) &&
        number < tracked && !name.empty() && m_localNames[number].empty())
      m_localNames[number] = sourceIdentifier(name);
  }
  for (const AbcInstruction& instruction : decoded.instructions) {
    if (instruction.code != 0x32) continue;
    m_enumerationRegisters.insert(static_cast<std::uint32_t>(instruction.operands[0]));
    m_enumerationRegisters.insert(static_cast<std::uint32_t>(instruction.operands[1]));
  }
  findTemporaries(tracked);
  // A script's code keeps the value of its last statement in a register that its
  // initialiser returns: the value of every statement is stored there.
  if (context.role == AbcMethodRole::kScriptInitialiser) {
    for (std::size_t k = 1; k < decoded.instructions.size(); ++k) {
      if (instruction(k).code != 0x48) continue;
      const AbcInstruction& read = instruction(k - 1);
      const std::int64_t number =
          read.code == 0x62 ? read.operands[0] : read.code >= 0xD1 && read.code <= 0xD3 ? read.code - 0xD0 : 0;
      if (number > 0 && number < tracked && !m_declared[static_cast<std::size_t>(number)])
        m_completionRegister = static_cast<std::uint32_t>(number);
      break;
    }
  }
  m_slotDeclared.assign(std::min<std::size_t>(body.traits.size() + 1, kTrackedRegisters), false);
}

void AbcStackMachine::findTemporaries(std::uint32_t tracked) {
  const auto& instructions = m_decoded.instructions;
  // The discriminant of a switch is let go of just before its lookupswitch; its compares
  // read it as the register the switch reads.
  m_switchRegisters.assign(tracked, false);
  for (std::size_t i = 0; i + 1 < instructions.size(); ++i)
    if (instructions[i].code == 0x08 && instructions[i + 1].code == 0x1B &&
        static_cast<std::uint64_t>(instructions[i].operands[0]) < tracked)
      m_switchRegisters[static_cast<std::size_t>(instructions[i].operands[0])] = true;
  std::vector<bool> killed(tracked, false);
  std::vector<bool> stepped(tracked, false);
  std::vector<std::uint32_t> reads(tracked, 0);
  std::vector<std::uint32_t> stores(tracked, 0);
  for (std::size_t i = 0; i < instructions.size(); ++i) {
    const AbcInstruction& ins = instructions[i];
    const auto number = static_cast<std::uint64_t>(ins.operands[0]);
    switch (ins.code) {
      case 0x08: if (number < tracked) killed[number] = true; break;
      case 0x92: case 0x94: case 0xC2: case 0xC3: if (number < tracked) stepped[number] = true; break;
      case 0x62: case 0xD1: case 0xD2: case 0xD3: {
        const std::uint64_t read = ins.code == 0x62 ? number : ins.code - 0xD0u;
        if (read < tracked && !isCompareRead(i, static_cast<std::uint32_t>(read))) ++reads[read];
        break;
      }
      case 0x63: if (number < tracked) ++stores[number]; break;
      case 0xD5: case 0xD6: case 0xD7: if (ins.code - 0xD4u < tracked) ++stores[ins.code - 0xD4u]; break;
      default: break;
    }
  }
  // A register read more often than stored stays a variable.
  m_temporary.assign(tracked, false);
  for (std::uint32_t k = 1; k < tracked; ++k)
    m_temporary[k] = killed[k] && !stepped[k] && !m_declared[k] && m_localNames[k].empty() && reads[k] <= stores[k];
}

bool AbcStackMachine::isCompareRead(std::size_t i, std::uint32_t number) const {
  return number < m_switchRegisters.size() && m_switchRegisters[number] && i + 1 < m_decoded.instructions.size() &&
         instruction(i + 1).code == 0x1A;
}

bool AbcStackMachine::isTemporaryRead(std::size_t i, std::uint32_t number) const {
  if (number >= m_temporary.size() || !m_temporary[number] || m_temporaries.count(number) == 0 ||
      isCompareRead(i, number))
    return false;
  if (m_enumerationRegisters.count(number) == 0) return true;
  // hasnext2 steps the registers of an enumeration: only the read that ends a temporary
  // use of one gives back the value stored.
  return i + 1 < m_decoded.instructions.size() && instruction(i + 1).code == 0x08 &&
         static_cast<std::uint64_t>(instruction(i + 1).operands[0]) == number;
}

ExpressionPtr AbcStackMachine::temporaryValue(std::uint32_t number, StatementList& out) {
  const ExpressionPtr value = m_temporaries[number];
  // o.x = v as a value keeps v in a temporary: the assignment just made is the value.
  if (m_lastStore.value == value && m_lastStore.list == &out && out.size() == m_lastStore.count &&
      out.back().kind == StatementKind::Expression) {
    out.pop_back();
    ExpressionPtr assignment = assignmentValue(m_lastStore.target, m_lastStore.stored, false);
    m_lastStore = {};
    m_temporaries[number] = assignment;
    return assignment;
  }
  return value;
}

void AbcStackMachine::fail(const std::string& what) {
  if (m_failure.empty()) m_failure = what;
}

ExpressionPtr AbcStackMachine::marked(ExpressionPtr node, Marker marker, std::uint32_t number, std::uint32_t index) {
  m_markers[node.get()] = MarkerInfo{node, marker, number, index};
  return node;
}

const AbcStackMachine::MarkerInfo* AbcStackMachine::markerOf(const Expression& e) const {
  const auto found = m_markers.find(&e);
  return found == m_markers.end() ? nullptr : &found->second;
}

bool AbcStackMachine::isMarker(const Expression& e, Marker marker) const {
  const MarkerInfo* info = markerOf(e);
  return info != nullptr && info->marker == marker;
}

std::string AbcStackMachine::localName(std::uint32_t number) const {
  if (number == 0) {
    if (m_context.isStatic && m_context.classIndex >= 0 &&
        static_cast<std::size_t>(m_context.classIndex) < m_file.instances.size())
      return m_nameExpressions.identifier(m_file.instances[static_cast<std::size_t>(m_context.classIndex)].name);
    return "this";
  }
  if (number < m_localNames.size() && !m_localNames[number].empty()) return m_localNames[number];
  return "_loc" + std::to_string(number) + "_";
}

ExpressionPtr AbcStackMachine::local(std::uint32_t number) { return makeRegister(static_cast<int>(std::min<std::uint32_t>(number, 1u << 30)), localName(number)); }

void AbcStackMachine::recordType(std::uint32_t multiname) {
  const auto& names = m_file.pool.multinames;
  if (multiname >= names.size()) return;
  const AbcMultiname& name = names[multiname];
  if (name.kind == mnkind::kTypeName) {
    recordType(name.base);
    for (const std::uint32_t parameter : name.parameters)
      if (parameter != multiname) recordType(parameter);
    return;
  }
  const std::string package = m_names.packageName(multiname);
  if (!package.empty()) m_namedTypes.insert(package + "::" + m_names.simpleName(multiname));
}

ExpressionPtr AbcStackMachine::typeName(std::uint32_t multiname) {
  recordType(multiname);
  return m_nameExpressions.type(multiname);
}

ExpressionPtr AbcStackMachine::typeOf(const ExpressionPtr& value) const {
  const auto found = m_types.find(value.get());
  return found == m_types.end() ? nullptr : found->second.second;
}

void AbcStackMachine::setType(const ExpressionPtr& value, ExpressionPtr type) { m_types[value.get()] = {value, std::move(type)}; }

void AbcStackMachine::setType(const ExpressionPtr& value, const char* type) { setType(value, makeIdentifier(type)); }

ExpressionPtr AbcStackMachine::conversion(const char* type, ExpressionPtr value, std::size_t at) {
  // Values of the same type need no conversion, nor does the test of a branch.
  if (isType(typeOf(value), type)) return value;
  const bool tested = at + 1 < m_decoded.instructions.size() &&
                      (instruction(at + 1).code == 0x11 || instruction(at + 1).code == 0x12);
  if (tested && std::string_view(type) == "Boolean") return value;
  ExpressionPtr call = makeGlobalCall(type, {value});
  m_conversions[call.get()] = {call, value};
  setType(call, type);
  return call;
}

ExpressionPtr AbcStackMachine::withoutConversion(const ExpressionPtr& value, const ExpressionPtr& type) const {
  // A store into a place of the conversion's type converts by itself.
  const auto found = m_conversions.find(value.get());
  if (found == m_conversions.end() || !sameType(typeOf(value), type)) return value;
  return found->second.second;
}

ExpressionPtr AbcStackMachine::storedValue(std::uint32_t number) const {
  const auto found = m_stored.find(number);
  return found == m_stored.end() ? nullptr : found->second;
}

ExpressionPtr AbcStackMachine::caughtValue(std::uint32_t exception) {
  std::string name = "e";
  if (exception < m_body.exceptions.size() && m_body.exceptions[exception].variable != 0)
    name = m_nameExpressions.identifier(m_body.exceptions[exception].variable);
  return makeIdentifier(std::move(name));
}

std::vector<ExpressionPtr> AbcStackMachine::popArguments(ValueStack& stack, std::int64_t count) {
  count = std::clamp<std::int64_t>(count, 0, std::min<std::int64_t>(static_cast<std::int64_t>(stack.available()) + 1, kMaxArguments));
  std::vector<ExpressionPtr> arguments(static_cast<std::size_t>(count));
  for (std::int64_t k = count; k-- > 0;) arguments[static_cast<std::size_t>(k)] = stack.pop();
  return arguments;
}

ExpressionPtr AbcStackMachine::propertyOf(const ExpressionPtr& object, std::uint32_t multiname, const ExpressionPtr& key) {
  const bool onScope = isMarker(*object, Marker::kScopeLookup) || isMarker(*object, Marker::kGlobal);
  if (key) {
    const ExpressionPtr name = m_nameExpressions.isAttribute(multiname) ? makeAttribute(key) : key;
    return onScope && name == key ? key : makeMember(object, name);
  }
  if (onScope) {
    recordType(multiname);
    return m_nameExpressions.isAttribute(multiname) ? m_nameExpressions.memberName(multiname)
                                                    : m_nameExpressions.scopeName(multiname);
  }
  return makeMember(object, m_nameExpressions.memberName(multiname));
}

ExpressionPtr AbcStackMachine::property(std::uint32_t multiname, ValueStack& stack) {
  const auto& names = m_file.pool.multinames;
  ExpressionPtr key;
  if (multiname < names.size()) {
    const std::uint8_t kind = names[multiname].kind;
    if (kind == mnkind::kMultinameL || kind == mnkind::kMultinameLA) key = stack.pop();
    if (kind == mnkind::kRTQNameL || kind == mnkind::kRTQNameLA) {
      key = stack.pop();
      stack.pop();  // the namespace
    }
    if (kind == mnkind::kRTQName || kind == mnkind::kRTQNameA) {
      // ns::name with the namespace the code computes.
      ExpressionPtr ns = stack.pop();
      ExpressionPtr object = stack.pop();
      ExpressionPtr name = makeNamespacedName(std::move(ns), m_nameExpressions.identifier(multiname));
      if (kind == mnkind::kRTQNameA) name = makeAttribute(std::move(name));
      const bool onScope = isMarker(*object, Marker::kScopeLookup) || isMarker(*object, Marker::kGlobal);
      return onScope ? name : makeMember(object, std::move(name));
    }
  }
  ExpressionPtr object = stack.pop();
  return propertyOf(object, multiname, key);
}

ExpressionPtr AbcStackMachine::slot(const ExpressionPtr& object, std::uint32_t slotId, ExpressionPtr* type,
                                    std::int64_t* declareAs) {
  const MarkerInfo* info = markerOf(*object);
  const std::vector<AbcTrait>* traits = nullptr;
  if (info != nullptr && info->marker == Marker::kActivation) {
    traits = &m_body.traits;
  } else if (info != nullptr && info->marker == Marker::kCatchScope) {
    return caughtValue(info->number);
  } else if (info != nullptr && info->marker == Marker::kGlobal && m_globalTraits != nullptr) {
    for (const AbcTrait& trait : *m_globalTraits)
      if (trait.slotId == slotId && trait.kind != traitkind::kMethod) return m_nameExpressions.scopeName(trait.name);
  } else if (object->kind == ExpressionKind::Register && object->registerNumber == 0 && m_context.classIndex >= 0) {
    const auto index = static_cast<std::size_t>(m_context.classIndex);
    if (m_context.isStatic && index < m_file.classes.size()) traits = &m_file.classes[index].traits;
    if (!m_context.isStatic && index < m_file.instances.size()) traits = &m_file.instances[index].traits;
  }
  if (traits != nullptr) {
    for (std::size_t k = 0; k < traits->size(); ++k) {
      const AbcTrait& trait = (*traits)[k];
      if (trait.slotId != slotId || (trait.kind != traitkind::kSlot && trait.kind != traitkind::kConst)) continue;
      if (traits == &m_body.traits) {
        if (type != nullptr) *type = typeName(trait.type);
        if (declareAs != nullptr && k < m_slotDeclared.size()) *declareAs = static_cast<std::int64_t>(k);
        return makeIdentifier(m_nameExpressions.identifier(trait.name));
      }
      return makeMember(object, m_nameExpressions.memberName(trait.name));
    }
  }
  return makeMember(object, makeString("$slot" + std::to_string(slotId)));
}

ExpressionPtr AbcStackMachine::functionLiteral(std::uint32_t method) {
  std::shared_ptr<const SourceFunction> function = m_literals.literal(method);
  if (!function) return makeIdentifier("$function" + std::to_string(method));
  return makeFunction(std::move(function));
}

void AbcStackMachine::store(const ExpressionPtr& target, const ExpressionPtr& value, std::size_t i, ValueStack& stack,
                            StatementList& out, std::int64_t declareRegister, const ExpressionPtr& declaredType) {
  const ExpressionPtr stored = withoutConversion(value, declaredType ? declaredType : typeOf(value));
  // x++ as a value: the value read before the step stays below the store, converted to a
  // number first where x may hold another type.
  if (isStep(*stored) && stack.top() != nullptr) {
    const Expression* read = stored->operands[0].get();
    const auto converted = m_conversions.find(read);
    const Expression& variable = converted != m_conversions.end() ? *converted->second.second : *read;
    if (sameTarget(variable, *target) && (stack.top() == read || sameTarget(*stack.top(), *target))) {
      stack.values.back() = makePostfix(stepUpdate(*stored, true), target);
      return;
    }
  }
  // a = b as a value: the value duplicated before the store (or before the conversion
  // that the store makes anyway: ++u of a uint) stays on the stack.
  if (stack.top() != nullptr && (stack.values.back() == value || stack.values.back() == stored)) {
    stack.values.back() = assignmentValue(target, stored, false);
    return;
  }
  if (declareRegister >= 0) {
    Statement s = makeStatement(StatementKind::Var, stored);
    s.name = target->text;
    if (!isType(declaredType, "*")) s.type = declaredType;
    emit(out, std::move(s), i);
    return;
  }
  emit(out, expressionStatement(assignmentValue(target, stored, true)), i);
  m_lastStore = {value, &out, out.size(), target, stored};
}

bool AbcStackMachine::storeVectorElement(std::uint32_t multiname, const ExpressionPtr& value, ValueStack& stack) {
  const auto& names = m_file.pool.multinames;
  if (multiname >= names.size() || names[multiname].kind != mnkind::kMultinameL || stack.available() < 3) return false;
  const std::size_t top = stack.values.size();
  const ExpressionPtr& key = stack.values[top - 1];
  const ExpressionPtr& vector = stack.values[top - 2];
  if (stack.values[top - 3] != vector || !key->isNumber) return false;
  std::size_t length = 0;
  ExpressionPtr type;
  std::vector<ExpressionPtr> elements;
  if (const auto partial = m_vectorLengths.find(vector.get()); partial != m_vectorLengths.end()) {
    length = partial->second.second;
    type = vector->operands[0];
    elements.assign(vector->operands.begin() + 1, vector->operands.end());
  } else {
    // new Vector.<T>(n), just made.
    if (vector->kind != ExpressionKind::New || vector->operands.size() != 2 || !vector->operands[1]->isNumber) return false;
    const Expression& constructor = *vector->operands[0];
    if (constructor.kind != ExpressionKind::TypeApplication || constructor.operands.size() != 2) return false;
    const double declared = vector->operands[1]->number;
    if (declared < 1 || declared > static_cast<double>(kMaxArguments)) return false;
    length = static_cast<std::size_t>(declared);
    type = constructor.operands[1];
  }
  if (key->number != static_cast<double>(elements.size()) || elements.size() >= length) return false;
  elements.push_back(value);
  ExpressionPtr literal = makeVectorLiteral(std::move(type), std::move(elements));
  m_vectorLengths[literal.get()] = {literal, length};
  stack.values.resize(top - 2);
  stack.values.back() = std::move(literal);
  return true;
}

void AbcStackMachine::emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) {
  if (markerOf(*value) != nullptr) return;
  switch (value->kind) {
    case ExpressionKind::Empty:
    case ExpressionKind::Literal:
    case ExpressionKind::Identifier:
    case ExpressionKind::Register:
      return;
    case ExpressionKind::Unary:
      // ++x as a statement reads x++.
      if (value->operation == Operation::PreIncrement || value->operation == Operation::PreDecrement) {
        const Operation postfix =
            value->operation == Operation::PreIncrement ? Operation::PostIncrement : Operation::PostDecrement;
        emit(out, expressionStatement(makePostfix(postfix, value->operands[0])), at);
        return;
      }
      break;
    default:
      break;
  }
  emit(out, expressionStatement(value), at);
}

ExpressionPtr AbcStackMachine::branchCondition(std::size_t i, ValueStack& stack) {
  const std::uint8_t code = instruction(i).code;
  if (code == 0x10) return makeLiteral("true");
  if (code == 0x11) return stack.pop();
  if (code == 0x12) return makeNot(stack.pop());
  ExpressionPtr right = stack.pop();
  ExpressionPtr left = stack.pop();
  const Operation op = comparisonOf(code);
  if (op == Operation::None) return makeEmpty();
  ExpressionPtr compare = makeBinary(op, std::move(left), std::move(right));
  // ifnlt and its kin branch when the comparison is false, NaN included; ifne and
  // ifstrictne when the equality is false, so that an if's test reads back as a == b.
  const bool negated = (code >= 0x0C && code <= 0x0F) || code == 0x14 || code == 0x1A;
  return negated ? makeUnary(Operation::Not, compare) : compare;
}

std::size_t AbcStackMachine::branchOperands(std::size_t i) const {
  const std::uint8_t code = instruction(i).code;
  return code == 0x10 ? 0 : code == 0x11 || code == 0x12 ? 1 : 2;
}

bool AbcStackMachine::isDiscard(std::size_t i) const { return i < m_decoded.instructions.size() && instruction(i).code == 0x29; }

bool AbcStackMachine::isExpressionCode(std::size_t i) const {
  switch (instruction(i).code) {
    // A store of a duplicated value (stepped or converted on the way) is an assignment
    // inside an expression: while (--k > -1), while (k--); into the activation through
    // getscopeobject; swap; setslot.
    case 0x63: case 0xD4: case 0xD5: case 0xD6: case 0xD7: case 0x6D: {
      std::size_t k = i;
      if (instruction(i).code == 0x6D) {
        if (k < 2 || instruction(k - 1).code != 0x2B || instruction(k - 2).code != 0x65) return false;
        k -= 2;
      }
      while (k > 0 && isStepOrConversion(instruction(k - 1).code)) --k;
      if (k > 0 && instruction(k - 1).code == 0x2A) return true;
      // (x = v) as a value may keep v in a temporary first: dup; setlocal t; coerce; setlocal x;
      // ...; getlocal t.
      const std::uint8_t before = k > 0 ? instruction(k - 1).code : 0;
      return k > 1 && (before == 0x63 || (before >= 0xD4 && before <= 0xD7)) && instruction(k - 2).code == 0x2A;
    }
    case 0x05: case 0x61: case 0x68: case 0x6F:
    case 0x4F: case 0x4E: case 0x49: case 0x03: case 0x47: case 0x48: case 0x1B: case 0x1C: case 0x30: case 0x1D:
      return false;
    default:
      return m_flow[i].loopEnd == kNoIndex;
  }
}

std::size_t AbcStackMachine::structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                                       StatementList& out, const FlowContext& context) {
  if (instruction(i).code == 0x1C && context.depth < kMaxNesting) return withStatement(walk, i, end, stack, out, context);
  return m_blocks.structure(walk, i, end, stack, out, context);
}

std::size_t AbcStackMachine::withStatement(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                                           StatementList& out, const FlowContext& context) {
  // The body ends at the popscope that takes the object off the scope stack again.
  std::size_t close = i + 1;
  for (int depth = 0; close < end; ++close) {
    const std::uint8_t code = instruction(close).code;
    if (code == 0x30 || code == 0x1C) ++depth;
    if (code == 0x1D && depth-- == 0) break;
  }
  if (close >= end || stack.available() == 0) return kNoIndex;
  ExpressionPtr object = stack.pop();
  Statement s = makeStatement(StatementKind::With, object);
  m_scopes.push_back(object);
  {
    FloorGuard guard(stack);
    walk.decodeRange(i + 1, close, stack, s.body, context.nested());
    flush(stack, stack.floor, s.body, close);
  }
  if (!m_scopes.empty()) m_scopes.pop_back();
  emit(out, std::move(s), i);
  return close + 1;
}

void AbcStackMachine::refineLoop(Statement& loop) {
  // for (k in o) / for each (v in o): while (hasnext2(o, i)) whose body begins by storing
  // nextname(o, i) / nextvalue(o, i).
  if (!loop.value) return;
  const MarkerInfo* test = markerOf(*loop.value);
  if (test == nullptr || test->marker != Marker::kHasNext) return;
  Statement* first = nullptr;
  for (Statement& candidate : loop.body) {
    if (candidate.kind == StatementKind::Label) continue;
    first = &candidate;
    break;
  }
  if (first == nullptr || !first->value) return;
  const bool isVar = first->kind == StatementKind::Var;
  const Expression* taken = isVar ? first->value.get()
                            : first->kind == StatementKind::Expression && first->value->operation == Operation::Assign
                                ? first->value->operands[1].get()
                                : nullptr;
  const MarkerInfo* next = taken != nullptr ? markerOf(*taken) : nullptr;
  if (next == nullptr && (first->kind == StatementKind::Expression || first->kind == StatementKind::Var ||
                          first->kind == StatementKind::If)) {
    // for each (v in o) v.x = 1; with the store kept as the value the first statement (its
    // expression, a var's value, an if's test) begins with: (v = nextvalue(o, i)).x = 1.
    ExpressionPtr variable;
    Marker kind = Marker::kNextValue;
    ExpressionPtr rest = withoutEnumerationStore(first->value, *test, variable, kind);
    if (!variable) return;
    loop.kind = kind == Marker::kNextName ? StatementKind::ForIn : StatementKind::ForEach;
    loop.declares = false;
    loop.name = expressionText(*variable, 0);
    loop.value = loop.value->operands[1];
    first->value = std::move(rest);
    return;
  }
  if (next == nullptr || (next->marker != Marker::kNextName && next->marker != Marker::kNextValue) ||
      next->number != test->number || next->index != test->index)
    return;
  loop.kind = next->marker == Marker::kNextName ? StatementKind::ForIn : StatementKind::ForEach;
  loop.declares = isVar;
  loop.name = isVar ? first->name : expressionText(*first->value->operands[0], 0);
  loop.type = isVar ? first->type : nullptr;
  loop.value = loop.value->operands[1];
  loop.body.erase(loop.body.begin() + (first - loop.body.data()));
}

ExpressionPtr AbcStackMachine::withoutEnumerationStore(const ExpressionPtr& e, const MarkerInfo& test,
                                                       ExpressionPtr& variable, Marker& kind) const {
  // What runs first: the leftmost operand all the way down, the value of a store into a
  // variable. Each step keeps the node and the operand taken.
  std::vector<std::pair<const Expression*, std::size_t>> path;
  const Expression* node = e.get();
  while (path.size() < kMaxStorePath && !node->operands.empty()) {
    const bool toVariable = node->kind == ExpressionKind::Assign &&
                            (node->operands[0]->kind == ExpressionKind::Register ||
                             node->operands[0]->kind == ExpressionKind::Identifier);
    if (toVariable && node->operation == Operation::Assign) {
      const MarkerInfo* next = markerOf(*node->operands[1]);
      if (next != nullptr && (next->marker == Marker::kNextName || next->marker == Marker::kNextValue) &&
          next->number == test.number && next->index == test.index) {
        variable = node->operands[0];
        kind = next->marker;
        break;
      }
    }
    const std::size_t taken = toVariable ? 1 : 0;
    path.emplace_back(node, taken);
    node = node->operands[taken].get();
  }
  if (!variable) return e;
  // The path rebuilt with the variable in place of the store.
  ExpressionPtr replaced = variable;
  for (std::size_t k = path.size(); k-- > 0;) {
    Expression copy = *path[k].first;
    copy.operands[path[k].second] = replaced;
    replaced = std::make_shared<const Expression>(std::move(copy));
  }
  return replaced;
}

void AbcStackMachine::storeLocal(std::size_t i, std::uint32_t number, ValueStack& stack, StatementList& out) {
  ExpressionPtr value = stack.pop();
  // The register that keeps the activation object or a catch scope is no variable.
  if (isMarker(*value, Marker::kActivation) || isMarker(*value, Marker::kCatchScope)) {
    m_scopeRegisters[number] = value;
    return;
  }
  m_scopeRegisters.erase(number);
  m_stored[number] = value;
  if (number == m_completionRegister) {
    if (stack.top() != value.get()) emitValue(value, out, i);
    return;
  }
  // The compiler's temporaries are read back as the value they hold; a value that does
  // something is kept only while a copy of it is on the stack, which runs it.
  const bool temporary = number < m_temporary.size() && m_temporary[number] &&
                         (!value->hasEffects || stack.top() == value.get());
  if (temporary) m_temporaries[number] = value;
  else m_temporaries.erase(number);
  // The registers a for-in loop walks with are the compiler's, not the author's.
  if (m_enumerationRegisters.count(number) != 0) {
    m_enumerated[number] = value;
    return;
  }
  if (temporary) return;
  std::int64_t declare = -1;
  ExpressionPtr type;
  if (number < m_localNames.size() && !m_declared[number]) {
    m_declared[number] = true;
    declare = number;
    type = typeOf(value);
    m_localTypes[number] = type;
  } else if (number < m_localNames.size()) {
    type = m_localTypes[number];
  }
  store(local(number), value, i, stack, out, declare, type);
}

std::size_t AbcStackMachine::readInstruction(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) {
  (void)end;
  const AbcInstruction& ins = instruction(i);
  const auto push = [&](ExpressionPtr value) { stack.push(std::move(value)); };
  const auto statement = [&](ExpressionPtr value) { emit(out, expressionStatement(std::move(value)), i); };
  if (const Operation op = binaryOf(ins.code); op != Operation::None) {
    ExpressionPtr right = stack.pop();
    ExpressionPtr left = stack.pop();
    push(makeBinary(op, std::move(left), std::move(right)));
    if (const char* type = resultTypeOf(ins.code)) setType(stack.values.back(), type);
    return i + 1;
  }
  if (const AbcIntrinsic* intrinsic = intrinsicOf(ins.code)) {
    std::vector<ExpressionPtr> arguments = popArguments(stack, intrinsic->operands);
    ExpressionPtr call = makeGlobalCall(intrinsic->name, std::move(arguments));
    m_namedTypes.insert(std::string(kIntrinsicsPackage) + "::" + intrinsic->name);
    if (intrinsic->isStore) statement(std::move(call));
    else push(std::move(call));
    return i + 1;
  }
  const std::size_t depth = stack.size();
  const std::size_t next = readValue(i, ins, stack, out);
  if (const char* type = resultTypeOf(ins.code); type != nullptr && stack.size() == depth && stack.top() != nullptr)
    setType(stack.values.back(), type);
  return next;
}

std::size_t AbcStackMachine::readValue(std::size_t i, const AbcInstruction& ins, ValueStack& stack, StatementList& out) {
  const auto operand = [&](int k) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(ins.operands[k], 0, 0xFFFFFFFF)); };
  const auto push = [&](ExpressionPtr value) { stack.push(std::move(value)); };
  const auto statement = [&](ExpressionPtr value) { emit(out, expressionStatement(std::move(value)), i); };
  switch (ins.code) {
    case 0x02: case 0x09: case 0x01: case 0x08: case 0xEF: case 0xF0: case 0xF1: case 0xF2: case 0xF3: case 0x82:
      break;  // nop, label, bkpt, kill, debug records, coerce_a
    case 0x20: push(makeLiteral("null")); break;
    case 0x21: push(makeLiteral("undefined")); break;
    case 0x26: push(makeLiteral("true")); break;
    case 0x27: push(makeLiteral("false")); break;
    case 0x28: push(makeLiteral("NaN")); break;
    case 0x24: case 0x25: {
      ExpressionPtr number = makeNumber(static_cast<double>(ins.operands[0]));
      setType(number, "int");
      push(std::move(number));
      break;
    }
    case 0x2D: {
      const auto& table = m_file.pool.integers;
      ExpressionPtr number = makeNumber(operand(0) < table.size() ? table[operand(0)] : 0);
      setType(number, "int");
      push(std::move(number));
      break;
    }
    case 0x2E: {
      const auto& table = m_file.pool.unsignedIntegers;
      ExpressionPtr number = makeNumber(operand(0) < table.size() ? table[operand(0)] : 0);
      setType(number, "uint");
      push(std::move(number));
      break;
    }
    case 0x2F: {
      const auto& table = m_file.pool.doubles;
      ExpressionPtr number = makeNumber(operand(0) < table.size() ? table[operand(0)] : 0.0);
      setType(number, "Number");
      push(std::move(number));
      break;
    }
    case 0x2C: {
      ExpressionPtr text = makeString(m_names.string(operand(0)));
      setType(text, "String");
      push(std::move(text));
      break;
    }
    case 0x31: push(makeString(m_names.namespaceText(operand(0)))); break;
    case 0x29: emitValue(stack.pop(), out, i); break;
    case 0x2A: {
      ExpressionPtr value = stack.pop();
      push(value);
      push(std::move(value));
      break;
    }
    case 0x2B: {
      ExpressionPtr top = stack.pop();
      ExpressionPtr below = stack.pop();
      push(std::move(top));
      push(std::move(below));
      break;
    }
    case 0x30: case 0x1C: m_scopes.push_back(stack.pop()); break;
    case 0x1D: if (!m_scopes.empty()) m_scopes.pop_back(); break;
    case 0x64: push(marked(makeIdentifier("$global"), Marker::kGlobal)); break;
    case 0x65: {
      const std::uint32_t depth = operand(0);
      push(depth < m_scopes.size() ? m_scopes[depth] : marked(makeIdentifier("$scope"), Marker::kScopeLookup));
      break;
    }
    case 0x57: push(marked(makeIdentifier("$activation"), Marker::kActivation)); break;
    case 0x5A: push(marked(makeIdentifier("$catch"), Marker::kCatchScope, operand(0))); break;
    case 0x62: case 0xD0: case 0xD1: case 0xD2: case 0xD3: {
      const std::uint32_t number = ins.code == 0x62 ? operand(0) : ins.code - 0xD0u;
      if (const auto kept = m_scopeRegisters.find(number); kept != m_scopeRegisters.end()) {
        push(kept->second);
        break;
      }
      if (isTemporaryRead(i, number)) {
        push(temporaryValue(number, out));
        break;
      }
      ExpressionPtr value = local(number);
      if (number < m_localTypes.size() && m_localTypes[number]) setType(value, m_localTypes[number]);
      push(std::move(value));
      break;
    }
    case 0x63: case 0xD4: case 0xD5: case 0xD6: case 0xD7:
      storeLocal(i, ins.code == 0x63 ? operand(0) : ins.code - 0xD4u, stack, out);
      break;
    case 0x92: case 0x94: case 0xC2: case 0xC3: {
      const bool up = ins.code == 0x92 || ins.code == 0xC2;
      statement(makePostfix(up ? Operation::PostIncrement : Operation::PostDecrement, local(operand(0))));
      break;
    }
    case 0x91: case 0xC0: push(makeStep(Operation::Increment, stack.pop())); break;
    case 0x93: case 0xC1: push(makeStep(Operation::Decrement, stack.pop())); break;
    case 0x90: case 0xC4: push(makeUnary(Operation::Negate, stack.pop())); break;
    case 0x96: push(makeNot(stack.pop())); break;
    case 0x97: push(makeUnary(Operation::BitwiseNot, stack.pop())); break;
    case 0x95: push(makeUnary(Operation::TypeOf, stack.pop())); break;
    case 0x73: push(conversion("int", stack.pop(), i)); break;
    case 0x74: push(conversion("uint", stack.pop(), i)); break;
    case 0x75: push(conversion("Number", stack.pop(), i)); break;
    case 0x76: push(conversion("Boolean", stack.pop(), i)); break;
    case 0x70: push(conversion("String", stack.pop(), i)); break;
    case 0x77: case 0x89: case 0x78: break;  // convert_o, coerce_o, checkfilter leave the value as it is
    case 0x83: case 0x84: case 0x85: case 0x81: case 0x88: {
      // Implicit coercions: the value is the same; the type is what a var of it declares.
      const char* type = ins.code == 0x83 ? "int" : ins.code == 0x84 ? "Number" : ins.code == 0x85 ? "String"
                       : ins.code == 0x81 ? "Boolean" : "uint";
      if (stack.top() != nullptr && !typeOf(stack.values.back())) setType(stack.values.back(), type);
      break;
    }
    case 0x80: {
      ExpressionPtr type = typeName(operand(0));
      if (stack.top() != nullptr && !typeOf(stack.values.back())) setType(stack.values.back(), std::move(type));
      break;
    }
    case 0x86: {
      ExpressionPtr value = stack.pop();
      push(makeBinary(Operation::As, std::move(value), typeName(operand(0))));
      break;
    }
    case 0xB2: {
      ExpressionPtr value = stack.pop();
      push(makeBinary(Operation::Is, std::move(value), typeName(operand(0))));
      break;
    }
    case 0x5D: case 0x5E: case 0x5F: {
      // The runtime parts of the name are looked up with it; the object is the scope.
      const auto& names = m_file.pool.multinames;
      if (operand(0) < names.size()) {
        const std::uint8_t kind = names[operand(0)].kind;
        if (kind == mnkind::kMultinameL || kind == mnkind::kMultinameLA || kind == mnkind::kRTQName ||
            kind == mnkind::kRTQNameA)
          stack.pop();
        if (kind == mnkind::kRTQNameL || kind == mnkind::kRTQNameLA) {
          stack.pop();
          stack.pop();
        }
      }
      push(marked(makeIdentifier("$scope"), Marker::kScopeLookup));
      break;
    }
    case 0x60: {
      recordType(operand(0));
      push(m_nameExpressions.scopeName(operand(0)));
      break;
    }
    case 0x66: push(property(operand(0), stack)); break;
    case 0x59: {
      ExpressionPtr object = stack.pop();
      push(makeDescendants(object, m_nameExpressions.memberName(operand(0))));
      break;
    }
    case 0x61: case 0x68: {
      ExpressionPtr value = stack.pop();
      if (storeVectorElement(operand(0), value, stack)) break;
      ExpressionPtr target = property(operand(0), stack);
      // The script's class definitions: the class engineer's text declares them.
      if (isMarker(*value, Marker::kClassObject)) break;
      store(target, value, i, stack, out, -1, {});
      break;
    }
    case 0x6A: push(makeUnary(Operation::Delete, property(operand(0), stack))); break;
    case 0x04: {
      property(operand(0), stack);
      push(makeMember(makeIdentifier("super"), m_nameExpressions.memberName(operand(0))));
      break;
    }
    case 0x05: {
      ExpressionPtr value = stack.pop();
      property(operand(0), stack);
      statement(makeAssign(Operation::Assign, makeMember(makeIdentifier("super"), m_nameExpressions.memberName(operand(0))), value));
      break;
    }
    case 0x6C: {
      ExpressionPtr object = stack.pop();
      ExpressionPtr type;
      push(slot(object, operand(0), &type, nullptr));
      break;
    }
    case 0x6D: {
      ExpressionPtr value = stack.pop();
      ExpressionPtr object = stack.pop();
      if (isMarker(*object, Marker::kCatchScope)) break;  // the caught value stored into its scope
      ExpressionPtr type;
      std::int64_t declareAs = -1;
      ExpressionPtr target = slot(object, operand(0), &type, &declareAs);
      if (declareAs >= 0 && m_slotDeclared[static_cast<std::size_t>(declareAs)]) declareAs = -1;
      if (declareAs >= 0) m_slotDeclared[static_cast<std::size_t>(declareAs)] = true;
      if (declareAs >= 0 && target->kind == ExpressionKind::Identifier) {
        store(makeRegister(-1, target->text), value, i, stack, out, declareAs, type);
        break;
      }
      store(target, value, i, stack, out, -1, type);
      break;
    }
    case 0x6E: push(slot(marked(makeIdentifier("$global"), Marker::kGlobal), operand(0), nullptr, nullptr)); break;
    case 0x6F: {
      ExpressionPtr value = stack.pop();
      store(slot(marked(makeIdentifier("$global"), Marker::kGlobal), operand(0), nullptr, nullptr), value, i, stack,
            out, -1, {});
      break;
    }
    case 0x46: case 0x4C: case 0x4F: case 0x45: case 0x4E: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[1]);
      const bool isSuper = ins.code == 0x45 || ins.code == 0x4E;
      ExpressionPtr callee = property(operand(0), stack);
      if (isSuper) callee = makeMember(makeIdentifier("super"), m_nameExpressions.memberName(operand(0)));
      ExpressionPtr call = makeCall(std::move(callee), std::move(arguments));
      if (ins.code == 0x4F || ins.code == 0x4E) statement(std::move(call));
      else push(std::move(call));
      break;
    }
    case 0x4A: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[1]);
      push(makeNew(property(operand(0), stack), std::move(arguments)));
      break;
    }
    case 0x41: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[0]);
      stack.pop();  // the receiver
      push(makeCall(stack.pop(), std::move(arguments)));
      break;
    }
    case 0x42: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[0]);
      push(makeNew(stack.pop(), std::move(arguments)));
      break;
    }
    case 0x49: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[0]);
      stack.pop();
      statement(makeCall(makeIdentifier("super"), std::move(arguments)));
      break;
    }
    case 0x43: case 0x44: {
      std::vector<ExpressionPtr> arguments = popArguments(stack, ins.operands[1]);
      ExpressionPtr object = stack.pop();
      const std::string& name = m_names.methodName(operand(0));
      push(makeCall(makeMember(object, makeString(isIdentifier(name) ? name : "$method" + std::to_string(operand(0)))),
                    std::move(arguments)));
      break;
    }
    case 0x53: {
      std::vector<ExpressionPtr> parameters = popArguments(stack, ins.operands[0]);
      // Vector.<*> names its parameter with null.
      for (ExpressionPtr& parameter : parameters)
        if (parameter->kind == ExpressionKind::Literal && parameter->text == "null") parameter = makeIdentifier("*");
      ExpressionPtr base = stack.pop();
      push(makeTypeApplication(std::move(base), std::move(parameters)));
      break;
    }
    case 0x55: {
      const std::int64_t pairs = std::clamp<std::int64_t>(ins.operands[0], 0, (static_cast<std::int64_t>(stack.available()) + 2) / 2);
      std::vector<ExpressionPtr> flat = popArguments(stack, pairs * 2);
      std::vector<std::string> keys;
      std::vector<ExpressionPtr> values;
      for (std::size_t k = 0; k + 1 < flat.size(); k += 2) {
        const std::string* text = stringValue(*flat[k]);
        keys.push_back(text != nullptr ? *text : expressionText(*flat[k], 0));
        values.push_back(flat[k + 1]);
      }
      push(makeObject(std::move(keys), std::move(values)));
      break;
    }
    case 0x56: push(makeArray(popArguments(stack, ins.operands[0]))); break;
    case 0x40: push(functionLiteral(operand(0))); break;
    case 0x58: {
      stack.pop();  // the base class
      const std::uint32_t index = operand(0);
      const std::string name = index < m_file.instances.size() ? m_nameExpressions.identifier(m_file.instances[index].name) : "$class";
      push(marked(makeIdentifier(name), Marker::kClassObject));
      break;
    }
    case 0x32: {
      const std::uint32_t object = operand(0);
      const std::uint32_t index = operand(1);
      const auto enumerated = m_enumerated.find(object);
      ExpressionPtr walked = enumerated != m_enumerated.end() ? enumerated->second : local(object);
      push(marked(makeCall(makeIdentifier("$hasnext"), {walked, local(index)}), Marker::kHasNext, object, index));
      break;
    }
    case 0x1E: case 0x23: {
      ExpressionPtr index = stack.pop();
      ExpressionPtr object = stack.pop();
      const bool name = ins.code == 0x1E;
      const std::uint32_t objectRegister = object->kind == ExpressionKind::Register ? static_cast<std::uint32_t>(object->registerNumber) : 0xFFFFFFFF;
      const std::uint32_t indexRegister = index->kind == ExpressionKind::Register ? static_cast<std::uint32_t>(index->registerNumber) : 0xFFFFFFFF;
      push(marked(makeCall(makeIdentifier(name ? "$nextname" : "$nextvalue"), {object, index}),
                  name ? Marker::kNextName : Marker::kNextValue, objectRegister, indexRegister));
      break;
    }
    case 0x71: case 0x72: push(stack.pop()); break;  // XML escapes: the text is the value's
    case 0x06: case 0x07: break;
    case 0x48: {
      ExpressionPtr value = stack.pop();
      flush(stack, stack.floor, out, i);
      // A void method's value is undefined whatever it returns, and its source may return
      // none: the value's code runs before the return.
      if (m_returnsVoid) {
        emitValue(value, out, i);
        value = nullptr;
      }
      emit(out, makeStatement(StatementKind::Return, std::move(value)), i);
      break;
    }
    case 0x47:
      // What the method leaves on the stack (a call whose value nothing took) ran before.
      flush(stack, stack.floor, out, i);
      emit(out, makeStatement(StatementKind::Return), i);
      break;
    case 0x03: {
      ExpressionPtr value = stack.pop();
      flush(stack, stack.floor, out, i);
      emit(out, makeStatement(StatementKind::Throw, std::move(value)), i);
      break;
    }
    default: {
      const char* mnemonic = ins.opcode().mnemonic;
      fail(std::string("instruction ") + (mnemonic != nullptr ? mnemonic : "?") + " at " + std::to_string(ins.offset));
      emit(out, makeComment(std::string("not decompiled: ") + (mnemonic != nullptr ? mnemonic : "unknown instruction") + " at " + std::to_string(ins.offset)), i);
      break;
    }
  }
  return i + 1;
}

}  // namespace orvane
