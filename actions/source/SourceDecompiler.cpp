#include "actions/source/SourceDecompiler.h"

#include <algorithm>
#include <map>

#include "actions/source/SourceExpressionBuilder.h"
#include "actions/source/SourceInstructions.h"
#include "actions/source/SourceNumber.h"
#include "actions/source/SourceWalkState.h"
#include "actions/source/SourceWriter.h"

namespace orvane {

namespace {

/// How many records of a switch's last case are searched for its break when no case
/// before it breaks.
constexpr std::size_t kLastCaseWindow = 256;
/// How many records the code of one case label or one loop test may have.
constexpr std::size_t kLabelWindow = 256;

/// Removes the `count` values below `base` that a statement's branches consumed.
void dropTaken(ValueStack& stack, std::size_t base, std::size_t count) {
  if (count == 0 || count > base || stack.size() < base) return;
  stack.values.erase(stack.values.begin() + static_cast<std::ptrdiff_t>(base - count),
                     stack.values.begin() + static_cast<std::ptrdiff_t>(base));
}

/// Whether `name` is among the nodes of `e`; a tree too large to look through (a block can
/// share nodes so that it grows exponentially) counts as not mentioning it.
bool mentions(const Expression& e, const Expression& name) {
  std::size_t budget = 256;
  std::vector<const Expression*> pending{&e};
  while (!pending.empty() && budget-- > 0) {
    const Expression* node = pending.back();
    pending.pop_back();
    if (sameTarget(*node, name)) return true;
    for (const ExpressionPtr& operand : node->operands) pending.push_back(operand.get());
  }
  return false;
}

/// The test of a for-in loop: (register = enumeration) == null.
bool isEnumerationTest(const Expression& test) {
  if (test.kind != ExpressionKind::Binary || test.text != "==" || !isLiteral(*test.operands[1], "null")) return false;
  const Expression& stored = *test.operands[0];
  return stored.kind == ExpressionKind::Assign && stored.operands[1]->kind == ExpressionKind::Enumeration;
}

/// The place an assignment or update statement writes, or none.
const Expression* assignedPlace(const Statement& s) {
  if (s.kind == StatementKind::Var) return nullptr;
  if (s.kind != StatementKind::Expression || !s.value) return nullptr;
  if (s.value->kind == ExpressionKind::Assign || s.value->kind == ExpressionKind::Postfix) return s.value->operands[0].get();
  return nullptr;
}

/// The last statement of `out` when it sets `place` (var or a plain assignment): a for
/// loop's init.
Statement* initOf(StatementList& out, const Expression& place) {
  Statement* init = lastStatement(out);
  if (init == nullptr || !init->value) return nullptr;
  if (init->kind == StatementKind::Var)
    return place.kind != ExpressionKind::Member && place.text == init->name ? init : nullptr;
  const Expression* set = assignedPlace(*init);
  return set != nullptr && init->value->kind == ExpressionKind::Assign && init->value->text == "=" && sameTarget(*set, place)
             ? init
             : nullptr;
}

/// The continues that went to a for loop's update part: continue statements when the
/// loop became a for loop, else gotos to that part.
void retargetContinues(StatementList& list, std::size_t update, bool isFor, std::size_t offset) {
  for (Statement& s : list) {
    if (s.kind == StatementKind::Continue && s.target == update && !isFor) {
      s.kind = StatementKind::Goto;
      s.target = offset;
    }
    // A nested loop's continues are its own.
    if (s.kind == StatementKind::While || s.kind == StatementKind::DoWhile || s.kind == StatementKind::For ||
        s.kind == StatementKind::ForIn)
      continue;
    retargetContinues(s.body, update, isFor, offset);
    retargetContinues(s.alternative, update, isFor, offset);
    retargetContinues(s.finally, update, isFor, offset);
    for (SwitchCase& entry : s.cases) retargetContinues(entry.body, update, isFor, offset);
  }
}

class Structurer {
 public:
  explicit Structurer(const ActionList& records)
      : m_code(records), m_values(m_code), m_gotoTargets(m_code.size() + 1, false) {}

  StatementList run() {
    StatementList out;
    ValueStack stack;
    decodeRange(0, m_code.size(), stack, out, FlowContext{});
    m_values.flush(stack, 0, out, m_code.size());
    return out;
  }

 private:
  // The walk.
  void decodeRange(std::size_t begin, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                   std::size_t skipLoopAt = kNoIndex);
  std::size_t step(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                   std::size_t skipLoopAt);
  std::size_t conditional(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context);
  std::size_t shortCircuit(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                           const char* op, const ExpressionPtr& left);
  std::size_t switchChain(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                          const ExpressionPtr& test);
  /// Where the case bodies from `bodies` on end; `last` is where the last case begins and
  /// `fallback` where the compares go when no case matches.
  std::size_t switchEnd(std::size_t bodies, std::size_t last, std::size_t fallback, std::size_t end,
                        const FlowContext& context) const;
  /// Whether a branch in [from, to) goes to `target`, past the record at `to`: then that
  /// record is not the jump over an else part but belongs to a nested statement.
  bool jumpedOver(std::size_t from, std::size_t to, std::size_t target) const {
    for (std::size_t k = from; k < to; ++k)
      if ((m_code[k].code == op::kJump || m_code[k].code == op::kIf) && m_code[k].target == target) return true;
    return false;
  }
  /// Whether some jump in the range leaves the enclosing loop or switch.
  bool leavesEnclosing(std::size_t from, std::size_t to, const FlowContext& context) const;
  /// The switch as an if / else if chain over the register that holds its value, or
  /// kNoIndex when its cases fall through.
  std::size_t switchAsIfChain(std::size_t i, const ExpressionPtr& store, const std::string& compare,
                              const std::map<std::size_t, std::vector<ExpressionPtr>>& labels, std::size_t bodies,
                              std::size_t close, ValueStack& stack, StatementList& out, const FlowContext& context);
  std::size_t jump(std::size_t i, StatementList& out, const FlowContext& context);
  /// The loop from `header` to its back branch `last`.
  std::size_t loop(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out, const FlowContext& context);
  /// The body [header, last) of a loop that may begin with a loop back to the same header.
  void loopBody(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out, const FlowContext& inner);
  /// do { body } while (test): the loop from `header` to its back branch inner.loopLast.
  std::size_t doWhile(std::size_t header, ValueStack& stack, StatementList& out, FlowContext& inner);
  /// The compiler's loop at `k` that drops what a for-in loop left on the stack.
  bool isEnumerationCleanup(std::size_t k) const;
  void toForLoop(Statement& loop, StatementList& out, std::size_t update);
  std::size_t enteredLoop(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context);
  /// The loop's test decoded from `from` up to `test`: none when that code is more than
  /// one value.
  ExpressionPtr loopTest(std::size_t from, std::size_t test, ValueStack& stack, const FlowContext& context);
  std::size_t function(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context);
  std::size_t tryStatement(std::size_t i, std::size_t end, StatementList& out, const FlowContext& context);
  std::size_t blockStatement(StatementKind kind, ExpressionPtr value, std::size_t i, std::size_t bodyEnd,
                             ValueStack& stack, StatementList& out, const FlowContext& context);
  std::size_t tellTargetEnd(std::size_t from, std::size_t end) const;
  /// Record k ends a tellTarget block (ActionSetTarget "" or push ""; ActionSetTarget2).
  bool endsTellTarget(std::size_t k) const;
  /// Record k sets the target of an enclosing tellTarget again after a nested one ends.
  bool restoresTellTarget(std::size_t k) const;
  std::size_t gotoStatement(std::size_t i, std::size_t target, StatementList& out) {
    Statement s = makeStatement(StatementKind::Goto);
    s.target = static_cast<std::size_t>(std::max<std::int64_t>(m_code.branchOffset(i), 0));
    if (target != kNoIndex) {
      s.target = m_code.offsetOf(target);
      m_gotoTargets[target] = true;
    }
    emit(out, std::move(s), i);
    return i + 1;
  }

  InstructionStream m_code;
  ExpressionBuilder m_values;
  std::vector<bool> m_gotoTargets;  // records some goto or continue statement went to
};

void Structurer::decodeRange(std::size_t begin, std::size_t end, ValueStack& stack, StatementList& out,
                             const FlowContext& context, std::size_t skipLoopAt) {
  end = std::min(end, m_code.size());
  std::size_t i = begin;
  // A statement begins at the first record after the one before it: the pushes of its
  // operands come before the record that makes it.
  std::size_t pending = begin;
  while (i < end) {
    const std::size_t before = out.size();
    const std::size_t next = step(i, end, stack, out, context, skipLoopAt);
    for (std::size_t k = before; k < out.size(); ++k) {
      if (out[k].kind == StatementKind::Label) continue;
      out[k].start = std::min(out[k].start, pending);
      pending = std::max(next, i + 1);
      break;
    }
    i = std::max(next, i + 1);
  }
}

std::size_t Structurer::step(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                             std::size_t skipLoopAt) {
  const Instruction& instruction = m_code[i];
  // Labels where a goto may go: forward gotos are made before their target is reached,
  // backward ones can only go to the targets of backward branches.
  if (instruction.isTarget && (m_gotoTargets[i] || instruction.loopEnd != kNoIndex)) {
    Statement label = makeStatement(StatementKind::Label);
    label.target = instruction.offset;
    emit(out, std::move(label), i);
  }
  if (i != skipLoopAt && instruction.loopEnd != kNoIndex && instruction.loopEnd < end && context.depth < kMaxNesting)
    return loop(i, instruction.loopEnd, stack, out, context);
  switch (instruction.code) {
    case op::kIf:
      return conditional(i, end, stack, out, context);
    case op::kJump: {
      const std::size_t next = enteredLoop(i, end, stack, out, context);
      return next != kNoIndex ? next : jump(i, out, context);
    }
    case 0x9B:
    case 0x8E:
      return function(i, end, stack, out, context);
    case 0x8F:
      return tryStatement(i, end, out, context);
    case 0x94: {  // with: the body is the next Size bytes
      BitReader fields = m_code.reader(i);
      const std::uint16_t size = fields.readU16();
      const std::size_t bodyEnd = m_code.indexFrom(std::int64_t{instruction.offset} + instruction.size + size);
      return blockStatement(StatementKind::With, stack.pop(), i, std::min(bodyEnd, end), stack, out, context);
    }
    case 0x8A: {  // ifFrameLoaded (frame) over the next skip records
      BitReader fields = m_code.reader(i);
      const std::uint16_t frame = fields.readU16();
      const std::uint8_t skip = fields.readU8();
      return blockStatement(StatementKind::IfFrameLoaded, makeNumber(frame + 1.0), i, std::min(i + 1 + skip, end), stack,
                            out, context);
    }
    case 0x8D: {
      BitReader fields = m_code.reader(i);
      const std::uint8_t skip = fields.readU8();
      return blockStatement(StatementKind::IfFrameLoaded, stack.pop(), i, std::min(i + 1 + skip, end), stack, out,
                            context);
    }
    case op::kSetTarget: {
      BitReader fields = m_code.reader(i);
      const std::string name = fields.readString();
      if (name.empty()) {
        emit(out, makeComment("tellTarget ends here"), i);
        return i + 1;
      }
      const std::size_t close = tellTargetEnd(i + 1, end);
      const std::size_t next = blockStatement(StatementKind::TellTarget, makeString(name), i, close, stack, out, context);
      return close < end ? close + 1 : next;
    }
    case op::kSetTarget2: {
      ExpressionPtr target = stack.pop();
      // The outer target set again after a nested tellTarget.
      if (restoresTellTarget(i) && target->kind == ExpressionKind::Identifier && target->text == "_target")
        return i + 1;
      if (const std::string* text = stringValue(*target); text != nullptr && text->empty()) {
        emit(out, makeComment("tellTarget ends here"), i);
        return i + 1;
      }
      const std::size_t close = tellTargetEnd(i + 1, end);
      const std::size_t next = blockStatement(StatementKind::TellTarget, std::move(target), i, close, stack, out, context);
      return close < end ? close + 1 : next;
    }
    default:
      return m_values.readRecord(i, end, stack, out);
  }
}

bool Structurer::endsTellTarget(std::size_t k) const {
  const Instruction& candidate = m_code[k];
  if (candidate.code == op::kSetTarget) return m_code.body(k).empty() || m_code.body(k)[0] == 0;
  // push ""; ActionSetTarget2: the end marker's push is the item type 0 and a zero byte.
  return candidate.code == op::kSetTarget2 && k > 0 && m_code[k - 1].code == op::kPush &&
         m_code.body(k - 1).size() == 2 && m_code.body(k - 1)[0] == 0 && m_code.body(k - 1)[1] == 0;
}

bool Structurer::restoresTellTarget(std::size_t k) const {
  return k > 0 && m_code[k].code == op::kSetTarget2 && endsTellTarget(k - 1);
}

std::size_t Structurer::tellTargetEnd(std::size_t from, std::size_t end) const {
  // A tellTarget inside another saves the outer target on the stack, and after its own end
  // marker sets it again with ActionSetTarget2.
  std::size_t depth = 0;
  for (std::size_t k = from; k < end; ++k) {
    if (endsTellTarget(k)) {
      if (depth == 0) return k;
      --depth;
      if (k + 1 < end && restoresTellTarget(k + 1)) ++k;
    } else if (m_code[k].code == op::kSetTarget || m_code[k].code == op::kSetTarget2) {
      ++depth;
    }
  }
  return end;
}

std::size_t Structurer::blockStatement(StatementKind kind, ExpressionPtr value, std::size_t i, std::size_t bodyEnd,
                                       ValueStack& stack, StatementList& out, const FlowContext& context) {
  Statement s = makeStatement(kind, std::move(value));
  bodyEnd = std::max(bodyEnd, i + 1);
  if (context.depth >= kMaxNesting) {
    emit(out, std::move(s), i);
    return i + 1;
  }
  {
    FloorGuard guard(stack);
    const std::size_t base = stack.size();
    decodeRange(i + 1, bodyEnd, stack, s.body, context.nested());
    m_values.flush(stack, base, s.body, bodyEnd);
  }
  emit(out, std::move(s), i);
  return bodyEnd;
}

std::size_t Structurer::jump(std::size_t i, StatementList& out, const FlowContext& context) {
  const std::size_t target = m_code[i].target;
  // A jump to the next record changes nothing, unless it is the break that ends the last
  // case of a switch.
  if (target == i + 1 && target != context.breakTarget) return i + 1;
  if (target != kNoIndex) {
    if (target == context.breakTarget) {
      emit(out, makeStatement(StatementKind::Break), i);
      return i + 1;
    }
    if (target == context.continueTarget) {
      emit(out, makeStatement(StatementKind::Continue), i);
      return i + 1;
    }
    if (context.update != nullptr && target > i && target <= context.loopLast &&
        (*context.update == kNoIndex || *context.update == target)) {
      *context.update = target;
      m_gotoTargets[target] = true;  // a goto when the loop does not become a for loop
      Statement s = makeStatement(StatementKind::Continue);
      s.target = target;
      emit(out, std::move(s), i);
      return i + 1;
    }
  }
  return gotoStatement(i, target, out);
}

std::size_t Structurer::conditional(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                    const FlowContext& context) {
  const std::size_t target = m_code[i].target;
  ExpressionPtr test = stack.pop();
  auto exitStatement = [&](Statement exit) {
    Statement s = makeStatement(StatementKind::If, test);
    emit(s.body, std::move(exit), i);
    emit(out, std::move(s), i);
    return i + 1;
  };
  if (target == kNoIndex || target <= i || target > end || context.depth >= kMaxNesting) {
    if (target != kNoIndex && target == context.breakTarget) return exitStatement(makeStatement(StatementKind::Break));
    if (target != kNoIndex && target == context.continueTarget) return exitStatement(makeStatement(StatementKind::Continue));
    Statement s = makeStatement(StatementKind::If, test);
    gotoStatement(i, target, s.body);
    emit(out, std::move(s), i);
    return i + 1;
  }
  // a && b and a || b: the left value is duplicated, tested and dropped before the right.
  if (i + 1 < end && m_code[i + 1].code == op::kPop && stack.top() != nullptr) {
    const ExpressionPtr& left = stack.values.back();
    if (left == test) return shortCircuit(i, target, stack, out, context, "||", left);
    // The "!" of a "!" is its operand, so the test may be the left value's own operand.
    if ((test->kind == ExpressionKind::Unary && test->text == "!" && test->operands[0] == left) ||
        (left->kind == ExpressionKind::Unary && left->text == "!" && left->operands[0] == test))
      return shortCircuit(i, target, stack, out, context, "&&", left);
  }
  if (test->kind == ExpressionKind::Binary && (test->text == "===" || test->text == "==") &&
      test->operands[0]->kind == ExpressionKind::Assign && test->operands[0]->operands[0]->kind == ExpressionKind::Register) {
    const std::size_t next = switchChain(i, end, stack, out, context, test);
    if (next != kNoIndex) return next;
  }
  // The then part runs when the test fails; a jump at its end over an else part.
  std::size_t thenEnd = target;
  std::size_t elseEnd = kNoIndex;
  if (target - 1 > i && m_code[target - 1].code == op::kJump && !jumpedOver(i + 1, target - 1, target)) {
    const std::size_t over = m_code[target - 1].target;
    // if (c) continue; reads so rather than as an empty then part with an else.
    const bool continues = target - 1 == i + 1 && context.canContinueTo(over);
    if (over != kNoIndex && over > target && over <= end && !continues) {
      thenEnd = target - 1;
      elseEnd = over;
    }
  }
  const FlowContext inner = context.nested();
  FloorGuard guard(stack);
  const std::size_t base = stack.size();
  Statement s = makeStatement(StatementKind::If, makeNot(test));
  decodeRange(i + 1, thenEnd, stack, s.body, inner);
  if (elseEnd == kNoIndex) {
    m_values.flush(stack, base, s.body, thenEnd);
    emit(out, std::move(s), i);
    return target;
  }
  ExpressionPtr thenValue;
  if (stack.size() == base + 1 && !hasStatements(s.body)) thenValue = stack.pop();
  m_values.flush(stack, base, s.body, thenEnd);
  const std::size_t thenBorrowed = stack.borrowed;
  stack.borrowed = 0;
  decodeRange(target, elseEnd, stack, s.alternative, inner);
  // Values of the enclosing code that both branches took are gone after the statement.
  const std::size_t taken = thenBorrowed == stack.borrowed ? thenBorrowed : 0;
  if (thenValue && stack.size() == base + 1 && !hasStatements(s.alternative)) {
    ExpressionPtr elseValue = stack.pop();
    // The compiler's ?: tests the condition itself and jumps to the value for true.
    const bool negated = test->kind == ExpressionKind::Unary && test->text == "!";
    dropTaken(stack, base, taken);
    stack.push(negated ? makeConditional(test->operands[0], thenValue, elseValue)
                       : makeConditional(test, elseValue, thenValue));
    return elseEnd;
  }
  if (thenValue) m_values.emitValue(thenValue, s.body, thenEnd);
  m_values.flush(stack, base, s.alternative, elseEnd);
  dropTaken(stack, base, taken);
  emit(out, std::move(s), i);
  return elseEnd;
}

std::size_t Structurer::shortCircuit(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                     const FlowContext& context, const char* op, const ExpressionPtr& left) {
  const ExpressionPtr kept = left;
  stack.pop();
  {
    FloorGuard guard(stack);
    const std::size_t base = stack.size();
    StatementList right;
    decodeRange(i + 2, end, stack, right, context.nested());
    for (Statement& s : right) out.push_back(std::move(s));
    ExpressionPtr value = stack.size() > base ? stack.pop() : makeEmpty();
    m_values.flush(stack, base, out, end);
    stack.values.push_back(makeBinary(op, kept, std::move(value)));
  }
  return end;
}

std::size_t Structurer::switchChain(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                    const FlowContext& context, const ExpressionPtr& test) {
  const ExpressionPtr& store = test->operands[0];
  const int number = store->operands[0]->registerNumber;
  std::vector<std::pair<ExpressionPtr, std::size_t>> cases{{test->operands[1], m_code[i].target}};
  const std::size_t base = stack.size();
  std::size_t p = i + 1;
  auto fail = [&] {
    if (stack.size() > base) stack.values.resize(base);
    return kNoIndex;
  };
  // The compares end with a jump to the default or past the switch, or some compilers let
  // the default part follow the compares.
  std::size_t fallback = kNoIndex;
  while (fallback == kNoIndex) {
    if (p >= end) return fail();
    if (m_code[p].code == op::kJump) {
      fallback = m_code[p].target;
      break;
    }
    // The next compare of the register, up to its branch; labels may hold branches of
    // their own (a && b, ?:).
    auto comparesRegister = [&] {
      const Expression* top = stack.size() == base + 1 ? stack.values.back().get() : nullptr;
      return top != nullptr && top->kind == ExpressionKind::Binary && top->text == test->text &&
             top->operands[0]->kind == ExpressionKind::Register && top->operands[0]->registerNumber == number;
    };
    // The label's code is read ahead and thrown away when it is not a compare: only a short
    // stretch of expression code, so that nested attempts cannot multiply the work.
    std::size_t q = p;
    StatementList scratch;
    {
      FloorGuard guard(stack);
      const std::size_t limit = std::min(end, p + kLabelWindow);
      while (q < limit && m_code[q].code != op::kJump && !(m_code[q].code == op::kIf && comparesRegister())) {
        if (!m_code.isExpressionCode(q) || (m_code[q].code == op::kIf && m_code[q].target > limit)) {
          q = end;
          break;
        }
        q = std::max(step(q, limit, stack, scratch, context.nested(), kNoIndex), q + 1);
      }
      if (q >= limit) q = end;
    }
    const Expression* compare = stack.size() == base + 1 ? stack.values.back().get() : nullptr;
    ExpressionPtr label = compare != nullptr && compare->kind == ExpressionKind::Binary ? compare->operands[1] : nullptr;
    // case ++n: the compiler steps the register that holds the label before the compare.
    if (label && label->kind == ExpressionKind::Register && hasStatements(scratch)) {
      const Statement* only = lastStatement(scratch);
      const bool single = std::count_if(scratch.begin(), scratch.end(),
                                        [](const Statement& s) { return s.kind != StatementKind::Label; }) == 1;
      if (single && only->value && only->value->kind == ExpressionKind::Postfix &&
          only->value->operands[0]->kind == ExpressionKind::Register &&
          only->value->operands[0]->registerNumber == label->registerNumber) {
        label = makeUnary(only->value->text.c_str(), label);
        scratch.clear();
      }
    }
    if (q >= end || m_code[q].code != op::kIf || hasStatements(scratch) || compare == nullptr ||
        compare->kind != ExpressionKind::Binary || compare->text != test->text ||
        compare->operands[0]->kind != ExpressionKind::Register || compare->operands[0]->registerNumber != number) {
      if (stack.size() > base) stack.values.resize(base);
      if (cases.size() < 2) return fail();
      fallback = p;
      break;
    }
    cases.emplace_back(label, m_code[q].target);
    stack.values.pop_back();
    p = q + 1;
  }
  const bool jumped = fallback != p;
  const std::size_t bodies = jumped ? p + 1 : p;
  auto valid = [&](std::size_t target) { return target != kNoIndex && target >= bodies && target <= end; };
  if (!valid(fallback) || !std::all_of(cases.begin(), cases.end(), [&](const auto& entry) { return valid(entry.second); }))
    return fail();
  std::size_t last = fallback;
  for (const auto& entry : cases) last = std::max(last, entry.second);
  std::map<std::size_t, std::vector<ExpressionPtr>> labels;
  for (const auto& entry : cases) labels[entry.second].push_back(entry.first);
  const std::size_t close = switchEnd(bodies, last, fallback, end, context);
  if (fallback < close) labels[fallback].push_back(nullptr);
  if (context.breakTarget != close && leavesEnclosing(bodies, close, context)) {
    const std::size_t next = switchAsIfChain(i, store, test->text, labels, bodies, close, stack, out, context);
    if (next != kNoIndex) return next;
  }
  Statement s = makeStatement(StatementKind::Switch, store->operands[1]);
  FlowContext inner = context.nested();
  inner.breakTarget = close;
  if (labels.begin()->first > bodies) decodeRange(bodies, labels.begin()->first, stack, out, inner);
  FloorGuard guard(stack);
  for (auto it = labels.begin(); it != labels.end(); ++it) {
    const std::size_t from = it->first;
    const std::size_t to = std::next(it) == labels.end() ? close : std::next(it)->first;
    for (std::size_t k = 0; k < it->second.size(); ++k) {
      SwitchCase entry;
      entry.label = it->second[k];
      if (k + 1 == it->second.size()) {
        decodeRange(from, to, stack, entry.body, inner);
        m_values.flush(stack, stack.floor, entry.body, to);
      }
      s.cases.push_back(std::move(entry));
    }
  }
  emit(out, std::move(s), i);
  return close;
}

bool Structurer::leavesEnclosing(std::size_t from, std::size_t to, const FlowContext& context) const {
  if (context.breakTarget == kNoIndex) return false;
  for (std::size_t k = from; k < to; ++k)
    if ((m_code[k].code == op::kJump || m_code[k].code == op::kIf) && m_code[k].target == context.breakTarget)
      return true;
  return false;
}

std::size_t Structurer::switchEnd(std::size_t bodies, std::size_t last, std::size_t fallback, std::size_t end,
                                  const FlowContext& context) const {
  // The breaks of the cases before the last one go to the end: the nearest forward jump
  // out of them that is not a break or continue of an enclosing statement.
  std::size_t close = kNoIndex;
  for (std::size_t k = bodies; k < last; ++k) {
    const Instruction& candidate = m_code[k];
    if (candidate.code == op::kJump && candidate.target != kNoIndex && candidate.target >= last &&
        candidate.target <= end && !context.isEnclosingExit(candidate.target, end))
      close = std::min<std::size_t>(close, candidate.target);
  }
  if (close == kNoIndex) {
    // No case before the last breaks. Without a break of its own the last case ends where
    // it begins (what follows runs after it either way); its break is a jump to the next
    // record, found among the first records of the case, with no branch over it.
    close = last;
    if (fallback == last) return close;
    std::size_t reach = last;
    for (std::size_t k = last; k < std::min(end, last + kLastCaseWindow); ++k) {
      const Instruction& candidate = m_code[k];
      if (candidate.code == op::kJump && candidate.target == k + 1 && reach <= k + 1) return k + 1;
      if ((candidate.code == op::kJump || candidate.code == op::kIf) && candidate.target != kNoIndex &&
          candidate.target > k && candidate.target <= end && !context.isEnclosingExit(candidate.target, end))
        reach = std::max<std::size_t>(reach, candidate.target);
    }
    return close;
  }
  // A last case that ends with a jump out of the enclosing loop: that jump follows the
  // switch (`} break;`), provided the jumps to the end found so far read as continues.
  if (close > last + 1 && close <= end && m_code[close - 1].code == op::kJump &&
      m_code[close - 1].target != kNoIndex && m_code[close - 1].target != close &&
      (m_code[close - 1].target == context.breakTarget || m_code[close - 1].target == context.continueTarget) &&
      context.canContinueTo(close))
    return close - 1;
  return close;
}

std::size_t Structurer::switchAsIfChain(std::size_t i, const ExpressionPtr& store, const std::string& compare,
                                        const std::map<std::size_t, std::vector<ExpressionPtr>>& labels,
                                        std::size_t bodies, std::size_t close, ValueStack& stack, StatementList& out,
                                        const FlowContext& context) {
  // Only cases that end in a jump, return or throw (no fall-through), and breaks that end
  // a case, can be told apart as if / else if branches.
  if (labels.begin()->first != bodies) return kNoIndex;
  struct Branch {
    std::size_t from;
    std::size_t to;
    const std::vector<ExpressionPtr>* labels;
  };
  std::vector<Branch> branches;
  for (auto it = labels.begin(); it != labels.end(); ++it) {
    const std::size_t to = std::next(it) == labels.end() ? close : std::next(it)->first;
    std::size_t bodyEnd = to;
    if (to > it->first && m_code[to - 1].code == op::kJump && m_code[to - 1].target == close) --bodyEnd;
    const std::uint8_t ending = to > it->first ? m_code[to - 1].code : 0;
    if (std::next(it) != labels.end() && ending != op::kJump && ending != 0x3E && ending != 0x2A) return kNoIndex;
    for (std::size_t k = it->first; k < bodyEnd; ++k)
      if ((m_code[k].code == op::kJump || m_code[k].code == op::kIf) && m_code[k].target == close) return kNoIndex;
    branches.push_back({it->first, bodyEnd, &it->second});
  }
  const Expression& place = *store->operands[0];
  m_values.emitValue(store, out, i);
  const ExpressionPtr held = makeRegister(place.registerNumber, place.text);
  const FlowContext inner = context.nested();
  FloorGuard guard(stack);
  StatementList otherwise;
  bool hasDefault = false;
  std::vector<Statement> tests;
  for (const Branch& branch : branches) {
    StatementList body;
    decodeRange(branch.from, branch.to, stack, body, inner);
    m_values.flush(stack, stack.floor, body, branch.to);
    if (std::find(branch.labels->begin(), branch.labels->end(), nullptr) != branch.labels->end()) {
      otherwise = std::move(body);
      hasDefault = true;
      continue;
    }
    ExpressionPtr condition;
    for (const ExpressionPtr& label : *branch.labels) {
      ExpressionPtr one = makeBinary(compare.c_str(), held, label);
      condition = condition ? makeBinary("||", condition, one) : one;
    }
    Statement test = makeStatement(StatementKind::If, condition);
    test.body = std::move(body);
    test.start = branch.from;
    tests.push_back(std::move(test));
  }
  if (tests.empty()) {
    for (Statement& s : otherwise) out.push_back(std::move(s));
    return close;
  }
  StatementList chain = hasDefault ? std::move(otherwise) : StatementList{};
  for (auto it = tests.rbegin(); it != tests.rend(); ++it) {
    it->alternative = std::move(chain);
    chain.clear();
    chain.push_back(std::move(*it));
  }
  emit(out, std::move(chain.front()), i);
  return close;
}

std::size_t Structurer::loop(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out,
                             const FlowContext& context) {
  FlowContext inner = context.nested();
  inner.breakTarget = last + 1;
  inner.loopLast = last;
  inner.update = nullptr;
  if (m_code[last].code == op::kIf) {
    // The compiler's clean-up loop after a break out of a for-in loop: it belongs to that
    // loop.
    if (last == header + 3 && isEnumerationCleanup(header)) return last + 1;
    return doWhile(header, stack, out, inner);
  }
  // A for-in loop left by a break goes through the clean-up loop; its test jumps past it.
  const std::size_t exit = isEnumerationCleanup(last + 1) ? last + 5 : last + 1;
  inner.continueTarget = header;
  std::size_t test = header;
  while (test < last &&
         !(m_code[test].code == op::kIf && (m_code[test].target == last + 1 || m_code[test].target == exit)))
    ++test;
  Statement s = makeStatement(StatementKind::While);
  std::size_t update = kNoIndex;
  inner.update = &update;
  const std::size_t base = stack.size();
  StatementList head;
  if (test < last) decodeRange(header, test, stack, head, inner, header);
  // The test of a for-in loop takes the enumeration pushed before the loop.
  const bool enumerates = stack.size() == base && stack.top() != nullptr && isEnumerationTest(*stack.top());
  if (test < last && !hasStatements(head) && (stack.size() == base + 1 || enumerates)) {
    ExpressionPtr condition = stack.pop();
    FloorGuard guard(stack);
    decodeRange(test + 1, last, stack, s.body, inner);
    m_values.flush(stack, stack.floor, s.body, last);
    if (isEnumerationTest(*condition)) {
      const Expression* compared = condition->operands[0].get();
      s.kind = StatementKind::ForIn;
      s.value = compared->operands[1]->operands[0];
      s.name = compared->operands[0]->text;
      const int number = compared->operands[0]->registerNumber;
      Statement* first = nullptr;
      for (Statement& candidate : s.body) {
        if (candidate.kind != StatementKind::Label) {
          first = &candidate;
          break;
        }
      }
      const Expression* taken = first == nullptr ? nullptr
                                : first->kind == StatementKind::Var ? first->value.get()
                                : assignedPlace(*first) != nullptr && first->value->kind == ExpressionKind::Assign
                                    ? first->value->operands[1].get()
                                    : nullptr;
      if (taken != nullptr && taken->kind == ExpressionKind::Register && taken->registerNumber == number) {
        s.declares = first->kind == StatementKind::Var;
        s.name = s.declares ? first->name : expressionText(*first->value->operands[0], 0);
        s.body.erase(s.body.begin() + (first - s.body.data()));
      }
      emit(out, std::move(s), header);
      return last + 1;
    }
    s.value = makeNot(condition);
  } else if (test == last) {
    loopBody(header, last, stack, head, inner);
    m_values.flush(stack, base, head, last);
    s.value = makeLiteral("true");
    s.body = std::move(head);
  } else {
    decodeRange(test, last, stack, head, inner, header);
    m_values.flush(stack, base, head, last);
    s.value = makeLiteral("true");
    s.body = std::move(head);
  }
  s.start = header;
  toForLoop(s, out, update);
  return last + 1;
}

std::size_t Structurer::doWhile(std::size_t header, ValueStack& stack, StatementList& out, FlowContext& inner) {
  const std::size_t last = inner.loopLast;
  // continue goes to the start of the test's code, found from the continues themselves.
  std::size_t update = kNoIndex;
  inner.update = &update;
  Statement s = makeStatement(StatementKind::DoWhile);
  FloorGuard guard(stack);
  const std::size_t base = stack.size();
  loopBody(header, last, stack, s.body, inner);
  s.value = stack.pop();
  m_values.flush(stack, base, s.body, last);
  if (update != kNoIndex) {
    // Statements of the test's code before its value are a comma expression: } while (k++, k < 10);
    const auto from = std::find_if(s.body.begin(), s.body.end(), [&](const Statement& part) {
      return part.start >= update && part.kind != StatementKind::Label;
    });
    const bool values = std::all_of(from, s.body.end(), [](const Statement& part) {
      return part.kind == StatementKind::Label || (part.kind == StatementKind::Expression && part.value);
    });
    if (values && (from == s.body.end() || from->start == update)) {
      ExpressionPtr condition;
      for (auto it = from; it != s.body.end(); ++it)
        if (it->kind != StatementKind::Label) condition = condition ? makeBinary(",", condition, it->value) : it->value;
      if (condition) s.value = makeBinary(",", condition, s.value);
      s.body.erase(from, s.body.end());
    } else {
      retargetContinues(s.body, update, false, m_code.offsetOf(update));
    }
  }
  emit(out, std::move(s), header);
  return last + 1;
}

void Structurer::loopBody(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out,
                          const FlowContext& inner) {
  // do { do { ... } while (a); ... } while (b): both loops branch back to one header.
  std::size_t nested = kNoIndex;
  for (std::size_t k = last; k-- > header + 1;) {
    if ((m_code[k].code == op::kIf || m_code[k].code == op::kJump) && m_code[k].target == header) {
      nested = k;
      break;
    }
  }
  if (nested == kNoIndex || inner.depth >= kMaxNesting) {
    decodeRange(header, last, stack, out, inner, header);
    return;
  }
  const std::size_t next = loop(header, nested, stack, out, inner);
  decodeRange(next, last, stack, out, inner);
}

bool Structurer::isEnumerationCleanup(std::size_t k) const {
  return k + 3 < m_code.size() && m_code[k].code == op::kPush && m_code.body(k).size() == 1 && m_code.body(k)[0] == 2 &&
         m_code[k + 1].code == op::kEquals2 && m_code[k + 2].code == op::kNot && m_code[k + 3].code == op::kIf &&
         m_code[k + 3].target == k;
}

ExpressionPtr Structurer::loopTest(std::size_t from, std::size_t test, ValueStack& stack, const FlowContext& context) {
  // Read ahead and thrown away when it is not one value: only a short stretch of
  // expression code, so that nested attempts cannot multiply the work.
  if (test < from || test - from > kLabelWindow) return nullptr;
  // (The first record may be the header of the loop being read.)
  for (std::size_t k = from; k < test; ++k)
    if (!m_code.isExpressionCode(k) && !(k == from && m_code[k].loopEnd != kNoIndex)) return nullptr;
  FloorGuard guard(stack);
  StatementList head;
  decodeRange(from, test, stack, head, context);
  if (!hasStatements(head) && stack.size() == stack.floor + 1) return stack.pop();
  if (stack.size() > stack.floor) stack.values.resize(stack.floor);
  return nullptr;
}

std::size_t Structurer::enteredLoop(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                    const FlowContext& context) {
  // Loops whose test sits at their end, entered by a jump to the test: the jump is
  // followed by the loop's first record and lands inside the loop.
  const std::size_t header = i + 1;
  const std::size_t entry = m_code[i].target;
  if (header >= end || entry == kNoIndex || entry <= header || context.depth >= kMaxNesting) return kNoIndex;
  const std::size_t last = m_code[header].loopEnd;
  if (last == kNoIndex || last >= end || entry > last) return kNoIndex;
  FlowContext inner = context.nested();
  inner.breakTarget = last + 1;
  inner.loopLast = last;
  if (m_code[last].code == op::kIf) {
    // while (test) { body }: the body first, the test jumping back to it.
    ExpressionPtr test = loopTest(entry, last, stack, inner);
    if (!test) return kNoIndex;
    Statement s = makeStatement(StatementKind::While, test);
    inner.continueTarget = entry;
    FloorGuard guard(stack);
    decodeRange(header, entry, stack, s.body, inner, header);
    m_values.flush(stack, stack.floor, s.body, entry);
    s.start = i;
    toForLoop(s, out, kNoIndex);
    return last + 1;
  }
  std::size_t test = header;
  while (test < last && !(m_code[test].code == op::kIf && m_code[test].target == last + 1)) ++test;
  if (test >= last) return kNoIndex;
  if (test < entry) {
    // do { body } while (test): the test first, entered past it.
    ExpressionPtr condition = loopTest(header, test, stack, inner);
    if (!condition) return kNoIndex;
    Statement s = makeStatement(StatementKind::DoWhile, makeNot(condition));
    inner.continueTarget = header;
    FloorGuard guard(stack);
    StatementList between;
    decodeRange(test + 1, entry, stack, between, inner);
    if (hasStatements(between)) {
      stack.values.resize(stack.floor);
      return kNoIndex;
    }
    decodeRange(entry, last, stack, s.body, inner);
    m_values.flush(stack, stack.floor, s.body, last);
    emit(out, std::move(s), i);
    return last + 1;
  }
  // for (init; test; update) { body }: the update first, then the test and the body.
  ExpressionPtr condition = loopTest(entry, test, stack, inner);
  if (!condition) return kNoIndex;
  inner.continueTarget = header;
  Statement s = makeStatement(StatementKind::For, makeNot(condition));
  s.head.push_back(expressionStatement(nullptr));
  {
    FloorGuard guard(stack);
    StatementList update;
    decodeRange(header, entry, stack, update, inner, header);
    m_values.flush(stack, stack.floor, update, entry);
    for (Statement& part : update)
      if (part.kind != StatementKind::Label) s.head.push_back(std::move(part));
    decodeRange(test + 1, last, stack, s.body, inner);
    m_values.flush(stack, stack.floor, s.body, last);
  }
  if (s.head.size() == 2) {
    if (const Expression* stepped = assignedPlace(s.head[1])) {
      if (Statement* init = initOf(out, *stepped)) {
        s.head.front() = std::move(*init);
        out.erase(out.begin() + (init - out.data()));
      }
    }
  }
  emit(out, std::move(s), i);
  return last + 1;
}

void Structurer::toForLoop(Statement& loop, StatementList& out, std::size_t update) {
  // for (init; test; update): the update part is where the loop's continues go, or the
  // last statement when it steps the place that the statement before the loop set.
  std::size_t split = loop.body.size();
  if (update != kNoIndex) {
    const auto at = std::find_if(loop.body.begin(), loop.body.end(), [&](const Statement& s) {
      return s.start >= update && s.kind != StatementKind::Label;
    });
    const bool exact = at != loop.body.end() && at->start == update;
    retargetContinues(loop.body, update, exact, m_code.offsetOf(update));
    if (exact) split = static_cast<std::size_t>(at - loop.body.begin());
  }
  Statement* step = lastStatement(loop.body);
  const Expression* stepped = step != nullptr ? assignedPlace(*step) : nullptr;
  Statement* init = stepped != nullptr ? initOf(out, *stepped) : nullptr;
  const bool initMatches = init != nullptr;
  const bool mentioned = stepped != nullptr && mentions(*loop.value, *stepped);
  if (split == loop.body.size()) {
    if (!(initMatches && mentioned)) {
      emit(out, std::move(loop), loop.start);
      return;
    }
    split = static_cast<std::size_t>(step - loop.body.data());
  }
  Statement forLoop = makeStatement(StatementKind::For, loop.value);
  if (initMatches) {
    forLoop.head.push_back(std::move(*init));
    out.erase(out.begin() + (init - out.data()));
  } else {
    forLoop.head.push_back(expressionStatement(nullptr));
  }
  for (std::size_t k = split; k < loop.body.size(); ++k)
    if (loop.body[k].kind != StatementKind::Label) forLoop.head.push_back(std::move(loop.body[k]));
  loop.body.resize(split);
  forLoop.body = std::move(loop.body);
  emit(out, std::move(forLoop), loop.start);
}

std::size_t Structurer::function(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                 const FlowContext& context) {
  const Instruction& instruction = m_code[i];
  BitReader fields = m_code.reader(i);
  auto definition = std::make_shared<SourceFunction>();
  definition->name = fields.readString();
  const std::uint16_t count = fields.readU16();
  RegisterScope local;
  if (instruction.code == 0x8E) {
    fields.readU8();  // the register count
    const std::uint8_t flags = fields.readU8();
    const std::uint8_t globalFlag = fields.readU8();
    // Preloaded registers from 1 on, in this order.
    std::size_t next = 1;
    for (const auto& [bit, name] : {std::pair{0x01, "this"}, {0x04, "arguments"}, {0x10, "super"}, {0x40, "_root"},
                                    {0x80, "_parent"}}) {
      if ((flags & bit) == 0) continue;
      local.names[next] = name;
      local.declared[next++] = true;
    }
    if ((globalFlag & 1) != 0) {
      local.names[next] = "_global";
      local.declared[next] = true;
    }
  }
  for (std::uint16_t k = 0; k < count && !fields.exhausted(); ++k) {
    const std::uint8_t number = instruction.code == 0x8E ? fields.readU8() : 0;
    std::string name = fields.readString();
    // Some compilers leave the names of parameters held in registers empty, and obfuscators
    // give them names no script could use: the register's own name stands in.
    if (number != 0 && !isIdentifierName(name)) name = "_loc" + std::to_string(number) + "_";
    if (number != 0) {
      local.names[number] = name;
      local.declared[number] = true;
    }
    definition->parameters.push_back(std::move(name));
  }
  const std::uint16_t codeSize = fields.readU16();
  if (fields.exhausted()) {
    emit(out, makeComment("function record cut short"), i);
    return i + 1;
  }
  const std::size_t bodyEnd =
      std::min(m_code.indexFrom(std::int64_t{instruction.offset} + instruction.size + codeSize), end);
  if (context.depth < kMaxNesting) {
    m_values.enterFunction(std::move(local));
    ValueStack inner;
    FlowContext fresh;
    fresh.depth = context.depth + 1;
    decodeRange(i + 1, bodyEnd, inner, definition->body, fresh);
    m_values.flush(inner, 0, definition->body, bodyEnd);
    m_values.leaveFunction();
  }
  const std::size_t next = context.depth < kMaxNesting ? bodyEnd : i + 1;
  if (definition->name.empty()) {
    stack.push(makeFunction(std::move(definition)));
  } else {
    Statement s = makeStatement(StatementKind::Function);
    s.function = std::move(definition);
    emit(out, std::move(s), i);
  }
  return next;
}

std::size_t Structurer::tryStatement(std::size_t i, std::size_t end, StatementList& out, const FlowContext& context) {
  const Instruction& instruction = m_code[i];
  BitReader fields = m_code.reader(i);
  const std::uint8_t flags = fields.readU8();
  const std::int64_t trySize = fields.readU16();
  const std::int64_t catchSize = fields.readU16();
  const std::int64_t finallySize = fields.readU16();
  Statement s = makeStatement(StatementKind::Try);
  if ((flags & 4) != 0) {
    const std::uint8_t number = fields.readU8();
    s.name = m_values.declareRegister(number);
  } else {
    s.name = fields.readString();
  }
  if (fields.exhausted() || context.depth >= kMaxNesting) {
    emit(out, makeComment("try"), i);
    return i + 1;
  }
  s.hasCatch = (flags & 1) != 0;
  s.hasFinally = (flags & 2) != 0;
  const std::int64_t start = std::int64_t{instruction.offset} + instruction.size;
  const std::size_t tryEnd = std::min(m_code.indexFrom(start + trySize), end);
  const std::size_t catchEnd = std::min(std::max(m_code.indexFrom(start + trySize + catchSize), tryEnd), end);
  const std::size_t finallyEnd =
      std::min(std::max(m_code.indexFrom(start + trySize + catchSize + finallySize), catchEnd), end);
  // The try block ends with a jump over the catch block.
  std::size_t body = tryEnd;
  if (s.hasCatch && body > i + 1 && m_code[body - 1].code == op::kJump && m_code[body - 1].target != kNoIndex &&
      m_code[body - 1].target >= catchEnd)
    --body;
  const FlowContext inner = context.nested();
  ValueStack local;
  decodeRange(i + 1, body, local, s.body, inner);
  m_values.flush(local, 0, s.body, body);
  decodeRange(tryEnd, catchEnd, local, s.alternative, inner);
  m_values.flush(local, 0, s.alternative, catchEnd);
  decodeRange(catchEnd, finallyEnd, local, s.finally, inner);
  m_values.flush(local, 0, s.finally, finallyEnd);
  emit(out, std::move(s), i);
  return std::max(finallyEnd, i + 1);
}

}  // namespace

StatementList decompileBlock(const ActionList& records) { return Structurer(records).run(); }

}  // namespace orvane
