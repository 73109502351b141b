#include "actions/ActionTranslator.h"

#include "actions/TextFormat.h"
#include "actions/source/SourceTranslator.h"
#include "movie/MovieObject.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr std::string_view kEmptyListing = "error";

/// The mode text a condition-block listing puts into its short header.
std::string_view conditionModeText(TranslationMode mode, ConditionLayout layout) {
  if (layout == ConditionLayout::ScriptFile) return "Translate To Action Script";
  switch (mode) {
    case TranslationMode::ActionScript5:
      return "Translate To Action Script, Version 5";
    case TranslationMode::ActionScript4:
      return "Translate To Action Script, Version 4";
    case TranslationMode::FunctionCode:
      return "Translate To Function Code";
    default:
      return "Translate To Byte Code";
  }
}

/// A listing indented by one tab under its "on (...) {" line.
std::string indentedBody(const std::string& listing) {
  std::string body = "\t" + listing;
  replaceAll(body, "\n", "\n\t");
  if (body.ends_with("\n\t")) {
    body.pop_back();
  } else {
    // A listing without a final line break ("error") keeps its last character and
    // gets the line break it lacks.
    body.push_back('\n');
  }
  return body;
}

}  // namespace

ActionTranslator::ActionTranslator(MessageSink& messages) : m_messages(messages) {}

void ActionTranslator::SetSource(const ActionObject* source) {
  if (source == nullptr) return;
  m_source = source;
  DecodeBlock();
}

void ActionTranslator::DecodeBlock() {
  m_records.clear();
  m_decodeOffset = 0;
  if (m_source == nullptr) return;
  ::orvane::DecodeBlock(m_source->bytes, m_records, m_messages);
  for (const auto& record : m_records) m_decodeOffset += record->size();
}

std::string ActionTranslator::ByteCodeListing(ByteCodeKind kind, bool withHeader) {
  if (m_records.empty()) return std::string(kEmptyListing);
  std::string text;
  for (const auto& record : m_records) {
    text += record->RawBytesText(kind);
    if (!text.ends_with('\n')) text += " UNKNOWN ACTION\n";
  }
  if (!withHeader) return text;
  const char* kindName = kind == ByteCodeKind::Hex ? "Hex" : kind == ByteCodeKind::Character ? "Character" : "Integer";
  return HeaderText(formatText("Translate To Byte Code : %s", kindName), m_records.size()) + text;
}

std::string ActionTranslator::FunctionCodeListing(bool withHeader) {
  if (m_records.empty()) return std::string(kEmptyListing);
  std::string text;
  std::uint32_t offset = 0;
  for (const auto& record : m_records) {
    text += "[" + std::to_string(offset) + "] " + record->ByteCodeText();
    if (!text.ends_with('\n')) text += " UNKNOWN ACTION\n";
    offset += record->size();
  }
  if (!withHeader) return text;
  return HeaderText("Translate To Function Code", m_records.size()) + text;
}

std::string ActionTranslator::ActionScriptListing(int version, bool withHeader) {
  if (m_records.empty()) return std::string(kEmptyListing);
  std::string text = m_table.TranslateBlock(m_records, version, m_messages);
  if (!withHeader) return text;
  return HeaderText(formatText("Translate to Action Script, Version %d", version), m_records.size()) + text;
}

std::string ActionTranslator::Listing(TranslationMode mode, bool withHeader) {
  switch (mode) {
    case TranslationMode::ByteCodeHex:
      return ByteCodeListing(ByteCodeKind::Hex, withHeader);
    case TranslationMode::ByteCodeInteger:
      return ByteCodeListing(ByteCodeKind::Integer, withHeader);
    case TranslationMode::ByteCodeCharacter:
      return ByteCodeListing(ByteCodeKind::Character, withHeader);
    case TranslationMode::FunctionCode:
      return FunctionCodeListing(withHeader);
    case TranslationMode::ActionScript4:
      return ActionScriptListing(4, withHeader);
    case TranslationMode::ActionScript5:
      return ActionScriptListing(5, withHeader);
    case TranslationMode::Source:
      return SourceListing(m_records, m_source != nullptr ? m_source->movieVersion : 0);
  }
  return std::string(kEmptyListing);
}

std::string ActionTranslator::ShortHeaderText(std::string_view modeText) {
  return "// Action Script Translation Engine V1.5.2\n"
         "// Orvane, the SWF movie inspector\n"
         "//\n"
         "// Mode : " +
         std::string(modeText) + "\n";
}

std::string ActionTranslator::HeaderText(std::string_view modeText, std::size_t instructionCount) const {
  const std::int32_t frame = m_source != nullptr ? m_source->frame : 0;
  const std::string label = m_source != nullptr ? m_source->label : std::string();
  const std::uint32_t length = m_source != nullptr ? m_source->length() : 0;
  return ShortHeaderText(modeText) + formatText("// Frame : %d\n", frame) + "// Label : " + label + "\n" +
         formatText("// Instruction Count : %zu\n", instructionCount) +
         formatText("// Action Script Size : %u bytes\n", length) + "//\n\n";
}

std::optional<std::string> ActionTranslator::ConditionBlockListing(const ButtonObject& owner, TranslationMode mode,
                                                                   ConditionLayout layout) {
  if (mode == TranslationMode::Source) return SourceConditionListing(owner, m_messages);
  const bool isButton = dynamic_cast<const InstanceObject*>(&owner) == nullptr;
  const bool blankBeforeBrace = layout == ConditionLayout::ActionView && mode != TranslationMode::ActionScript5;
  std::string text = ShortHeaderText(conditionModeText(mode, layout)) + "\n";
  for (const auto& condition : owner.conditionActions) {
    if (condition == nullptr) {
      if (layout == ConditionLayout::ActionView) continue;
      m_messages.show({"", "Error, Null pointer referrenced in iteration of button actions", MessageIcon::Error});
      return std::nullopt;
    }
    SetSource(condition.get());
    text += "on (" + EventNames(condition->conditionWord, isButton) + ") {\n";
    text += indentedBody(Listing(mode, false));
    if (blankBeforeBrace) text += "\n";
    text += "}\n\n";
  }
  return text;
}

std::string ActionWindowText(const MovieObject* object, TranslationMode mode, MessageSink& messages) {
  ActionTranslator translator(messages);
  if (const auto* owner = dynamic_cast<const ButtonObject*>(object)) {
    return translator.ConditionBlockListing(*owner, mode, ConditionLayout::ActionView).value_or("");
  }
  const auto* action = dynamic_cast<const ActionObject*>(object);
  if (action == nullptr) return "ERROR : No Action To Decode...";
  translator.SetSource(action);
  std::string text = translator.Listing(mode, true);
  if (modeScriptVersion(mode)) text += "\n";
  return text;
}

}  // namespace orvane
