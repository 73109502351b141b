#include "actions/ExpressionTable.h"

#include <algorithm>
#include <array>

#include "actions/ActionRecord.h"
#include "actions/ControlActions.h"
#include "actions/TextFormat.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr std::uint64_t kLengthCeiling = std::uint64_t{1} << 62;

/// Calls found(at, length, index) for every placeholder "<|%d|>" of `text`, left to right.
/// A placeholder's index is written in decimal without leading zeros and is at least 1.
template <class Found>
void forEachPlaceholder(std::string_view text, Found found) {
  std::size_t at = text.find("<|");
  while (at != std::string_view::npos) {
    std::size_t end = at + 2;
    std::uint64_t index = 0;
    while (end < text.size() && end - at < 12 && text[end] >= '0' && text[end] <= '9') {
      index = index * 10 + static_cast<std::uint64_t>(text[end] - '0');
      ++end;
    }
    const bool valid = end > at + 2 && text[at + 2] != '0' && index <= UINT32_MAX &&
                       text.substr(end, 2) == "|>";
    if (valid) {
      found(at, end + 2 - at, static_cast<std::uint32_t>(index));
      at = text.find("<|", end + 2);
    } else {
      at = text.find("<|", at + 1);
    }
  }
}

std::string unresolvableForm(std::uint32_t index) {
  return "<EXPRESSION " + std::to_string(index) + "TABLE ERROR>";
}

constexpr std::array<std::string_view, 22> kPropertyNames = {
    "_X",         "_Y",           "_xscale",      "_yscale",      "_currentframe", "_totalframes",
    "_alpha",     "_visible",     "_width",       "_height",      "_rotation",     "_target",
    "_framesloaded", "_name",     "_droptarget",  "_url",         "_highquality",  "_focusrect",
    "_soundbuftime", "_quality",  "_xmouse",      "_ymouse"};

}  // namespace

ExpressionTable::ExpressionTable() { Reset(); }

void ExpressionTable::PushValue(StackValue& value, bool expression) {
  if (expression) {
    value.text = StackText(value);
    value.text = "<|" + std::to_string(AddExpression(value.text)) + "|>";
  }
  m_stack.push_back(value);
}

StackValue ExpressionTable::PopValue() {
  if (m_stack.empty()) return StackValue{"?stackempty?"};
  StackValue value = std::move(m_stack.back());
  m_stack.pop_back();
  return value;
}

int ExpressionTable::AddExpression(std::string text) {
  if (text.size() <= 5 && text.find_first_of("+-") != std::string::npos) text = '(' + text + ')';
  const auto index = static_cast<std::uint32_t>(m_entries.size() + 1);
  Entry added;
  added.firstReference = static_cast<std::uint32_t>(m_references.size());
  added.reachesFirst = index == 1;
  std::uint64_t expanded = 0;
  std::size_t copied = 0;
  forEachPlaceholder(text, [&](std::size_t at, std::size_t length, std::uint32_t named) {
    added.text.append(text, copied, at - copied);
    copied = at + length;
    if (named >= index) {
      // Only a string of the movie can name this entry or a later one; expanding it
      // would never end.
      added.text += unresolvableForm(named);
      return;
    }
    const Entry& inner = entry(named);
    m_references.push_back({static_cast<std::uint32_t>(added.text.size()), static_cast<std::uint32_t>(length), named});
    added.text.append(text, at, length);
    expanded = std::min(kLengthCeiling, expanded + inner.expandedLength);
    added.reachesFirst = added.reachesFirst || inner.reachesFirst;
  });
  added.text.append(text, copied, std::string::npos);
  added.referenceCount = static_cast<std::uint32_t>(m_references.size()) - added.firstReference;

  std::uint64_t literal = added.text.size();
  for (std::uint32_t i = 0; i < added.referenceCount; ++i) literal -= m_references[added.firstReference + i].length;
  added.expandedLength = std::min(kLengthCeiling, expanded + literal);
  const bool singlePlaceholder = added.referenceCount == 1 && literal == 0;
  added.alias = singlePlaceholder ? entry(m_references[added.firstReference].index).alias : index;
  m_entries.push_back(std::move(added));
  return static_cast<int>(index);
}

void ExpressionTable::expandEntry(std::uint32_t index, std::size_t limit, std::string& out, bool& reachesFirst) {
  const Entry& named = entry(index);
  if (out.size() + named.expandedLength > limit) {
    out += unresolvableForm(index);
    return;
  }
  reachesFirst = reachesFirst || named.reachesFirst;
  m_frames.clear();
  m_frames.push_back({named.alias, 0, 0});
  while (!m_frames.empty()) {
    Frame& frame = m_frames.back();
    const Entry& current = entry(frame.index);
    if (frame.nextReference < current.referenceCount) {
      const Reference& reference = m_references[current.firstReference + frame.nextReference];
      ++frame.nextReference;
      out.append(current.text, frame.position, reference.offset - frame.position);
      frame.position = reference.offset + reference.length;
      m_frames.push_back({entry(reference.index).alias, 0, 0});
    } else {
      out.append(current.text, frame.position, std::string::npos);
      m_frames.pop_back();
    }
  }
}

std::string ExpressionTable::ResolveText(std::string_view text) {
  if (text.find("<|") == std::string_view::npos || text.find("|>") == std::string_view::npos) {
    return std::string(text);
  }
  const std::size_t budgetLeft = kResolveBudget - std::min(m_resolvedSoFar, kResolveBudget);
  const std::size_t limit = std::min(kMaxResolvedLength, budgetLeft);
  const auto count = static_cast<std::uint32_t>(m_entries.size());
  std::string out;
  bool reachesFirst = false;
  std::size_t copied = 0;
  forEachPlaceholder(text, [&](std::size_t at, std::size_t length, std::uint32_t index) {
    if (index > count) return;
    out.append(text.substr(copied, at - copied));
    copied = at + length;
    expandEntry(index, limit, out, reachesFirst);
  });
  out.append(text.substr(copied));
  m_resolvedSoFar += out.size();
  // Whatever still looks like a placeholder names no entry: show it as unresolvable,
  // except where the oldest entry took part and only one of the two brackets is left.
  const bool unresolved =
      !reachesFirst || (out.find("<|") != std::string::npos && out.find("|>") != std::string::npos);
  if (unresolved) {
    replaceAll(out, "<|", "<EXPRESSION ");
    replaceAll(out, "|>", "TABLE ERROR>");
  }
  return out;
}

std::string ExpressionTable::StackText(const StackValue& value) {
  return value.text.empty() ? std::string("\"\"") : value.text;
}

void ExpressionTable::LoadConstantPool(std::span<const std::uint8_t> bytes) {
  m_constants.clear();
  std::string current;
  for (const std::uint8_t byte : bytes) {
    if (byte == 0) {
      m_constants.push_back(std::move(current));
      current.clear();
    } else {
      current.push_back(static_cast<char>(byte));
    }
  }
  if (!current.empty()) m_constants.push_back(std::move(current));
}

std::string_view ExpressionTable::ConstantAt(long long index) const {
  if (index < 0 || static_cast<unsigned long long>(index) >= m_constants.size()) return "?DictionaryError?";
  return m_constants[static_cast<std::size_t>(index)];
}

void ExpressionTable::AppendLine(std::string_view text) {
  m_output.append(static_cast<std::size_t>(m_indentLevel) * 3, ' ');
  m_output.append(text);
  m_output.push_back('\n');
  m_lastLine.assign(text);
}

void ExpressionTable::ReplaceLastLine(std::string_view text) {
  if (!m_output.empty()) m_output.pop_back();
  if (m_output.rfind('\n') == std::string::npos) {
    m_output.clear();
  } else {
    const std::size_t written = static_cast<std::size_t>(m_indentLevel) * 3 + m_lastLine.size();
    m_output.resize(m_output.size() - std::min(written, m_output.size()));
  }
  AppendLine(text);
}

void ExpressionTable::Outdent() {
  if (m_indentLevel > 0) --m_indentLevel;
}

void ExpressionTable::DumpStack() {
  if (m_stack.empty()) return;
  AppendLine("Dumping Items Still On Stack {");
  while (!m_stack.empty()) AppendLine(" stk[ " + StackText(PopValue()) + " ]");
  AppendLine("} End Stack Dump");
}

std::string ExpressionTable::FinishText(int version) const {
  struct Replacement {
    std::string_view marker;
    std::string_view version4;
    std::string_view version5;
  };
  static constexpr std::array<Replacement, 11> kReplacements = {{
      {"<_ELSEIF>", "Else If", "else if"},
      {"<_ENDIF>", "End If", "}"},
      {"<_IF>", "If", "if"},
      {"<_ELSE>", "Else", "else"},
      {"<_LOOPSTART>", "Loop While", "while"},
      {"<_LOOPEND>", "End Loop", "}"},
      {"<_LOOPDO>", "Do Loop", "do {"},
      {"<_IFFRAMELOADEDEND>", "End Frame Loaded", "}"},
      {"<_IFFRAMELOADEDSTART>", "If Frame Is Loaded", "ifFrameLoaded"},
      {"<_FUNCTION_END>", "<_FUNCTION_END>", "}"},
      {"<_QUOTE_MARK>", "\\\"", "\\\""},
  }};
  std::string text = m_output;
  for (const Replacement& replacement : kReplacements) {
    replaceAll(text, replacement.marker, isVersion4(version) ? replacement.version4 : replacement.version5);
  }
  return text;
}

std::string_view ExpressionTable::PropertyName(long long index) {
  if (index < 0 || index >= static_cast<long long>(kPropertyNames.size())) return "error";
  return kPropertyNames[static_cast<std::size_t>(index)];
}

void ExpressionTable::Clear() {
  m_output.clear();
  m_lastLine.clear();
}

void ExpressionTable::Reset() {
  m_stack.clear();
  m_entries.clear();
  m_references.clear();
  m_indentLevel = 0;
  m_currentOffset = 0;
  m_lastActionCode = 0;
  m_resolvedSoFar = 0;
  m_markers.clear();
  m_registerScopes.clear();
  m_prescanOffset = 0;
  m_prescanTries.clear();
  m_currentRecord = nullptr;
  m_recordIndex = 0;
}

void ExpressionTable::TranslateAction(ActionRecord& record, int version, MessageSink& messages) {
  FireMarkers(false);
  while (!m_registerScopes.empty() && m_registerScopes.back().end <= m_currentOffset) m_registerScopes.pop_back();
  m_currentRecord = &record;
  if (record.Render(this, version) == 0) {
    messages.show({"", "An Error Occured During Translation\n" + record.ByteCodeText(), MessageIcon::Error});
  }
  m_currentRecord = nullptr;
  ++m_recordIndex;
  m_lastActionCode = record.code();
  m_currentOffset += record.size();
}

std::string ExpressionTable::TranslateBlock(const ActionList& records, int version, MessageSink& messages) {
  Clear();
  Reset();
  for (std::size_t i = 0; i < records.size(); ++i) PrescanBranches(*records[i], i == 0);
  m_records = &records;
  for (const auto& record : records) TranslateAction(*record, version, messages);
  m_records = nullptr;
  DumpStack();
  FireMarkers(true);
  return FinishText(version);
}

std::uint32_t ExpressionTable::OffsetAfterFollowing(std::uint32_t count) const {
  if (m_records == nullptr || m_recordIndex >= m_records->size() ||
      (*m_records)[m_recordIndex].get() != m_currentRecord) {
    return kNeverReached;
  }
  if (m_records->size() - m_recordIndex - 1 < count) return kNeverReached;
  std::uint64_t end = std::uint64_t{m_currentOffset} + m_currentRecord->size();
  for (std::size_t i = 1; i <= count; ++i) end += (*m_records)[m_recordIndex + i]->size();
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(end, kNeverReached));
}

void ExpressionTable::PrescanBranches(const ActionRecord& record, bool first) {
  if (first) {
    m_prescanOffset = 0;
    m_prescanTries.clear();
  }
  m_prescanOffset += record.size();
  while (!m_prescanTries.empty() && m_prescanTries.begin()->first < m_prescanOffset) {
    m_prescanTries.erase(m_prescanTries.begin());
  }
  if (record.code() == ActionTry::kCode) {
    const auto& block = static_cast<const ActionTry&>(record);
    if (!block.truncated() && block.hasCatchBlock()) {
      const std::uint64_t tryEnd = std::uint64_t{m_prescanOffset} + block.trySize();
      m_prescanTries.insert({tryEnd, tryEnd + block.catchSize()});
    }
    return;
  }
  if (record.code() != ActionJump::kCode && record.code() != ActionIf::kCode) return;
  const auto& branch = static_cast<const BranchAction&>(record);
  if (!branch.hasBranchOffset()) return;
  const std::int16_t delta = branch.branchOffset();
  // Targets are unsigned: one before the start of the block wraps and is never reached.
  const std::uint32_t target = m_prescanOffset + static_cast<std::uint32_t>(static_cast<std::int32_t>(delta));
  if (record.code() == ActionJump::kCode) {
    if (delta > 0 && m_prescanTries.count({m_prescanOffset, std::uint64_t{m_prescanOffset} + static_cast<std::uint64_t>(delta)}) != 0) {
      return;
    }
    if (delta > 0) {
      AddMarker(ActionJump::kCode, target, marker::kEndIf);
    } else {
      AddMarker(ActionJump::kCode, m_prescanOffset, marker::kLoopEnd);
      AddMarker(ActionJump::kCode, target, marker::kLoopStart);
    }
  } else {
    AddMarker(ActionIf::kCode, target, delta >= 0 ? marker::kEndIf : marker::kLoopDo);
  }
}

void ExpressionTable::BeginRegisterScope(std::uint32_t end, std::vector<NamedRegister> names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const NamedRegister& a, const NamedRegister& b) { return a.number < b.number; });
  // Of the entries for one register the last stays.
  std::vector<NamedRegister> unique;
  unique.reserve(names.size());
  for (const NamedRegister& named : names) {
    if (!unique.empty() && unique.back().number == named.number) {
      unique.back() = named;
    } else {
      unique.push_back(named);
    }
  }
  m_registerScopes.push_back({end, std::move(unique)});
}

std::string ExpressionTable::RegisterName(std::uint8_t number) const {
  if (!m_registerScopes.empty()) {
    const std::vector<NamedRegister>& names = m_registerScopes.back().names;
    const auto found = std::lower_bound(names.begin(), names.end(), number,
                                        [](const NamedRegister& named, std::uint8_t n) { return named.number < n; });
    if (found != names.end() && found->number == number) return std::string(found->name);
  }
  return "register" + std::to_string(number);
}

void ExpressionTable::AddMarker(std::uint8_t code, std::uint32_t target, std::string_view text) {
  m_markers.add({code, target, text});
}

void ExpressionTable::FireMarkers(bool forced) {
  if (m_markers.empty()) return;
  for (const BlockMarker& due : forced ? m_markers.takeAll() : m_markers.takeDue(m_currentOffset)) fireMarker(due);
}

void ExpressionTable::fireMarker(const BlockMarker& due) {
  if (due.text != marker::kLoopStart) Outdent();
  if (due.code == ActionTry::kCode) {
    // The end of a try, catch or finally block, and the opening line of the next block.
    AppendLine("}");
    if (!due.text.empty()) {
      AppendLine(due.text);
      Indent();
    }
  } else if (due.code == ActionIf::kCode && m_lastActionCode == ActionJump::kCode) {
    // A jump right before the end of a condition's block skips an else block.
    AppendLine(marker::kElse);
    Indent();
  } else if (due.code == ActionJump::kCode && m_lastLine == marker::kElse) {
    // The else of a while condition is the end of the loop.
    ReplaceLastLine(marker::kLoopEnd);
  } else {
    AppendLine(due.text);
  }
}

}  // namespace orvane
