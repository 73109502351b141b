// The state of one ActionScript translation: value stack, expression entries, constant
// pool and output buffer.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "actions/ActionList.h"
#include "actions/BlockMarker.h"
#include "actions/StackValue.h"

namespace orvane {

class MessageSink;

/// Records render into the table: push-type actions put texts on the stack, operators
/// combine them into expression entries that stay on the stack as placeholders
/// "<|%d|>", statements pop their operands and append a line with the placeholders
/// resolved. Nothing here stops a translation: missing operands and bad indices turn
/// into visible marker texts. Structure (conditions, loops, frame-loaded tests, function
/// bodies) is written as marker texts bound to byte offsets and finished at the end.
class ExpressionTable {
 public:
  /// A resolved text never grows beyond this; placeholders that would take it further
  /// stay unresolved ("<EXPRESSION %d" "TABLE ERROR>").
  static constexpr std::size_t kMaxResolvedLength = std::size_t{1} << 20;
  /// Resolving stops expanding placeholders once one translation has produced this much.
  static constexpr std::size_t kResolveBudget = std::size_t{64} << 20;

  ExpressionTable();

  // Value stack and expressions.

  /// Pushes a copy of `value`. With `expression` set, the value's display text is first
  /// stored as an expression entry and `value` takes the entry's placeholder.
  void PushValue(StackValue& value, bool expression);
  /// The top value, removed; "?stackempty?" (and no change) on an empty stack.
  StackValue PopValue();
  std::size_t StackCount() const { return m_stack.size(); }
  /// Stores `text` as a new entry and returns its 1-based index. A text of at most five
  /// characters with "+" or "-" in it is stored in parentheses. A placeholder inside
  /// `text` that names the new entry or a later one (it can only come from a string of
  /// the movie) is stored in its unresolvable form.
  int AddExpression(std::string text);
  std::size_t ExpressionCount() const { return m_entries.size(); }
  /// The text entry `index` (1-based) was stored with.
  const std::string& ExpressionText(std::size_t index) const { return m_entries.at(index - 1).text; }
  /// `text` with every placeholder replaced by its entry's text, recursively. A text with
  /// "<|" and "|>" around something that is not a placeholder shows "<EXPRESSION " and
  /// "TABLE ERROR>" there. Linear in the length of the result.
  std::string ResolveText(std::string_view text);
  /// The value's text, or two double-quote characters for an empty text.
  static std::string StackText(const StackValue& value);

  // Constant pool (kept across translations until the next load).

  /// Replaces the pool with the zero-terminated strings of `bytes`; a final string
  /// without its zero byte counts when it is not empty.
  void LoadConstantPool(std::span<const std::uint8_t> bytes);
  /// The pool string at a 0-based index; "?DictionaryError?" outside the pool.
  std::string_view ConstantAt(long long index) const;

  // Output.

  /// Appends indentation (three blanks per level) + `text` + "\n"; `text` becomes the last line.
  void AppendLine(std::string_view text);
  /// Takes the last line (written at the current level) out of the buffer and appends `text`.
  void ReplaceLastLine(std::string_view text);
  const std::string& LastLine() const { return m_lastLine; }
  void Indent() { ++m_indentLevel; }
  void Outdent();
  void ResetIndent() { m_indentLevel = 0; }
  int IndentLevel() const { return m_indentLevel; }
  /// The output so far; every line ends with "\n".
  const std::string& Text() const { return m_output; }
  /// Appends what is left on the stack, top first, between "Dumping Items Still On Stack {"
  /// and "} End Stack Dump", and empties the stack. An empty stack appends nothing.
  void DumpStack();
  /// The output buffer with the structure markers and "<_QUOTE_MARK>" replaced by their
  /// version 4 or version 5 texts.
  std::string FinishText(int version) const;

  /// The name of a property index; "error" outside 0..21.
  static std::string_view PropertyName(long long index);

  // Translation state.

  /// The code of the action rendered just before the current one (0 at the start).
  std::uint8_t LastActionCode() const { return m_lastActionCode; }
  /// The byte offset of the action being rendered from the start of the block.
  std::uint32_t CurrentOffset() const { return m_currentOffset; }
  /// Empties the output buffer and the last line.
  void Clear();
  /// Discards stack, entries and markers; indentation, offset, last action code and the
  /// record count start over. The constant pool stays.
  void Reset();
  /// Fires the markers due at the record, then renders it; a failed rendering is reported
  /// to `messages` as "An Error Occured During Translation\n" + its listing text, and
  /// translation goes on.
  void TranslateAction(ActionRecord& record, int version, MessageSink& messages);

  /// One whole ActionScript translation of `records` (a block in block order): clear and
  /// reset, prescan the branches, render every record, dump the stack, fire the markers
  /// left and finish the text. The frame-loaded renderings measure the records that
  /// follow them in `records`.
  std::string TranslateBlock(const ActionList& records, int version, MessageSink& messages);

  // Registers.

  /// The records from the next one up to `end` form a function body whose registers hold
  /// `names` (a later entry for the same register wins); the body's own functions open
  /// scopes of their own. Ends once the translation reaches `end`.
  void BeginRegisterScope(std::uint32_t end, std::vector<NamedRegister> names);
  /// The name register `number` holds in the innermost function body being rendered, else
  /// "register%d".
  std::string RegisterName(std::uint8_t number) const;

  // Block markers.

  /// The offset of the record that follows the `count` records after the one being
  /// rendered; kNeverReached when fewer follow or the records are not known.
  std::uint32_t OffsetAfterFollowing(std::uint32_t count) const;
  /// A target no record offset reaches: its marker fires at the forced call at the end.
  static constexpr std::uint32_t kNeverReached = UINT32_MAX;

  /// Called once per record of the block, in order, before any rendering; `first` starts
  /// the running offset over. Jumps and conditions leave the markers of their targets,
  /// except the jump that ends a try block and steps over its catch block: the try's own
  /// markers close that block.
  void PrescanBranches(const ActionRecord& record, bool first);
  void AddMarker(std::uint8_t code, std::uint32_t target, std::string_view text);
  /// Emits the markers whose target the current offset has reached (every marker when
  /// `forced`), in the order they were added.
  void FireMarkers(bool forced);

 private:
  /// A placeholder inside an entry's text: where it is and the entry it names.
  struct Reference {
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t index;
  };
  struct Entry {
    std::string text;
    std::uint32_t firstReference = 0;
    std::uint32_t referenceCount = 0;
    /// The entry whose expansion equals this one's (itself, or the end of a chain of
    /// entries that are one placeholder each).
    std::uint32_t alias = 0;
    /// The length of the full expansion, saturated.
    std::uint64_t expandedLength = 0;
    /// The expansion contains entry 1.
    bool reachesFirst = false;
  };

  const Entry& entry(std::uint32_t index) const { return m_entries[index - 1]; }
  /// Appends the expansion of entry `index` to `out`, or its unresolvable form when it
  /// would pass `limit`.
  void expandEntry(std::uint32_t index, std::size_t limit, std::string& out, bool& reachesFirst);

  /// One entry being expanded: the next placeholder to visit and the text copied so far.
  struct Frame {
    std::uint32_t index;
    std::uint32_t nextReference;
    std::uint32_t position;
  };

  std::vector<StackValue> m_stack;  // top at the back
  std::vector<Entry> m_entries;
  std::vector<Reference> m_references;
  std::vector<std::string> m_constants;
  std::string m_output;
  std::string m_lastLine;
  int m_indentLevel = 0;
  std::uint32_t m_currentOffset = 0;
  std::uint8_t m_lastActionCode = 0;
  std::size_t m_resolvedSoFar = 0;
  std::vector<Frame> m_frames;  // scratch space of expandEntry

  void fireMarker(const BlockMarker& due);

  /// The named registers of one function body, sorted by register.
  struct RegisterScope {
    std::uint32_t end;
    std::vector<NamedRegister> names;
  };
  std::vector<RegisterScope> m_registerScopes;  // innermost at the back

  BlockMarkerQueue m_markers;
  std::uint32_t m_prescanOffset = 0;
  /// The try blocks with a catch block that the prescan is still inside: where the try
  /// block ends and where its catch block ends.
  std::set<std::pair<std::uint64_t, std::uint64_t>> m_prescanTries;
  const ActionList* m_records = nullptr;  // during TranslateBlock
  /// The record being rendered and its index in `m_records` (when the two agree).
  const ActionRecord* m_currentRecord = nullptr;
  std::size_t m_recordIndex = 0;
};

}  // namespace orvane
