// The translation engine: one action block (a frame action or a condition action) turned
// into byte code, function code or ActionScript text, and the on-block layout of buttons
// and clips.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "actions/ActionList.h"
#include "actions/ExpressionTable.h"
#include "actions/TranslationMode.h"

namespace orvane {

class ActionObject;
class ButtonObject;
class MessageSink;
class MovieObject;

/// Who lays out the condition actions of a button or clip.
enum class ConditionLayout {
  /// The action window: mode texts per mode, a blank line before each closing brace except
  /// in ActionScript 5, empty entries skipped.
  ActionView,
  /// The action-script file writer: the mode text "Translate To Action Script", no blank
  /// line before the brace, an empty entry stops the listing.
  ScriptFile,
};

/// Every listing returns "error" while the list is empty (no source, an object without
/// data or an empty block). Messages (an oversized record, a failed rendering) go to the
/// sink given at construction.
class ActionTranslator {
 public:
  explicit ActionTranslator(MessageSink& messages);
  ActionTranslator(const ActionTranslator&) = delete;
  ActionTranslator& operator=(const ActionTranslator&) = delete;
  virtual ~ActionTranslator() = default;

  /// Attaches the object (not owned; it must outlive the listings) and decodes its block,
  /// replacing the previous records. A null pointer changes nothing.
  void SetSource(const ActionObject* source);
  /// Decodes the source's block into the records.
  void DecodeBlock();

  std::string ByteCodeListing(ByteCodeKind kind, bool withHeader);
  std::string FunctionCodeListing(bool withHeader);
  /// Version 4 (or below) or 5.
  std::string ActionScriptListing(int version, bool withHeader);
  /// The assembly text of the source's block (empty for an empty block, unlike the
  /// other listings), after the header when `withHeader` is set.
  std::string AssemblyListing(bool withHeader);
  /// The listing of a mode: byte code in its kind, function code, ActionScript, the
  /// decompiled source (which never has a header) or the assembly text.
  std::string Listing(TranslationMode mode, bool withHeader);

  /// The ten-line comment header of a frame action's listing.
  std::string HeaderText(std::string_view modeText, std::size_t instructionCount) const;
  /// The first four lines of the header, for buttons and clips.
  static std::string ShortHeaderText(std::string_view modeText);
  /// The events of one condition, comma-separated: the key, then the button conditions
  /// or clip events of `conditionWord`.
  static std::string EventNames(std::uint16_t conditionWord, bool isButton);

  /// A button's or clip's condition actions as on-blocks under the short header, each
  /// listed in `mode`; in the source mode the event blocks of the authoring language. The translator is reused for every condition, so a constant pool
  /// loaded in one stays in force in the next. None (after the message) when a
  /// `ScriptFile` listing meets an empty entry.
  std::optional<std::string> ConditionBlockListing(const ButtonObject& owner, TranslationMode mode,
                                                   ConditionLayout layout);

  std::size_t RecordCount() const { return m_records.size(); }
  /// The bytes the last decoding walk covered (the block length unless a record was oversized).
  std::uint32_t DecodedLength() const { return m_decodeOffset; }

 private:
  MessageSink& m_messages;
  const ActionObject* m_source = nullptr;
  ActionList m_records;
  ExpressionTable m_table;
  std::uint32_t m_decodeOffset = 0;
};

/// What an action window shows for `object` in `mode`: a frame action's listing with its
/// header (one more line feed in the ActionScript modes), the condition-block layout of a
/// button or sprite instance, or "ERROR : No Action To Decode..." without an object.
std::string ActionWindowText(const MovieObject* object, TranslationMode mode, MessageSink& messages);

}  // namespace orvane
