#include "actions/source/SourceExpressionBuilder.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "actions/source/SourceGlobalCalls.h"
#include "decompiler/SourceNumber.h"
#include "decompiler/SourceWriter.h"

namespace orvane {

namespace {

Statement assignment(const ExpressionPtr& target, const ExpressionPtr& value) {
  return expressionStatement(assignmentValue(target, value, true));
}

ExpressionPtr variable(const ExpressionPtr& name) {
  if (const std::string* text = stringValue(*name); text != nullptr && isNamePath(*text)) return makeIdentifier(*text);
  return makeGlobalCall("eval", {name});
}

ExpressionPtr frameCall(bool play, ExpressionPtr frame) {
  return makeGlobalCall(play ? "gotoAndPlay" : "gotoAndStop", {std::move(frame)});
}

bool isScratch(const Expression& e) { return e.kind == ExpressionKind::Register && e.registerNumber == 0; }

/// The count that a pushed value stands for, toward zero; NaN and a value the block does not
/// fix count as 0, numbers beyond any stack as 1e9.
long long countValue(const Expression& value) {
  if (const std::string* text = stringValue(value)) return std::atoll(text->c_str());
  const double number = value.isNumber && value.number == value.number ? value.number : 0.0;
  return static_cast<long long>(std::clamp(number, -1.0, 1e9));
}

/// A name that names nothing: the literal undefined or the empty string.
bool isEmptyName(const Expression& name) {
  const std::string* text = stringValue(name);
  return isLiteral(name, "undefined") || (text != nullptr && text->empty());
}

/// How many values beyond its own a record may take from the array that keeps the stack.
constexpr long long kMaxKeptValues = 256;

/// The arguments a record takes, their count first. `unsaid` is set when the count reaches
/// further into the array that keeps the stack than the text follows.
std::vector<ExpressionPtr> popArguments(ValueStack& stack, bool& unsaid) {
  const long long wanted = countValue(*stack.pop());
  // A count beyond the stack takes what is there and one empty value; once an array keeps
  // the stack, each further value comes from it (undefined when it is empty, as the
  // player reads an empty stack).
  const long long limit = static_cast<long long>(stack.available()) + (stack.rest ? kMaxKeptValues : 1);
  if (stack.rest && wanted > limit) unsaid = true;
  const long long count = std::clamp<long long>(wanted, 0, limit);
  std::vector<ExpressionPtr> arguments;
  for (long long k = 0; k < count; ++k) arguments.push_back(stack.pop());
  return arguments;
}

/// The count of an array's elements or an object's members, or none when it is negative or
/// more than the stack holds: the player then takes nothing and yields undefined. Below
/// an enumeration's names only the running code knows how many the stack holds: `unsaid`.
std::optional<std::size_t> initCount(ValueStack& stack, bool& unsaid) {
  const long long count = countValue(*stack.pop());
  if (count < 0) return std::nullopt;
  if (static_cast<unsigned long long>(count) > stack.reachable()) {
    if (stack.rest) unsaid = true;
    return std::nullopt;
  }
  return static_cast<std::size_t>(count);
}

/// Values deeper in the stack than this are not searched before a duplicated value is
/// kept in a variable; compiled code keeps its stacks shallow.
constexpr std::size_t kHoldDepth = 16;

/// N of a name spelled like the variables the decompiler adds (_dupN_, _stackN_, _enumN_,
/// _keyN_, _popN_), or 0.
std::size_t heldNumber(const std::string& name) {
  for (const std::string_view word : {"_dup", "_stack", "_enum", "_key", "_pop"}) {
    if (name.size() < word.size() + 2 || !name.starts_with(word) || name.back() != '_') continue;
    std::size_t number = 0;
    const char* last = name.data() + name.size() - 1;
    const auto [stop, error] = std::from_chars(name.data() + word.size(), last, number);
    return error == std::errc() && stop == last && number < 1000000000 ? number : 0;
  }
  return 0;
}

/// The call of method `name` of the array variable `array`.
ExpressionPtr arrayCall(const std::string& array, const char* name, std::vector<ExpressionPtr> arguments) {
  return makeCall(makeMember(makeIdentifier(array), makeString(name)), std::move(arguments));
}

}  // namespace

ExpressionBuilder::ExpressionBuilder(const InstructionStream& code) : m_code(code) { m_scopes.emplace_back(); }

void ExpressionBuilder::enterFunction(RegisterScope&& scope) { m_scopes.push_back(std::move(scope)); }

void ExpressionBuilder::leaveFunction() { m_scopes.pop_back(); }

std::string ExpressionBuilder::declareRegister(std::uint8_t number) {
  std::string name = registerName(number);
  scope().declared[number] = true;
  return name;
}

std::string ExpressionBuilder::registerName(int number) {
  const std::string& name = scope().names[static_cast<std::size_t>(number)];
  return name.empty() ? "_loc" + std::to_string(number) + "_" : name;
}

ExpressionPtr ExpressionBuilder::poolString(std::size_t index) const {
  if (index < m_pool.size()) return makeString(m_pool[index]);
  return makeIdentifier("$constant" + std::to_string(index));
}

bool ExpressionBuilder::followedByPlay(std::size_t i, std::size_t end) const {
  return i + 1 < end && m_code[i + 1].code == op::kPlay && !m_code[i + 1].isTarget;
}

void ExpressionBuilder::store(const ExpressionPtr& target, const ExpressionPtr& value, std::size_t i,
                              std::size_t end, ValueStack& stack, StatementList& out) {
  // x++ as a value: the value read before the step stays on the stack below the store.
  if (isStep(*value) && sameTarget(*value->operands[0], *target) && stack.top() != nullptr &&
      sameTarget(*stack.top(), *target) && stack.top()->kind != ExpressionKind::Literal) {
    stack.values.back() = makePostfix(stepUpdate(*value, true), target);
    return;
  }
  // o.x op= y of an object the compiler keeps in the scratch register: the store writes
  // (r0 = o).x = r0.x op y.
  const Expression& object = target->kind == ExpressionKind::Member ? *target->operands[0] : *target;
  if (object.kind == ExpressionKind::Assign && object.operation == Operation::Assign && isScratch(*object.operands[0]) &&
      value->kind == ExpressionKind::Binary && value->operands[0]->kind == ExpressionKind::Member &&
      isScratch(*value->operands[0]->operands[0]) && sameTarget(*value->operands[0]->operands[1], *target->operands[1]) &&
      m_code.scratchUnreadFrom(i + 1)) {
    ExpressionPtr place = makeMember(object.operands[1], target->operands[1]);
    emit(out, assignment(place, makeBinary(value->operation, place, value->operands[1])), i);
    return;
  }
  // a = b as a value: the compiler keeps b in a register, stores, and pushes the register.
  const bool throughScratch = value->kind == ExpressionKind::Assign &&
                              value->operands[0]->kind == ExpressionKind::Register &&
                              value->operands[0]->registerNumber == 0 && i > 0 &&
                              m_code[i - 1].code == op::kStoreRegister;
  const bool scratchPushedNext = i + 1 < end && m_code[i + 1].code == op::kPush && !m_code[i + 1].isTarget &&
                                 m_code.body(i + 1).size() >= 2 && m_code.body(i + 1)[0] == 4 &&
                                 m_code.body(i + 1)[1] == 0;
  if (throughScratch && scratchPushedNext && m_code.scratchUnreadFrom(i + 2)) {
    m_assignedValue = assignmentValue(target, value->operands[1], false);
    m_assignedAt = i + 1;
    return;
  }
  emit(out, assignment(target, value), i);
}

void ExpressionBuilder::defineLocal(const ExpressionPtr& name, const ExpressionPtr& value, std::size_t i,
                                    StatementList& out) {
  const std::string* text = stringValue(*name);
  if (text != nullptr && isDeclarableName(*text)) {
    Statement s = makeStatement(StatementKind::Var, value);
    s.name = *text;
    emit(out, std::move(s), i);
    return;
  }
  // A name no declaration spells. On a timeline it names its variable as set() does, a path
  // included; a declaration without a value keeps the value the variable has. In a function
  // set() stands for the local of a name that eval reaches too.
  const bool path = text != nullptr && text->find_first_of("./:") != std::string::npos;
  if (m_scopes.size() == 1 || !path) {
    emit(out, expressionStatement(makeGlobalCall("set", {name, value ? value : variable(name)})), i);
    return;
  }
  // In a function a path names a local of exactly that name, which no lookup reaches.
  const bool plain = value == nullptr || value->kind == ExpressionKind::Literal ||
                     value->kind == ExpressionKind::Identifier || value->kind == ExpressionKind::Register;
  const std::string declared = "var " + quotedText(*text);
  if (plain) {
    emit(out, makeComment(declared + (value ? " = " + expressionText(*value, 0) : std::string()) + ";"), i);
    return;
  }
  emit(out, makeComment(declared + " = the value below;"), i);
  emitValue(value, out, i);
}

void ExpressionBuilder::emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) {
  switch (value->kind) {
    case ExpressionKind::Empty:
    case ExpressionKind::Literal:
    case ExpressionKind::Enumeration:
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
    case ExpressionKind::Assign: {
      const Expression& target = *value->operands[0];
      if (target.kind != ExpressionKind::Register) {
        emit(out,
             value->operation == Operation::Assign ? assignment(value->operands[0], value->operands[1])
                                                   : expressionStatement(value),
             at);
        return;
      }
      const auto number = static_cast<std::size_t>(target.registerNumber);
      Statement s = assignment(value->operands[0], value->operands[1]);
      if (!scope().declared[number] && s.value->kind == ExpressionKind::Assign && s.value->operation == Operation::Assign) {
        scope().declared[number] = true;
        s = makeStatement(StatementKind::Var, value->operands[1]);
        s.name = target.text;
      }
      emit(out, std::move(s), at);
      return;
    }
    default:
      break;
  }
  emit(out, expressionStatement(value), at);
}

void ExpressionBuilder::flush(ValueStack& stack, std::size_t base, StatementList& out, std::size_t at) {
  for (std::size_t k = base; k < stack.values.size(); ++k) emitValue(stack.values[k], out, at);
  if (stack.values.size() > base) stack.values.resize(base);
}

void ExpressionBuilder::duplicate(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) {
  if (stack.rest && stack.exhausted()) {
    // The top value is in the array that keeps the stack: the copy goes in beside it.
    const std::string& kept = scope().keptStack;
    emit(out, expressionStatement(arrayCall(kept, "unshift", {makeMember(makeIdentifier(kept), makeNumber(0))})), i);
    return;
  }
  ExpressionPtr value = stack.peek();
  if (stack.top() == nullptr) {
    // A value of the enclosing code stays below the floor and the copy goes above it.
    if (value->kind == ExpressionKind::Empty) stack.push(value);
  } else if (value->hasEffects && canHoldTop(i, end, stack)) {
    value = hold(value, i, out);
    stack.values.back() = value;
  }
  m_duplicated.insert(value);
  stack.push(std::move(value));
}

bool ExpressionBuilder::canHoldTop(std::size_t i, std::size_t end, const ValueStack& stack) const {
  // a && b and a || b test the duplicated left value; it prints once, as the left operand.
  std::size_t next = i + 1;
  if (next < end && m_code[next].code == op::kNot) ++next;
  if (next < end && m_code[next].code == op::kIf) return false;
  if (stack.size() > kHoldDepth) return false;
  return std::all_of(stack.values.begin(), stack.values.end() - 1, [](const ExpressionPtr& below) {
    return below->kind == ExpressionKind::Literal || below->kind == ExpressionKind::Empty;
  });
}

ExpressionPtr ExpressionBuilder::hold(const ExpressionPtr& value, std::size_t i, StatementList& out) {
  // A register that was just stored holds the value already.
  if (value->kind == ExpressionKind::Assign && value->operation == Operation::Assign &&
      value->operands[0]->kind == ExpressionKind::Register) {
    emitValue(value, out, i);
    return value->operands[0];
  }
  Statement s = makeStatement(StatementKind::Var, value);
  s.name = "_dup" + std::to_string(++m_heldCount) + "_";
  ExpressionPtr name = makeIdentifier(s.name);
  emit(out, std::move(s), i);
  return name;
}

void ExpressionBuilder::untranslated(std::size_t i, std::string reason) {
  if (m_untranslatedAt != kNoIndex) return;
  m_untranslatedAt = i;
  m_untranslatedReason = std::move(reason);
}

bool ExpressionBuilder::beginsForIn(std::size_t i) const {
  // StoreRegister r; Push null; Equals2: the test at the head of the loop, which a jump at
  // the end of the body goes back to.
  return i + 2 < m_code.size() && m_code[i].code == op::kStoreRegister && m_code[i + 1].code == op::kPush &&
         m_code.body(i + 1).size() == 1 && m_code.body(i + 1)[0] == 2 && m_code[i + 2].code == op::kEquals2;
}

ExpressionPtr ExpressionBuilder::takeKept(const std::string& kept) {
  ExpressionPtr next = arrayCall(kept, "shift", {});
  if (m_out == nullptr || m_takesOne) return next;
  Statement s = makeStatement(StatementKind::Var, std::move(next));
  s.name = "_pop" + std::to_string(++m_heldCount) + "_";
  ExpressionPtr name = makeIdentifier(s.name);
  emit(*m_out, std::move(s), m_at);
  return name;
}

void ExpressionBuilder::enumerateOntoStack(ExpressionPtr object, std::size_t i, ValueStack& stack,
                                           StatementList& out) {
  // Inside a branch, loop or block the names would stay on a stack that the code after the
  // statement shares with the paths that did not push them: no program says that.
  if (stack.depth > 0) {
    untranslated(i, std::string(m_code[i].code == 0x46 ? "ActionEnumerate" : "ActionEnumerate2") + " at offset " +
                        std::to_string(m_code[i].offset) +
                        " leaves its names on the stack inside a branch, loop or block, where no statement can say "
                        "which values the code after it reads.");
    stack.push(makeEmpty());
    return;
  }
  std::string& kept = scope().keptStack;
  if (kept.empty()) {
    kept = "_stack" + std::to_string(++m_heldCount) + "_";
    Statement s = makeStatement(StatementKind::Var, makeArray({}));
    s.name = kept;
    emit(out, std::move(s), i);
  }
  const std::string array = kept;
  stack.rest = [this, array] { return takeKept(array); };
  // The values pushed before go into the array first, in the order they were pushed.
  for (const ExpressionPtr& value : stack.values)
    emit(out,
         expressionStatement(arrayCall(array, "unshift",
                                       {value->kind == ExpressionKind::Empty ? makeLiteral("undefined") : value})),
         i);
  stack.values.clear();
  stack.borrowed = 0;
  // A for-in loop visits the names in the order the stack gives them; the end marker
  // below them reads as undefined.
  const std::string number = std::to_string(++m_heldCount);
  const std::string names = "_enum" + number + "_";
  Statement list = makeStatement(StatementKind::Var, makeArray({}));
  list.name = names;
  emit(out, std::move(list), i);
  Statement loop = makeStatement(StatementKind::ForIn, std::move(object));
  loop.name = "_key" + number + "_";
  loop.declares = true;
  emit(loop.body, expressionStatement(arrayCall(names, "push", {makeIdentifier(loop.name)})), i);
  emit(out, std::move(loop), i);
  emit(out,
       assignment(makeIdentifier(array),
                  arrayCall(names, "concat", {makeArray({makeLiteral("undefined")}), makeIdentifier(array)})),
       i);
}

void ExpressionBuilder::pushItems(std::size_t i, ValueStack& stack) {
  BitReader fields = m_code.reader(i);
  bool first = true;
  while (fields.remaining() > 0) {
    const std::uint8_t type = fields.readU8();
    ExpressionPtr value;
    switch (type) {
      case 0: value = makeString(fields.readString()); break;
      case 1: value = makeFloat(std::bit_cast<float>(fields.readU32())); break;
      case 2: value = makeLiteral("null"); break;
      case 3: value = makeLiteral("undefined"); break;
      case 4: {
        const std::uint8_t number = fields.readU8();
        value = makeRegister(number, registerName(number));
        if (first && i == m_assignedAt) value = std::move(m_assignedValue);
        break;
      }
      case 5: value = makeLiteral(fields.readU8() != 0 ? "true" : "false"); break;
      case 6: {
        // The high 32-bit word comes first.
        const std::uint64_t high = fields.readU32();
        const std::uint64_t low = fields.readU32();
        value = makeNumber(std::bit_cast<double>(high << 32 | low));
        break;
      }
      case 7: value = makeNumber(static_cast<std::int32_t>(fields.readU32())); break;
      case 8: value = poolString(fields.readU8()); break;
      case 9: value = poolString(fields.readU16()); break;
      default: return;  // an unknown type: its length is unknown, the rest cannot be read
    }
    if (fields.exhausted()) return;
    stack.push(std::move(value));
    first = false;
  }
}

void ExpressionBuilder::loadPool(std::size_t i) {
  BitReader fields = m_code.reader(i);
  const std::uint16_t count = fields.readU16();
  m_pool.clear();
  for (std::uint16_t k = 0; k < count && fields.remaining() > 0; ++k) {
    std::string text = fields.readString();
    if (fields.exhausted()) break;
    m_heldCount = std::max(m_heldCount, heldNumber(text));
    m_pool.push_back(std::move(text));
  }
}

std::size_t ExpressionBuilder::readRecord(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) {
  const Instruction& instruction = m_code[i];
  // Values taken from the array that keeps the stack are taken while this record runs.
  struct Reading {
    ExpressionBuilder& builder;
    ~Reading() { builder.m_out = nullptr; }
  } reading{*this};
  m_out = &out;
  m_at = i;
  m_takesOne = instruction.code == 0x26 || instruction.code == op::kPop;
  bool unsaid = false;  // the record takes a count of values that only the running code knows
  auto binary = [&](Operation op) {
    ExpressionPtr right = stack.pop();
    ExpressionPtr left = stack.pop();
    // The compiler writes -x as 0 - x and ~x as x ^ 4294967295.
    if (op == Operation::Subtract && left->isNumber && left->number == 0 && !std::signbit(left->number))
      stack.push(makeUnary(Operation::Negate, std::move(right)));
    else if (op == Operation::BitwiseXor && right->isNumber && right->number == 4294967295.0)
      stack.push(makeUnary(Operation::BitwiseNot, std::move(left)));
    else
      stack.push(makeBinary(op, std::move(left), std::move(right)));
  };
  auto unaryCall = [&](const char* name) { stack.push(makeGlobalCall(name, {stack.pop()})); };
  auto statementCall = [&](const char* name, std::vector<ExpressionPtr> arguments) {
    emit(out, expressionStatement(makeGlobalCall(name, std::move(arguments))), i);
  };
  switch (instruction.code) {
    case 0x00:  // ActionEnd
    case 0x89:  // strict mode
      return i + 1;
    case 0x04: statementCall("nextFrame", {}); break;
    case 0x05: statementCall("prevFrame", {}); break;
    case 0x06: statementCall("play", {}); break;
    case 0x07: statementCall("stop", {}); break;
    case 0x08: statementCall("toggleHighQuality", {}); break;
    case 0x09: statementCall("stopAllSounds", {}); break;
    case 0x28: statementCall("stopDrag", {}); break;
    case 0x81: {
      BitReader fields = m_code.reader(i);
      const ExpressionPtr frame = makeNumber(fields.readU16() + 1.0);
      const bool play = followedByPlay(i, end);
      emit(out, expressionStatement(frameCall(play, frame)), i);
      return play ? i + 2 : i + 1;
    }
    case 0x8C: {
      BitReader fields = m_code.reader(i);
      const ExpressionPtr label = makeString(fields.readString());
      const bool play = followedByPlay(i, end);
      emit(out, expressionStatement(frameCall(play, label)), i);
      return play ? i + 2 : i + 1;
    }
    case 0x9F: {
      BitReader fields = m_code.reader(i);
      const std::uint8_t flags = fields.readU8();
      const std::uint16_t bias = (flags & 2) != 0 ? fields.readU16() : 0;
      ExpressionPtr frame = stack.pop();
      if (bias != 0) frame = frame->isNumber ? makeNumber(frame->number + bias) : makeBinary(Operation::Add, frame, makeNumber(bias));
      emit(out, expressionStatement(frameCall((flags & 1) != 0, frame)), i);
      break;
    }
    case 0x83: {
      BitReader fields = m_code.reader(i);
      const std::string url = fields.readString();
      const std::string target = fields.remaining() > 0 ? fields.readString() : std::string();
      emit(out, expressionStatement(urlCall(makeString(url), makeString(target), 0)), i);
      break;
    }
    case 0x9A: {
      BitReader fields = m_code.reader(i);
      const std::uint8_t method = fields.readU8();
      ExpressionPtr target = stack.pop();
      ExpressionPtr url = stack.pop();
      emit(out, expressionStatement(urlCall(url, target, method)), i);
      break;
    }
    case op::kPush: pushItems(i, stack); break;
    case op::kPop: {
      ExpressionPtr value = stack.pop();
      // _loc1_++ as a value: the register read before the step stays below.
      const Expression* below = stack.top();
      if (below != nullptr && below->kind == ExpressionKind::Register && value->kind == ExpressionKind::Assign &&
          value->operands[0]->kind == ExpressionKind::Register &&
          below->registerNumber == value->operands[0]->registerNumber && isStep(*value->operands[1]) &&
          sameTarget(*value->operands[1]->operands[0], *below)) {
        stack.values.back() = makePostfix(stepUpdate(*value->operands[1], true), stack.values.back());
        break;
      }
      // The last copy of a duplicated value that changes nothing: its uses printed it.
      if (!value->hasEffects && m_duplicated.contains(value)) break;
      emitValue(value, out, i);
      break;
    }
    case 0x88: loadPool(i); break;
    case op::kStoreRegister: {
      BitReader fields = m_code.reader(i);
      const std::uint8_t number = fields.readU8();
      stack.push(makeAssign(Operation::Assign, makeRegister(number, registerName(number)), stack.pop()));
      break;
    }
    case 0x4C: duplicate(i, end, stack, out); break;
    case 0x4D: {
      ExpressionPtr top = stack.pop();
      ExpressionPtr below = stack.pop();
      stack.push(std::move(top));
      stack.push(std::move(below));
      break;
    }
    case 0x0A: binary(Operation::NumericAdd); break;
    case 0x47: binary(Operation::Add); break;
    case 0x0B: binary(Operation::Subtract); break;
    case 0x0C: binary(Operation::Multiply); break;
    case 0x0D: binary(Operation::Divide); break;
    case 0x3F: binary(Operation::Modulo); break;
    case 0x0E: binary(Operation::NumericEqual); break;
    case 0x49: binary(Operation::Equal); break;
    case 0x66: binary(Operation::StrictEqual); break;
    case 0x0F: binary(Operation::NumericLess); break;
    case 0x48: binary(Operation::Less); break;
    case 0x67: binary(Operation::Greater); break;
    case 0x10: binary(Operation::And); break;
    case 0x11: binary(Operation::Or); break;
    case 0x13: binary(Operation::StringEqual); break;
    case 0x29: binary(Operation::StringLess); break;
    case 0x68: binary(Operation::StringGreater); break;
    case 0x21: binary(Operation::StringAdd); break;
    case 0x60: binary(Operation::BitwiseAnd); break;
    case 0x61: binary(Operation::BitwiseOr); break;
    case 0x62: binary(Operation::BitwiseXor); break;
    case 0x63: binary(Operation::ShiftLeft); break;
    case 0x64: binary(Operation::ShiftRight); break;
    case 0x65: binary(Operation::UnsignedShiftRight); break;
    case 0x54: binary(Operation::InstanceOf); break;
    case op::kNot: stack.push(makeNot(stack.pop())); break;
    case 0x44: stack.push(makeUnary(Operation::TypeOf, stack.pop())); break;
    case 0x50: stack.push(makeStep(Operation::Increment, stack.pop())); break;
    case 0x51: stack.push(makeStep(Operation::Decrement, stack.pop())); break;
    case 0x14: unaryCall("length"); break;
    case 0x18: unaryCall("int"); break;
    case 0x30: unaryCall("random"); break;
    case 0x31: unaryCall("mblength"); break;
    case 0x32: unaryCall("ord"); break;
    case 0x33: unaryCall("chr"); break;
    case 0x36: unaryCall("mbord"); break;
    case 0x37: unaryCall("mbchr"); break;
    case 0x45: unaryCall("targetPath"); break;
    case 0x4A: stack.push(makeConversion(Operation::ToNumber, stack.pop())); break;
    case 0x4B: stack.push(makeConversion(Operation::ToString, stack.pop())); break;
    case 0x34: stack.push(makeGlobalCall("getTimer", {})); break;
    case 0x15:
    case 0x35: {
      ExpressionPtr count = stack.pop();
      ExpressionPtr index = stack.pop();
      ExpressionPtr text = stack.pop();
      stack.push(makeGlobalCall(instruction.code == 0x15 ? "substring" : "mbsubstring", {text, index, count}));
      break;
    }
    case 0x1C: stack.push(variable(stack.pop())); break;
    case 0x1D: {
      ExpressionPtr value = stack.pop();
      ExpressionPtr name = stack.pop();
      const std::string* text = stringValue(*name);
      if (text != nullptr && isAssignablePath(*text)) {
        store(makeIdentifier(*text), value, i, end, stack, out);
      } else {
        statementCall("set", {name, value});
      }
      break;
    }
    case 0x3C:
    case 0x41: {
      ExpressionPtr value = instruction.code == 0x3C ? stack.pop() : nullptr;
      defineLocal(stack.pop(), value, i, out);
      break;
    }
    case 0x3A: {
      ExpressionPtr name = stack.pop();
      ExpressionPtr object = stack.pop();
      stack.push(makeUnary(Operation::Delete, makeMember(object, name)));
      break;
    }
    case 0x3B: stack.push(makeUnary(Operation::Delete, variable(stack.pop()))); break;
    case 0x22: {
      ExpressionPtr index = stack.pop();
      ExpressionPtr target = stack.pop();
      stack.push(propertyRead(target, index));
      break;
    }
    case 0x23: {
      ExpressionPtr value = stack.pop();
      ExpressionPtr index = stack.pop();
      ExpressionPtr target = stack.pop();
      emit(out, expressionStatement(propertyWrite(target, index, value)), i);
      break;
    }
    case 0x24: {
      ExpressionPtr depth = stack.pop();
      ExpressionPtr target = stack.pop();
      ExpressionPtr source = stack.pop();
      statementCall("duplicateMovieClip", {source, target, clipDepth(depth)});
      break;
    }
    case 0x25: statementCall("removeMovieClip", {stack.pop()}); break;
    case 0x26: statementCall("trace", {stack.pop()}); break;
    case 0x9E: statementCall("call", {stack.pop()}); break;
    case 0x27: {
      ExpressionPtr target = stack.pop();
      ExpressionPtr lock = stack.pop();
      ExpressionPtr constrain = stack.pop();
      std::vector<ExpressionPtr> arguments{target};
      const bool locked = !(isLiteral(*lock, "false") || (lock->isNumber && lock->number == 0));
      const bool constrained = !(isLiteral(*constrain, "false") || (constrain->isNumber && constrain->number == 0));
      if (locked || constrained) arguments.push_back(locked ? makeLiteral("true") : makeLiteral("false"));
      if (constrained) {
        ExpressionPtr bottom = stack.pop();
        ExpressionPtr right = stack.pop();
        ExpressionPtr top = stack.pop();
        ExpressionPtr left = stack.pop();
        arguments.insert(arguments.end(), {left, top, right, bottom});
      }
      statementCall("startDrag", std::move(arguments));
      break;
    }
    case 0x3D: {
      ExpressionPtr name = stack.pop();
      std::vector<ExpressionPtr> arguments = popArguments(stack, unsaid);
      stack.push(makeCall(variable(name), std::move(arguments)));
      break;
    }
    case 0x52:
    case 0x53: {
      ExpressionPtr name = stack.pop();
      ExpressionPtr object = stack.pop();
      std::vector<ExpressionPtr> arguments = popArguments(stack, unsaid);
      ExpressionPtr callee = isEmptyName(*name) ? object : makeMember(object, name);
      stack.push(instruction.code == 0x52 ? makeCall(std::move(callee), std::move(arguments))
                                          : makeNew(std::move(callee), std::move(arguments)));
      break;
    }
    case 0x40: {
      ExpressionPtr name = stack.pop();
      std::vector<ExpressionPtr> arguments = popArguments(stack, unsaid);
      stack.push(makeNew(variable(name), std::move(arguments)));
      break;
    }
    case 0x42: {
      const std::optional<std::size_t> count = initCount(stack, unsaid);
      if (!count) {
        stack.push(makeLiteral("undefined"));
        break;
      }
      std::vector<ExpressionPtr> elements;
      for (std::size_t k = 0; k < *count; ++k) elements.push_back(stack.pop());
      stack.push(makeArray(std::move(elements)));
      break;
    }
    case 0x43: {
      const std::optional<std::size_t> count = initCount(stack, unsaid);
      if (!count) {
        stack.push(makeLiteral("undefined"));
        break;
      }
      std::vector<std::string> names;
      std::vector<ExpressionPtr> values;
      for (std::size_t k = 0; k < *count; ++k) {
        values.push_back(stack.pop());
        ExpressionPtr name = stack.pop();
        const std::string* text = stringValue(*name);
        names.push_back(text != nullptr ? *text : expressionText(*name, 0));
      }
      std::reverse(names.begin(), names.end());
      std::reverse(values.begin(), values.end());
      stack.push(makeObject(std::move(names), std::move(values)));
      break;
    }
    case 0x46:
    case 0x55: {
      ExpressionPtr object = stack.pop();
      // ActionEnumerate looks the name up as a variable, but an empty name (undefined
      // before version 7) enumerates nothing, where eval("") is the timeline.
      if (instruction.code == 0x46) object = isEmptyName(*object) ? makeLiteral("undefined") : variable(object);
      if (beginsForIn(i + 1))
        stack.push(makeEnumeration(std::move(object)));
      else
        enumerateOntoStack(std::move(object), i, stack, out);
      break;
    }
    case 0x4E: {
      ExpressionPtr name = stack.pop();
      ExpressionPtr object = stack.pop();
      stack.push(makeMember(std::move(object), std::move(name)));
      break;
    }
    case 0x4F: {
      ExpressionPtr value = stack.pop();
      ExpressionPtr name = stack.pop();
      ExpressionPtr object = stack.pop();
      store(makeMember(std::move(object), std::move(name)), value, i, end, stack, out);
      break;
    }
    case 0x3E: {
      ExpressionPtr value = stack.pop();
      const bool bare = value->kind == ExpressionKind::Empty || isLiteral(*value, "undefined");
      emit(out, makeStatement(StatementKind::Return, bare ? nullptr : value), i);
      break;
    }
    case 0x2A: emit(out, makeStatement(StatementKind::Throw, stack.pop()), i); break;
    case 0x2B: {
      ExpressionPtr object = stack.pop();
      ExpressionPtr constructor = stack.pop();
      stack.push(makeCast(std::move(constructor), std::move(object)));
      break;
    }
    case 0x69: {
      ExpressionPtr superclass = stack.pop();
      ExpressionPtr subclass = stack.pop();
      emit(out, expressionStatement(makeBinary(Operation::Extends, std::move(subclass), std::move(superclass))), i);
      break;
    }
    case 0x2C: {
      ExpressionPtr constructor = stack.pop();
      std::vector<ExpressionPtr> interfaces = popArguments(stack, unsaid);
      emit(out,
           expressionStatement(makeBinary(Operation::Implements, std::move(constructor), makeArray(std::move(interfaces)))),
           i);
      break;
    }
    default: {
      char text[32];
      std::snprintf(text, sizeof text, "action 0x%02X", instruction.code);
      emit(out, makeComment(text), i);
      break;
    }
  }
  if (unsaid)
    untranslated(i, "the count that the record at offset " + std::to_string(instruction.offset) +
                        " takes reaches into the names an enumeration left on the stack, which only the running "
                        "code can count.");
  return i + 1;
}

}  // namespace orvane
