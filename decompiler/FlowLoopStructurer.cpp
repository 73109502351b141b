#include "decompiler/FlowLoopStructurer.h"

#include <algorithm>
#include <vector>

#include "decompiler/FlowStructurer.h"

namespace orvane {

namespace {

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
  return set != nullptr && init->value->operation == Operation::Assign && sameTarget(*set, place)
             ? init
             : nullptr;
}

/// Whether the statements from `from` on can be a for loop's update list: expressions only,
/// which the list prints separated by commas (an if, a loop or a jump there has no form).
bool isUpdateList(StatementList::const_iterator from, StatementList::const_iterator to) {
  return std::all_of(from, to, [](const Statement& part) {
    return part.kind == StatementKind::Label || (part.kind == StatementKind::Expression && part.value);
  });
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
        s.kind == StatementKind::ForIn || s.kind == StatementKind::ForEach)
      continue;
    retargetContinues(s.body, update, isFor, offset);
    retargetContinues(s.alternative, update, isFor, offset);
    retargetContinues(s.finally, update, isFor, offset);
    for (SwitchCase& entry : s.cases) retargetContinues(entry.body, update, isFor, offset);
  }
}

/// A loop's own continues (not those of a loop inside it) as gotos to `offset`.
void continuesToGotos(StatementList& list, std::size_t offset) {
  for (Statement& s : list) {
    if (s.kind == StatementKind::Continue) {
      s.kind = StatementKind::Goto;
      s.target = offset;
    }
    if (s.kind == StatementKind::While || s.kind == StatementKind::DoWhile || s.kind == StatementKind::For ||
        s.kind == StatementKind::ForIn || s.kind == StatementKind::ForEach)
      continue;
    continuesToGotos(s.body, offset);
    continuesToGotos(s.alternative, offset);
    continuesToGotos(s.finally, offset);
    for (SwitchCase& entry : s.cases) continuesToGotos(entry.body, offset);
  }
}

}  // namespace

FlowLoopStructurer::FlowLoopStructurer(FlowStructurer& walk, const FlowStream& code, FlowFrontEnd& values)
    : m_walk(walk), m_code(code), m_values(values) {}

std::size_t FlowLoopStructurer::loop(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out,
                                 const FlowContext& context) {
  FlowContext inner = context.nested();
  inner.breakTarget = last + 1;
  inner.loopLast = last;
  inner.update = nullptr;
  if (m_code[last].kind == FlowKind::kBranch) {
    const std::size_t cleanup = m_values.cleanupLoop(header);
    if (cleanup != 0 && header + cleanup == last + 1) return last + 1;
    return doWhile(header, stack, out, inner);
  }
  // A loop left by a break may go through a clean-up loop; its test jumps past it.
  const std::size_t exit = last + 1 + m_values.cleanupLoop(last + 1);
  inner.continueTarget = header;
  std::size_t test = header;
  while (test < last &&
         !(m_code[test].kind == FlowKind::kBranch && (m_code[test].target == last + 1 || m_code[test].target == exit)))
    ++test;
  Statement s = makeStatement(StatementKind::While);
  std::size_t update = kNoIndex;
  inner.update = &update;
  const std::size_t base = stack.size();
  StatementList head;
  if (test < last) m_walk.decodeRange(header, test, stack, head, inner, header);
  const bool entryTest = stack.size() == base && m_values.isEntryTest(stack);
  if (test < last && !hasStatements(head) && (stack.size() == base + m_values.branchOperands(test) || entryTest)) {
    ExpressionPtr condition = m_values.branchCondition(test, stack);
    FloorGuard guard(stack);
    m_walk.decodeRange(test + 1, last, stack, s.body, inner);
    m_values.flush(stack, stack.floor, s.body, last);
    s.value = makeNot(condition);
  } else if (test == last) {
    loopBody(header, last, stack, head, inner);
    m_values.flush(stack, base, head, last);
    s.value = makeLiteral("true");
    s.body = std::move(head);
  } else {
    m_walk.decodeRange(test, last, stack, head, inner, header);
    m_values.flush(stack, base, head, last);
    s.value = makeLiteral("true");
    s.body = std::move(head);
  }
  s.start = header;
  toForLoop(s, out, update);
  return last + 1;
}

std::size_t FlowLoopStructurer::doWhile(std::size_t header, ValueStack& stack, StatementList& out, FlowContext& inner) {
  const std::size_t last = inner.loopLast;
  // continue goes to the start of the test's code, found from the continues themselves.
  std::size_t update = kNoIndex;
  inner.update = &update;
  Statement s = makeStatement(StatementKind::DoWhile);
  FloorGuard guard(stack);
  const std::size_t base = stack.size();
  loopBody(header, last, stack, s.body, inner);
  s.value = m_values.branchCondition(last, stack);
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
        if (it->kind != StatementKind::Label)
          condition = condition ? makeBinary(Operation::Comma, condition, it->value) : it->value;
      if (condition) s.value = makeBinary(Operation::Comma, condition, s.value);
      s.body.erase(from, s.body.end());
    } else {
      retargetContinues(s.body, update, false, m_code.offsetOf(update));
    }
  }
  emit(out, std::move(s), header);
  return last + 1;
}

void FlowLoopStructurer::loopBody(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out,
                              const FlowContext& inner) {
  // do { do { ... } while (a); ... } while (b): both loops branch back to one header.
  std::size_t nested = kNoIndex;
  for (std::size_t k = last; k-- > header + 1;) {
    if (m_code.isBranch(k) && m_code[k].target == header) {
      nested = k;
      break;
    }
  }
  if (nested == kNoIndex || inner.depth >= kMaxNesting) {
    m_walk.decodeRange(header, last, stack, out, inner, header);
    return;
  }
  const std::size_t next = loop(header, nested, stack, out, inner);
  m_walk.decodeRange(next, last, stack, out, inner);
}

ExpressionPtr FlowLoopStructurer::loopTest(std::size_t from, std::size_t test, ValueStack& stack,
                                       const FlowContext& context) {
  // Read ahead and thrown away when it is not one value: only a short stretch of
  // expression code, so that nested attempts cannot multiply the work.
  if (test < from || test - from > kLabelWindow) return nullptr;
  // (The first record may be the header of the loop being read.)
  for (std::size_t k = from; k < test; ++k)
    if (!m_values.isExpressionCode(k) && !(k == from && m_code[k].loopEnd != kNoIndex)) return nullptr;
  FloorGuard guard(stack);
  StatementList head;
  m_walk.decodeRange(from, test, stack, head, context);
  if (!hasStatements(head) && stack.size() == stack.floor + m_values.branchOperands(test))
    return m_values.branchCondition(test, stack);
  if (stack.size() > stack.floor) stack.values.resize(stack.floor);
  return nullptr;
}

std::size_t FlowLoopStructurer::enteredLoop(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
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
  if (m_code[last].kind == FlowKind::kBranch) {
    // while (test) { body }: the body first, the test jumping back to it.
    ExpressionPtr test = loopTest(entry, last, stack, inner);
    if (!test) return kNoIndex;
    Statement s = makeStatement(StatementKind::While, test);
    inner.continueTarget = entry;
    std::size_t update = kNoIndex;
    inner.update = &update;
    FloorGuard guard(stack);
    m_walk.decodeRange(header, entry, stack, s.body, inner, header);
    m_values.flush(stack, stack.floor, s.body, entry);
    s.start = i;
    toForLoop(s, out, update);
    return last + 1;
  }
  std::size_t test = header;
  while (test < last && !(m_code[test].kind == FlowKind::kBranch && m_code[test].target == last + 1)) ++test;
  if (test >= last) return kNoIndex;
  if (test < entry) {
    // do { body } while (test): the test first, entered past it.
    ExpressionPtr condition = loopTest(header, test, stack, inner);
    if (!condition) return kNoIndex;
    Statement s = makeStatement(StatementKind::DoWhile, makeNot(condition));
    inner.continueTarget = header;
    FloorGuard guard(stack);
    StatementList between;
    m_walk.decodeRange(test + 1, entry, stack, between, inner);
    if (hasStatements(between)) {
      stack.values.resize(stack.floor);
      return kNoIndex;
    }
    m_walk.decodeRange(entry, last, stack, s.body, inner);
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
    m_walk.decodeRange(header, entry, stack, update, inner, header);
    m_values.flush(stack, stack.floor, update, entry);
    m_walk.decodeRange(test + 1, last, stack, s.body, inner);
    m_values.flush(stack, stack.floor, s.body, last);
    if (!isUpdateList(update.begin(), update.end())) {
      // Code that is more than expressions cannot be an update list: it ends the body of
      // while (test), and the continues that went to it go there.
      s.kind = StatementKind::While;
      s.head.clear();
      continuesToGotos(s.body, m_code.offsetOf(header));
      for (Statement& part : update) s.body.push_back(std::move(part));
      emit(out, std::move(s), i);
      return last + 1;
    }
    for (Statement& part : update)
      if (part.kind != StatementKind::Label) s.head.push_back(std::move(part));
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

void FlowLoopStructurer::toForLoop(Statement& loop, StatementList& out, std::size_t update) {
  // for (init; test; update): the update part is where the loop's continues go, or the
  // last statement when it steps the place that the statement before the loop set.
  m_values.refineLoop(loop);
  if (loop.kind != StatementKind::While) {
    emit(out, std::move(loop), loop.start);
    return;
  }
  std::size_t split = loop.body.size();
  if (update != kNoIndex) {
    const auto at = std::find_if(loop.body.begin(), loop.body.end(), [&](const Statement& s) {
      return s.start >= update && s.kind != StatementKind::Label;
    });
    const bool exact = at != loop.body.end() && at->start == update && isUpdateList(at, loop.body.end());
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

}  // namespace orvane
