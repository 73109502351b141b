#include <bit>
#include <cstring>

#include "actions/ExpressionTable.h"
#include "actions/StackActions.h"
#include "actions/TextFormat.h"

namespace orvane {

namespace {
constexpr const char* kLabel = " ActionPush\n";
constexpr std::uint8_t kString = 0;
constexpr std::uint8_t kRegister = 4;
constexpr std::uint8_t kConstant8 = 8;
constexpr std::uint8_t kConstant16 = 9;
}  // namespace

ActionPush::ActionPush(const std::uint8_t* data, std::uint32_t size) : ActionRecord(0x96, data, size) {
  BitReader reader = readerAt(3);
  Item item;
  while (reader.remaining() > 0) {
    if (!readItem(reader, item)) {
      markTruncated();
      return;
    }
  }
}

bool ActionPush::readItem(BitReader& reader, Item& item) {
  item.type = reader.readU8();
  switch (item.type) {
    case kString:
      item.string = reader.readString();
      break;
    case 1:
      item.number = std::bit_cast<float>(reader.readU32());
      break;
    case kRegister:
    case kConstant8:
      item.index = reader.readU8();
      break;
    case 5:
      item.boolean = reader.readU8();
      break;
    case 6: {
      // The high 32-bit word comes first.
      const std::uint64_t high = reader.readU32();
      const std::uint64_t low = reader.readU32();
      item.number = std::bit_cast<double>(high << 32 | low);
      break;
    }
    case 7:
      item.integer = static_cast<std::int32_t>(reader.readU32());
      break;
    case kConstant16:
      item.index = reader.readU16();
      break;
    default:  // 2 NULL, 3 OBJ and unknown types carry no data
      break;
  }
  return !reader.exhausted();
}

std::optional<std::string> ActionPush::itemText(const Item& item, const ExpressionTable* table) {
  switch (item.type) {
    case kString:
      return item.string;
    case 1:
      return formatText("%f", item.number);
    case 2:
      return "NULL";
    case 3:
      return "OBJ";
    case kRegister:
      return std::to_string(item.index);
    case 5:
      return item.boolean == 1 ? "true" : "false";
    case 6:
      return formatText(table == nullptr ? "%fd" : "%f", item.number);
    case 7:
      return std::to_string(item.integer);
    case kConstant8:
    case kConstant16:
      return table == nullptr ? std::to_string(item.index) : std::string(table->ConstantAt(item.index));
    default:
      return std::nullopt;
  }
}

int ActionPush::Render(ExpressionTable* table, int /*version*/) {
  if (table == nullptr) return 0;
  if (truncated()) return renderTruncated(*table);
  BitReader reader = readerAt(3);
  Item item;
  std::string text;  // an unknown type pushes the previous item's text again, as it was pushed
  while (reader.remaining() > 0 && readItem(reader, item)) {
    if (item.type == kRegister) {
      // A name, never a quoted string: the function's own for its registers, else register%d.
      text = table->RegisterName(static_cast<std::uint8_t>(item.index));
    } else if (std::optional<std::string> value = itemText(item, table)) {
      text = std::move(*value);
      if (!text.empty()) {
        replaceAll(text, "\"", "<_QUOTE_MARK>");
        replaceAll(text, "\n", "\\n");
        replaceAll(text, "\r", "\\r");
        replaceAll(text, "\t", "\\t");
        if (text.front() != '"') text = '"' + text + '"';
      }
    }
    pushPlain(*table, text);
  }
  return 1;
}

std::string ActionPush::ByteCodeText() const {
  if (truncated()) return truncatedText(kLabel);
  std::string listing = codeText() + kLabel;
  BitReader reader = readerAt(3);
  Item item;
  std::string text;
  while (reader.remaining() > 0 && readItem(reader, item)) {
    if (std::optional<std::string> value = itemText(item, nullptr)) text = std::move(*value);
    if (!text.empty() && text.front() != '"') text = '"' + text + '"';
    listing += "\t[Type: " + std::to_string(item.type) + ",Data: " + text + " ]\n";
  }
  return listing + "\n";
}

}  // namespace orvane
