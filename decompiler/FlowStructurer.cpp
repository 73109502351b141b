#include "decompiler/FlowStructurer.h"

#include <algorithm>
#include <cstdint>


namespace orvane {

namespace {

/// Removes the `count` values below `base` that a statement's branches consumed.
void dropTaken(ValueStack& stack, std::size_t base, std::size_t count) {
  if (count == 0 || count > base || stack.size() < base) return;
  stack.values.erase(stack.values.begin() + static_cast<std::ptrdiff_t>(base - count),
                     stack.values.begin() + static_cast<std::ptrdiff_t>(base));
}

}  // namespace

FlowStructurer::FlowStructurer(const FlowStream& code, FlowFrontEnd& values)
    : m_code(code),
      m_values(values),
      m_loops(*this, code, values),
      m_gotoTargets(code.size() + 1, false) {}

StatementList FlowStructurer::run() {
  StatementList out;
  ValueStack stack;
  decodeRange(0, m_code.size(), stack, out, FlowContext{});
  m_values.flush(stack, 0, out, m_code.size());
  return out;
}

void FlowStructurer::decodeRange(std::size_t begin, std::size_t end, ValueStack& stack, StatementList& out,
                             const FlowContext& context, std::size_t skipLoopAt) {
  end = std::min(end, m_code.size());
  std::size_t i = begin;
  // A statement begins at the first instruction after the one before it: the pushes of its
  // operands come before the instruction that makes it.
  std::size_t pending = begin;
  while (i < end) {
    const std::size_t before = out.size();
    const std::size_t height = stack.size();
    const std::size_t next = step(i, end, stack, out, context, skipLoopAt);
    bool made = false;
    for (std::size_t k = before; k < out.size() && !made; ++k) {
      if (out[k].kind == StatementKind::Label) continue;
      out[k].start = std::min(out[k].start, pending);
      made = true;
    }
    // Code that makes nothing and leaves the stack as it was (a kill of a register, a
    // label) between statements belongs to neither, so that the next statement begins
    // where a jump to it lands.
    if (made || (pending == i && stack.size() == height)) pending = std::max(next, i + 1);
    i = std::max(next, i + 1);
  }
}

std::size_t FlowStructurer::step(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                             const FlowContext& context, std::size_t skipLoopAt) {
  const FlowInstruction& instruction = m_code[i];
  // Labels where a goto may go: forward gotos are made before their target is reached,
  // backward ones can only go to the targets of backward branches.
  if (instruction.isTarget && (m_gotoTargets[i] || instruction.loopEnd != kNoIndex)) {
    Statement label = makeStatement(StatementKind::Label);
    label.target = instruction.offset;
    emit(out, std::move(label), i);
  }
  if (i != skipLoopAt && instruction.loopEnd != kNoIndex && instruction.loopEnd < end && context.depth < kMaxNesting)
    return m_loops.loop(i, instruction.loopEnd, stack, out, context);
  const std::size_t own = m_values.structure(*this, i, end, stack, out, context);
  if (own != kNoIndex) return own;
  switch (instruction.kind) {
    case FlowKind::kBranch:
      return conditional(i, end, stack, out, context);
    case FlowKind::kJump: {
      const std::size_t next = m_loops.enteredLoop(i, end, stack, out, context);
      return next != kNoIndex ? next : jump(i, out, context);
    }
    default:
      return m_values.readInstruction(i, end, stack, out);
  }
}

bool FlowStructurer::branchesTo(std::size_t from, std::size_t to, std::size_t target) const {
  for (std::size_t k = from; k < to; ++k)
    if (m_code.isBranch(k) && m_code[k].target == target) return true;
  return false;
}

std::size_t FlowStructurer::gotoStatement(std::size_t i, std::size_t target, StatementList& out) {
  Statement s = makeStatement(StatementKind::Goto);
  s.target = static_cast<std::size_t>(std::max<std::int64_t>(m_code.branchOffset(i), 0));
  if (target != kNoIndex) {
    s.target = m_code.offsetOf(target);
    m_gotoTargets[target] = true;
  }
  emit(out, std::move(s), i);
  return i + 1;
}

std::size_t FlowStructurer::landing(std::size_t target) const {
  for (int hops = 0; hops < kMaxJumpHops && target < m_code.size() && m_code[target].kind == FlowKind::kJump &&
                     m_code[target].target != kNoIndex;
       ++hops)
    target = m_code[target].target;
  return target;
}

std::size_t FlowStructurer::jump(std::size_t i, StatementList& out, const FlowContext& context) {
  const std::size_t target = m_code[i].target;
  // A jump to the next instruction changes nothing, unless it is the break that ends the last
  // case of a switch.
  if (target == i + 1 && target != context.breakTarget) return i + 1;
  // A jump to a jump goes where that one goes: the compiler enters a while (true) loop,
  // and continues it, through the jump that closes it.
  const std::size_t onward = landing(target);
  if (onward == i + 1 && onward != context.breakTarget) return i + 1;
  for (const std::size_t place : {target, onward}) {
    if (place == kNoIndex) continue;
    if (place == context.breakTarget) {
      emit(out, makeStatement(StatementKind::Break), i);
      return i + 1;
    }
    if (place == context.continueTarget) {
      emit(out, makeStatement(StatementKind::Continue), i);
      return i + 1;
    }
  }
  if (target != kNoIndex && context.update != nullptr && target > i && target <= context.loopLast &&
      (*context.update == kNoIndex || *context.update == target)) {
    *context.update = target;
    m_gotoTargets[target] = true;  // a goto when the loop does not become a for loop
    Statement s = makeStatement(StatementKind::Continue);
    s.target = target;
    emit(out, std::move(s), i);
    return i + 1;
  }
  return gotoStatement(i, target, out);
}

std::size_t FlowStructurer::conditional(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                    const FlowContext& context) {
  const std::size_t target = m_code[i].target;
  ExpressionPtr test = m_values.branchCondition(i, stack);
  auto exitStatement = [&](Statement exit) {
    Statement s = makeStatement(StatementKind::If, test);
    emit(s.body, std::move(exit), i);
    emit(out, std::move(s), i);
    return i + 1;
  };
  if (target == kNoIndex || target <= i || target > end || context.depth >= kMaxNesting) {
    if (target != kNoIndex && target == context.breakTarget)
      return exitStatement(makeStatement(StatementKind::Break));
    if (target != kNoIndex && target == context.continueTarget)
      return exitStatement(makeStatement(StatementKind::Continue));
    Statement s = makeStatement(StatementKind::If, test);
    gotoStatement(i, target, s.body);
    emit(out, std::move(s), i);
    return i + 1;
  }
  // a && b and a || b: the left value is duplicated, tested and dropped before the right.
  if (i + 1 < end && m_values.isDiscard(i + 1) && stack.top() != nullptr) {
    const ExpressionPtr& left = stack.values.back();
    if (left == test) return shortCircuit(i, target, stack, out, context, Operation::LogicalOr, left);
    // The Not of a Not is its operand, so the test may be the left value's own operand.
    if ((test->operation == Operation::Not && test->operands[0] == left) ||
        (left->operation == Operation::Not && left->operands[0] == test))
      return shortCircuit(i, target, stack, out, context, Operation::LogicalAnd, left);
  }
  const std::size_t own = m_values.branchStatement(*this, i, end, stack, out, context, test);
  if (own != kNoIndex) return own;
  // The then part runs when the test fails; a jump at its end over an else part.
  std::size_t thenEnd = target;
  std::size_t elseEnd = kNoIndex;
  if (target - 1 > i && m_code[target - 1].kind == FlowKind::kJump && !branchesTo(i + 1, target - 1, target)) {
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
    const bool negated = test->operation == Operation::Not;
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

std::size_t FlowStructurer::shortCircuit(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                                     const FlowContext& context, Operation op, const ExpressionPtr& left) {
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

}  // namespace orvane
