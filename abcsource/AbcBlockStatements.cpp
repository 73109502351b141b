#include "abcsource/AbcBlockStatements.h"

#include <algorithm>
#include <map>
#include <vector>

#include "abcsource/AbcStackMachine.h"
#include "decompiler/FlowStructurer.h"

namespace orvane {

namespace {

/// How far after the case bodies the compares may reach for their lookupswitch.
constexpr std::size_t kCompareWindow = 4096;

constexpr std::uint8_t kIfStrictEq = 0x19;
constexpr std::uint8_t kIfStrictNe = 0x1A;
constexpr std::uint8_t kIfFalse = 0x12;
constexpr std::uint8_t kPushFalse = 0x27;
constexpr std::uint8_t kLabel = 0x09;
constexpr std::uint8_t kKill = 0x08;
constexpr std::uint8_t kPushByte = 0x24;
constexpr std::uint8_t kReturnValue = 0x48;
constexpr std::uint8_t kGetLocal = 0x62;
constexpr std::uint8_t kSetLocal = 0x63;
constexpr std::uint8_t kCoerceAny = 0x82;
constexpr std::uint8_t kGetLocal0 = 0xD0;
constexpr std::uint8_t kSetLocal0 = 0xD4;

/// debug, debugline, debugfile: records of a debug build that do nothing.
bool isDebugRecord(std::uint8_t code) { return code >= 0xEF && code <= 0xF1; }

}  // namespace

std::size_t AbcBlockStatements::structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                                          StatementList& out, const FlowContext& context) {
  if (context.depth >= kMaxNesting) return kNoIndex;
  const std::size_t tried = tryStatement(walk, i, end, out, context);
  if (tried != kNoIndex) return tried;
  const std::size_t exit = finallyExit(i, end);
  if (exit != kNoIndex) return exit;
  if (m_flow[i].kind != FlowKind::kJump) return kNoIndex;
  // A jump right after a return, a throw or a jump that no branch reaches is never taken:
  // the compiler's jump over the else part of a then part that left the method, its jump to
  // the end of a switch after the break of the last case.
  if (i > 0 && (m_flow[i - 1].kind == FlowKind::kEnd || m_flow[i - 1].kind == FlowKind::kJump) && !m_flow[i].isTarget)
    return i + 1;
  // do { } while (c): the compiler jumps over the label that heads the loop.
  if (m_flow[i].target == i + 2 && m_machine.instruction(i + 1).code == kLabel && m_flow[i + 1].loopEnd != kNoIndex)
    return i + 1;
  return switchStatement(walk, i, end, stack, out, context);
}

long long AbcBlockStatements::pushedNumber(std::size_t i) const {
  const AbcInstruction& instruction = m_machine.instruction(i);
  switch (instruction.code) {
    case 0x24: case 0x25: return instruction.operands[0];
    case 0x2D: {
      const auto& integers = m_machine.file().pool.integers;
      const auto index = static_cast<std::uint64_t>(instruction.operands[0]);
      return index < integers.size() ? integers[index] : -1;
    }
    default: return -1;
  }
}

std::size_t AbcBlockStatements::switchStatement(FlowStructurer& walk, std::size_t i, std::size_t end,
                                                ValueStack& stack, StatementList& out, const FlowContext& context) {
  const std::size_t compares = m_flow[i].target;
  if (compares == kNoIndex || compares <= i + 1 || compares >= end) return kNoIndex;
  std::size_t dispatch = compares;
  const std::size_t limit = std::min(end, compares + kCompareWindow);
  while (dispatch < limit && m_flow[dispatch].kind != FlowKind::kSwitch) {
    if (m_flow[dispatch].kind == FlowKind::kEnd) break;
    ++dispatch;
  }
  if (dispatch >= limit || m_flow[dispatch].kind != FlowKind::kSwitch)
    return branchingSwitch(walk, i, end, stack, out, context);
  const std::vector<std::int64_t>& targets = m_machine.instruction(dispatch).switchTargets;
  if (targets.empty()) return kNoIndex;
  const std::size_t close = dispatch + 1;

  // The compares: label !== discriminant, then the case's number and a jump to the dispatch.
  ExpressionPtr discriminant;
  std::vector<std::pair<ExpressionPtr, long long>> labels;
  std::size_t p = compares;
  bool stored = false;  // the discriminant went into its register before the first compare
  {
    FloorGuard guard(stack);
    while (p < dispatch) {
      std::size_t branch = p;
      while (branch < dispatch && m_flow[branch].kind != FlowKind::kBranch && m_flow[branch].kind != FlowKind::kJump)
        ++branch;
      // A default written among the cases puts its number there, jumped over by the compares;
      // written first, its number comes right after the store of the discriminant.
      if (branch < dispatch && m_flow[branch].kind == FlowKind::kJump) {
        const std::size_t over = m_flow[branch].target;
        if (over == kNoIndex || over <= branch || over > dispatch) return kNoIndex;
        if (branch > p) {
          if (stored || !labels.empty()) return kNoIndex;
          StatementList scratch;
          walk.decodeRange(p, branch, stack, scratch, context.nested());
          const bool stacked = stack.size() != stack.floor;
          stack.values.resize(stack.floor);
          if (stacked || std::count_if(scratch.begin(), scratch.end(), [](const Statement& s) {
                           return s.kind != StatementKind::Label;
                         }) > 1)
            return kNoIndex;
          stored = true;
        }
        p = over;
        continue;
      }
      if (branch >= dispatch) break;
      const AbcInstruction& test = m_machine.instruction(branch);
      // The compiler's default: pushfalse; iffalse.
      if (test.code == kIfFalse && branch == p + 1 && m_machine.instruction(p).code == kPushFalse) break;
      if (test.code != kIfStrictNe || branch + 2 >= dispatch) return kNoIndex;
      StatementList scratch;
      walk.decodeRange(p, branch, stack, scratch, context.nested());
      const Expression* held = stack.size() == stack.floor + 2 ? stack.values.back().get() : nullptr;
      // The first compare stores the discriminant into the register the others read.
      const std::size_t allowed = discriminant || stored ? 0 : 1;
      const auto statements = static_cast<std::size_t>(std::count_if(
          scratch.begin(), scratch.end(), [](const Statement& s) { return s.kind != StatementKind::Label; }));
      if (held == nullptr || held->kind != ExpressionKind::Register || held->registerNumber < 0 || statements > allowed) {
        stack.values.resize(stack.floor);
        return kNoIndex;
      }
      if (!discriminant) discriminant = m_machine.storedValue(static_cast<std::uint32_t>(held->registerNumber));
      if (!discriminant) {
        stack.values.resize(stack.floor);
        return kNoIndex;
      }
      ExpressionPtr label = stack.values[stack.floor];
      stack.values.resize(stack.floor);
      const long long number = pushedNumber(branch + 1);
      if (number < 0 || m_flow[branch + 2].kind != FlowKind::kJump) return kNoIndex;
      labels.emplace_back(std::move(label), number);
      p = m_flow[branch].target;
      if (p == kNoIndex || p <= branch || p > dispatch) return kNoIndex;
    }
  }
  if (!discriminant) return kNoIndex;

  // The case bodies lie between the jump and the compares, in the order of their targets.
  const auto indexOf = [&](std::int64_t offset) { return m_flow.indexAt(offset); };
  const std::size_t defaultAt = indexOf(targets.front());
  SwitchCases cases;
  for (const auto& [label, number] : labels) {
    const std::size_t k = static_cast<std::size_t>(number) + 1;
    const std::size_t at = k < targets.size() ? indexOf(targets[k]) : defaultAt;
    if (at == kNoIndex || at <= i || at > compares) return kNoIndex;
    cases[at].push_back(label);
  }
  if (defaultAt == kNoIndex || (defaultAt != close && (defaultAt <= i || defaultAt > compares))) return kNoIndex;
  if (defaultAt != close) cases[defaultAt].push_back(nullptr);
  emitSwitch(walk, i, {close, compares}, std::move(discriminant), cases, stack, out, context);
  return close;
}

std::size_t AbcBlockStatements::branchingSwitch(FlowStructurer& walk, std::size_t i, std::size_t end,
                                                ValueStack& stack, StatementList& out, const FlowContext& context) {
  // The compares: label === discriminant, each branching to its case's code; then a jump to
  // the default's code, or past the statement when there is none.
  const std::size_t compares = m_flow[i].target;
  std::vector<std::pair<ExpressionPtr, std::size_t>> labels;  // label, its case's code
  std::int64_t held = -1;  // the register of the discriminant
  ExpressionPtr read;      // a compare's read of it
  std::size_t p = compares;
  std::size_t last = kNoIndex;  // the jump that ends the compares
  {
    FloorGuard guard(stack);
    while (p < end && last == kNoIndex) {
      std::size_t branch = p;
      while (branch < end && m_flow[branch].kind == FlowKind::kPlain && branch - p < kLabelWindow) ++branch;
      if (branch >= end || (m_flow[branch].kind != FlowKind::kBranch && m_flow[branch].kind != FlowKind::kJump))
        return kNoIndex;
      if (m_flow[branch].kind == FlowKind::kJump) {
        for (std::size_t k = p; k < branch; ++k)
          if (!isDebugRecord(m_machine.instruction(k).code)) return kNoIndex;
        last = branch;
        break;
      }
      // The shape first, so that code of some other statement is not read ahead: the label's
      // expression, the read of the register, the branch.
      const std::size_t at = m_flow[branch].target;
      if (m_machine.instruction(branch).code != kIfStrictEq || at == kNoIndex || at <= i || at >= compares ||
          branch == p || readRegister(branch - 1) < 0 || (held >= 0 && readRegister(branch - 1) != held))
        return kNoIndex;
      for (std::size_t k = p; k + 1 < branch; ++k)
        if (!m_machine.isExpressionCode(k) || storedRegister(k) >= 0) return kNoIndex;
      StatementList scratch;
      walk.decodeRange(p, branch, stack, scratch, context.nested());
      const Expression* value = stack.size() == stack.floor + 2 ? stack.values.back().get() : nullptr;
      const bool isRegister = value != nullptr && value->kind == ExpressionKind::Register &&
                              value->registerNumber == readRegister(branch - 1);
      if (!isRegister || hasStatements(scratch)) {
        stack.values.resize(stack.floor);
        return kNoIndex;
      }
      held = value->registerNumber;
      read = stack.values.back();
      labels.emplace_back(stack.values[stack.floor], at);
      stack.values.resize(stack.floor);
      p = branch + 1;
    }
  }
  if (last == kNoIndex || labels.empty()) return kNoIndex;
  const std::size_t close = last + 1;
  const std::size_t defaultAt = m_flow[last].target;
  if (defaultAt != close && (defaultAt == kNoIndex || defaultAt <= i || defaultAt >= compares)) return kNoIndex;
  // The code of the cases breaks to the end of the statement, or leaves the statements
  // around it; it goes nowhere else past the case code. The last case ends in a jump (or a
  // return): code that runs on into the compares is the body of a loop whose test they are.
  for (std::size_t k = i + 1; k < compares; ++k) {
    const std::size_t to = m_flow[k].target;
    if (m_flow.isBranch(k) && to != kNoIndex && to >= compares && to != close && !context.isEnclosingExit(to, close))
      return kNoIndex;
  }
  std::size_t ending = compares - 1;
  while (ending > i && isDebugRecord(m_machine.instruction(ending).code)) --ending;
  if (!(m_flow[ending].kind == FlowKind::kEnd ||
        (m_flow[ending].kind == FlowKind::kJump && m_flow[ending].target != kNoIndex && m_flow[ending].target >= close)))
    return kNoIndex;

  // The discriminant was stored just before the jump to the compares; when its register
  // serves nothing else, that store is the switch's own.
  const auto number = static_cast<std::uint32_t>(held);
  ExpressionPtr discriminant = m_machine.storedValue(number);
  std::size_t reads = 0;
  std::size_t stores = 0;
  for (std::size_t k = 0; k < m_flow.size(); ++k) {
    if (k >= compares && k < last) continue;
    if (readRegister(k) == held) ++reads;
    if (storedRegister(k) == held) ++stores;
  }
  Statement* store = lastStatement(out);
  const bool own = discriminant && reads == 0 && stores == 1 && store != nullptr && store->value == discriminant &&
                   (store->kind == StatementKind::Var ||
                    (store->kind == StatementKind::Expression && store->value->kind == ExpressionKind::Assign));
  if (own) out.erase(out.begin() + (store - out.data()));
  else discriminant = read;

  SwitchCases cases;
  for (auto& [label, at] : labels) cases[at].push_back(std::move(label));
  if (defaultAt != close) cases[defaultAt].push_back(nullptr);
  emitSwitch(walk, i, {close, compares}, std::move(discriminant), cases, stack, out, context);
  return close;
}

void AbcBlockStatements::emitSwitch(FlowStructurer& walk, std::size_t i, SwitchExtent extent,
                                    ExpressionPtr discriminant, SwitchCases& cases, ValueStack& stack,
                                    StatementList& out, const FlowContext& context) {
  Statement s = makeStatement(StatementKind::Switch, std::move(discriminant));
  FlowContext inner = context.nested();
  inner.breakTarget = extent.close;
  FloorGuard guard(stack);
  for (auto it = cases.begin(); it != cases.end(); ++it) {
    const std::size_t to = std::next(it) == cases.end() ? extent.compares : std::next(it)->first;
    for (std::size_t k = 0; k < it->second.size(); ++k) {
      SwitchCase entry;
      entry.label = std::move(it->second[k]);
      if (k + 1 == it->second.size()) {
        walk.decodeRange(it->first, to, stack, entry.body, inner);
        m_machine.flush(stack, stack.floor, entry.body, to);
      }
      s.cases.push_back(std::move(entry));
    }
  }
  emit(out, std::move(s), i);
}

std::optional<AbcBlockStatements::Finally> AbcBlockStatements::finallyOf(std::size_t entry, std::size_t end) const {
  // The normal exit: pushbyte -1 and a jump to the finally code; the handler keeps the
  // exception, pushes its own number and jumps there too; the finally code ends in the
  // lookupswitch on the number, whose default goes on after the statement.
  const AbcException& handler = m_body.exceptions[entry];
  const std::size_t jump = m_flow.indexAt(handler.to);
  if (jump == kNoIndex || jump == 0 || jump >= end || m_flow[jump].kind != FlowKind::kJump) return std::nullopt;
  const AbcInstruction& normal = m_machine.instruction(jump - 1);
  if (normal.code != kPushByte || (normal.operands[0] != -1 && normal.operands[0] != 0xFF)) return std::nullopt;
  Finally parts;
  parts.normalExit = jump - 1;
  parts.code = m_flow[jump].target;
  const std::size_t caught = m_flow.indexAt(handler.target);
  if (parts.code == kNoIndex || parts.code >= end || caught == kNoIndex || caught <= jump || caught >= parts.code)
    return std::nullopt;
  std::size_t rethrow = caught;
  const std::size_t handlerLimit = std::min(parts.code, caught + kLabelWindow);
  while (rethrow + 1 < handlerLimit &&
         !(pushedNumber(rethrow) >= 0 && m_flow[rethrow + 1].kind == FlowKind::kJump &&
           m_flow[rethrow + 1].target == parts.code))
    ++rethrow;
  if (rethrow + 1 >= handlerLimit) return std::nullopt;
  const auto number = static_cast<std::size_t>(pushedNumber(rethrow));
  const std::size_t limit = std::min(end, parts.code + kCompareWindow);
  for (std::size_t k = parts.code; k < limit; ++k) {
    if (m_flow[k].kind != FlowKind::kSwitch) continue;
    const std::vector<std::int64_t>& targets = m_machine.instruction(k).switchTargets;
    if (targets.size() <= number + 1 || m_flow.indexAt(targets.front()) != k + 1) continue;
    const std::size_t rethrown = m_flow.indexAt(targets[number + 1]);
    if (rethrown == kNoIndex || rethrown <= rethrow || rethrown >= parts.code) continue;
    parts.dispatch = k;
    return parts;
  }
  return std::nullopt;
}

std::size_t AbcBlockStatements::finallyExit(std::size_t i, std::size_t end) const {
  if (m_finallies.empty()) return kNoIndex;
  std::size_t k = i;
  // return v: the value waits in a register that the exit's own code returns.
  std::int64_t kept = -1;
  if (m_machine.instruction(k).code == kCoerceAny && k + 1 < end) ++k;
  const std::int64_t stored = storedRegister(k);
  if (stored >= 0) {
    kept = stored;
    ++k;
  } else if (k != i) {
    return kNoIndex;
  }
  if (k + 1 >= end || pushedNumber(k) < 0 || m_flow[k + 1].kind != FlowKind::kJump) return kNoIndex;
  const std::size_t code = m_flow[k + 1].target;
  const auto open = std::find_if(m_finallies.rbegin(), m_finallies.rend(),
                                 [&](const Finally& parts) { return parts.code == code; });
  if (open == m_finallies.rend()) return kNoIndex;
  const std::vector<std::int64_t>& targets = m_machine.instruction(open->dispatch).switchTargets;
  const auto number = static_cast<std::size_t>(pushedNumber(k));
  if (number + 1 >= targets.size()) return kNoIndex;
  std::size_t at = m_flow.indexAt(targets[number + 1]);
  if (at == kNoIndex || at <= k + 1 || at >= end) return kNoIndex;
  while (at < end && m_machine.instruction(at).code == kLabel) ++at;
  if (kept < 0) return at;
  // getlocal r; kill r; returnvalue
  if (at + 2 >= end || readRegister(at) != kept || m_machine.instruction(at + 1).code != kKill ||
      m_machine.instruction(at + 1).operands[0] != kept || m_machine.instruction(at + 2).code != kReturnValue)
    return kNoIndex;
  return at + 2;
}

std::int64_t AbcBlockStatements::storedRegister(std::size_t i) const {
  const AbcInstruction& instruction = m_machine.instruction(i);
  if (instruction.code == kSetLocal) return instruction.operands[0];
  return instruction.code >= kSetLocal0 && instruction.code <= kSetLocal0 + 3 ? instruction.code - kSetLocal0 : -1;
}

std::int64_t AbcBlockStatements::readRegister(std::size_t i) const {
  const AbcInstruction& instruction = m_machine.instruction(i);
  if (instruction.code == kGetLocal) return instruction.operands[0];
  return instruction.code >= kGetLocal0 && instruction.code <= kGetLocal0 + 3 ? instruction.code - kGetLocal0 : -1;
}

std::size_t AbcBlockStatements::tryStatement(FlowStructurer& walk, std::size_t i, std::size_t end, StatementList& out,
                                             const FlowContext& context) {
  // The entries that begin here and are not read yet: the widest first (an outer try).
  // Entries without a variable are the compiler's: the finally handler, and before it,
  // when there is no catch, a handler that throws again what it caught.
  std::size_t widest = kNoIndex;
  std::size_t finallyEntry = kNoIndex;
  std::optional<Finally> parts;
  for (std::size_t k = 0; k < m_body.exceptions.size(); ++k) {
    const AbcException& entry = m_body.exceptions[k];
    if (m_flow.indexAt(entry.from) != i || m_openTries.count(k) != 0) continue;
    if (entry.variable != 0) {
      if (widest == kNoIndex || entry.to > m_body.exceptions[widest].to) widest = k;
    } else if (finallyEntry == kNoIndex || entry.to > m_body.exceptions[finallyEntry].to) {
      finallyEntry = k;
    }
  }
  if (finallyEntry != kNoIndex && (widest == kNoIndex || m_body.exceptions[finallyEntry].to > m_body.exceptions[widest].to))
    parts = finallyOf(finallyEntry, end);
  if (parts) {
    widest = kNoIndex;
    for (std::size_t k = 0; k < m_body.exceptions.size(); ++k) {
      const AbcException& entry = m_body.exceptions[k];
      if (k == finallyEntry || m_flow.indexAt(entry.from) != i || m_openTries.count(k) != 0) continue;
      if (widest == kNoIndex || entry.to > m_body.exceptions[widest].to) widest = k;
    }
  }
  if (widest == kNoIndex && !parts) return kNoIndex;

  std::vector<std::size_t> entries;
  std::size_t bodyEnd = parts ? parts->normalExit : kNoIndex;
  std::size_t after = bodyEnd;
  if (widest != kNoIndex) {
    for (std::size_t k = 0; k < m_body.exceptions.size(); ++k) {
      const AbcException& entry = m_body.exceptions[k];
      if (k != finallyEntry && entry.from == m_body.exceptions[widest].from && entry.to == m_body.exceptions[widest].to &&
          m_openTries.count(k) == 0 && (entry.variable != 0) == (m_body.exceptions[widest].variable != 0))
        entries.push_back(k);
    }
    bodyEnd = m_flow.indexAt(m_body.exceptions[widest].to);
    // A debug build marks the line of the jump past the handlers first.
    while (bodyEnd != kNoIndex && bodyEnd < end && isDebugRecord(m_machine.instruction(bodyEnd).code)) ++bodyEnd;
    if (bodyEnd == kNoIndex || bodyEnd <= i || bodyEnd >= end || m_flow[bodyEnd].kind != FlowKind::kJump) return kNoIndex;
    after = m_flow[bodyEnd].target;
    if (after == kNoIndex || after <= bodyEnd || after > end) return kNoIndex;
    // Catches whose handlers end elsewhere belong to a try inside the one with the finally.
    if (parts && after != parts->normalExit) {
      entries.clear();
      bodyEnd = after = parts->normalExit;
    }
  }
  if (bodyEnd <= i) return kNoIndex;
  std::vector<std::pair<std::size_t, std::size_t>> handlers;  // handler start, entry
  for (const std::size_t k : entries) {
    const std::size_t at = m_flow.indexAt(m_body.exceptions[k].target);
    if (at == kNoIndex || at <= bodyEnd || at >= after) return kNoIndex;
    handlers.emplace_back(at, k);
  }
  std::sort(handlers.begin(), handlers.end());
  if (!handlers.empty() && handlers.front().first != bodyEnd + 1) return kNoIndex;
  // The handler that throws again what it caught is the compiler's: the try has no catch.
  const bool rethrows = !entries.empty() && m_body.exceptions[entries.front()].variable == 0;
  if (rethrows && (!parts || entries.size() != 1)) return kNoIndex;

  for (const std::size_t k : entries) m_openTries.insert(k);
  if (parts) {
    m_openTries.insert(finallyEntry);
    m_finallies.push_back(*parts);
  }
  Statement s = makeStatement(StatementKind::Try);
  const FlowContext inner = context.nested();
  const std::vector<ExpressionPtr> scopes = m_machine.scopes();
  ValueStack local;
  walk.decodeRange(i, bodyEnd, local, s.body, inner);
  m_machine.flush(local, 0, s.body, bodyEnd);
  for (std::size_t h = 0; h < handlers.size() && !rethrows; ++h) {
    const auto [from, k] = handlers[h];
    const std::size_t to = h + 1 < handlers.size() ? handlers[h + 1].first : after;
    const AbcException& entry = m_body.exceptions[k];
    std::string name = m_machine.caughtValue(static_cast<std::uint32_t>(k))->text;
    ExpressionPtr type = entry.type != 0 ? m_machine.typeName(entry.type) : nullptr;
    StatementList body;
    m_machine.setScopes({});
    ValueStack caught;
    caught.push(m_machine.caughtValue(static_cast<std::uint32_t>(k)));
    // A handler before the last ends with its jump past the others.
    const std::size_t handlerEnd = to > from + 1 && m_flow[to - 1].kind == FlowKind::kJump && m_flow[to - 1].target == after ? to - 1 : to;
    walk.decodeRange(from, handlerEnd, caught, body, inner);
    m_machine.flush(caught, std::min<std::size_t>(caught.size(), 1), body, to);
    if (h == 0) {
      s.hasCatch = true;
      s.name = std::move(name);
      s.type = std::move(type);
      s.alternative = std::move(body);
    } else {
      SwitchCase more;
      more.label = makeTypedName(std::move(name), std::move(type));
      more.body = std::move(body);
      s.cases.push_back(std::move(more));
    }
  }
  m_machine.setScopes(scopes);
  if (parts) {
    m_finallies.pop_back();
    // The finally code runs with the exit's number on the stack, which only the dispatch takes.
    ValueStack numbered;
    walk.decodeRange(parts->code, parts->dispatch, numbered, s.finally, inner);
    m_machine.flush(numbered, 0, s.finally, parts->dispatch);
    s.hasFinally = true;
    after = parts->dispatch + 1;
  }
  emit(out, std::move(s), i);
  return after;
}

}  // namespace orvane
