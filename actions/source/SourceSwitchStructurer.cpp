#include "actions/source/SourceSwitchStructurer.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "actions/source/SourceExpressionBuilder.h"
#include "decompiler/FlowStructurer.h"

namespace orvane {

namespace {

/// How many records of a switch's last case are searched for its break when no case
/// before it breaks.
constexpr std::size_t kLastCaseWindow = 256;

}  // namespace

SwitchStructurer::SwitchStructurer(FlowStructurer& walk, const InstructionStream& code, ExpressionBuilder& values)
    : m_walk(walk), m_code(code), m_values(values) {}

std::size_t SwitchStructurer::switchChain(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
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
      return top != nullptr && top->kind == ExpressionKind::Binary && top->operation == test->operation &&
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
        q = std::max(m_walk.step(q, limit, stack, scratch, context.nested(), kNoIndex), q + 1);
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
        const bool increments = only->value->operation == Operation::PostIncrement;
        label = makeUnary(increments ? Operation::PreIncrement : Operation::PreDecrement, label);
        scratch.clear();
      }
    }
    if (q >= end || m_code[q].code != op::kIf || hasStatements(scratch) || compare == nullptr ||
        compare->kind != ExpressionKind::Binary || compare->operation != test->operation ||
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
    const std::size_t next = switchAsIfChain(i, store, test->operation, labels, bodies, close, stack, out, context);
    if (next != kNoIndex) return next;
  }
  Statement s = makeStatement(StatementKind::Switch, store->operands[1]);
  FlowContext inner = context.nested();
  inner.breakTarget = close;
  if (labels.begin()->first > bodies) m_walk.decodeRange(bodies, labels.begin()->first, stack, out, inner);
  FloorGuard guard(stack);
  for (auto it = labels.begin(); it != labels.end(); ++it) {
    const std::size_t from = it->first;
    const std::size_t to = std::next(it) == labels.end() ? close : std::next(it)->first;
    for (std::size_t k = 0; k < it->second.size(); ++k) {
      SwitchCase entry;
      entry.label = it->second[k];
      if (k + 1 == it->second.size()) {
        m_walk.decodeRange(from, to, stack, entry.body, inner);
        m_values.flush(stack, stack.floor, entry.body, to);
      }
      s.cases.push_back(std::move(entry));
    }
  }
  emit(out, std::move(s), i);
  return close;
}

bool SwitchStructurer::leavesEnclosing(std::size_t from, std::size_t to, const FlowContext& context) const {
  if (context.breakTarget == kNoIndex) return false;
  for (std::size_t k = from; k < to; ++k)
    if ((m_code[k].code == op::kJump || m_code[k].code == op::kIf) && m_code[k].target == context.breakTarget)
      return true;
  return false;
}

std::size_t SwitchStructurer::switchEnd(std::size_t bodies, std::size_t last, std::size_t fallback, std::size_t end,
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

std::size_t SwitchStructurer::switchAsIfChain(std::size_t i, const ExpressionPtr& store, Operation compare,
                                              const std::map<std::size_t, std::vector<ExpressionPtr>>& labels,
                                              std::size_t bodies, std::size_t close, ValueStack& stack,
                                              StatementList& out, const FlowContext& context) {
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
    m_walk.decodeRange(branch.from, branch.to, stack, body, inner);
    m_values.flush(stack, stack.floor, body, branch.to);
    if (std::find(branch.labels->begin(), branch.labels->end(), nullptr) != branch.labels->end()) {
      otherwise = std::move(body);
      hasDefault = true;
      continue;
    }
    ExpressionPtr condition;
    for (const ExpressionPtr& label : *branch.labels) {
      ExpressionPtr one = makeBinary(compare, held, label);
      condition = condition ? makeBinary(Operation::LogicalOr, condition, one) : one;
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

}  // namespace orvane
