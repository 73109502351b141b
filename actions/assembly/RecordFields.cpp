#include "actions/assembly/RecordFields.h"

#include <algorithm>

#include "movie/BitReader.h"

namespace orvane {

namespace {

void putU8(std::vector<std::uint8_t>& out, std::uint64_t value) { out.push_back(static_cast<std::uint8_t>(value)); }
void putU16(std::vector<std::uint8_t>& out, std::uint64_t value) {
  putU8(out, value);
  putU8(out, value >> 8);
}
void putU32(std::vector<std::uint8_t>& out, std::uint64_t value) {
  putU16(out, value);
  putU16(out, value >> 16);
}
void putText(std::vector<std::uint8_t>& out, const std::string& text) {
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

/// Reads one item; false when the body ends inside it.
bool readItem(BitReader& reader, PushItem& item) {
  item.type = reader.readU8();
  switch (item.type) {
    case pushtype::kString: item.text = reader.readString(); break;
    case pushtype::kFloat:
    case pushtype::kInteger: item.value = reader.readU32(); break;
    case pushtype::kRegister:
    case pushtype::kBoolean:
    case pushtype::kConstant8: item.value = reader.readU8(); break;
    case pushtype::kDouble: {
      // The high 32-bit word comes first.
      const std::uint64_t high = reader.readU32();
      item.value = high << 32 | reader.readU32();
      break;
    }
    case pushtype::kConstant16: item.value = reader.readU16(); break;
    default: break;
  }
  return !reader.exhausted();
}

void writeItem(std::vector<std::uint8_t>& out, const PushItem& item) {
  putU8(out, item.type);
  switch (item.type) {
    case pushtype::kString: putText(out, item.text); break;
    case pushtype::kFloat:
    case pushtype::kInteger: putU32(out, item.value); break;
    case pushtype::kRegister:
    case pushtype::kBoolean:
    case pushtype::kConstant8: putU8(out, item.value); break;
    case pushtype::kDouble:
      putU32(out, item.value >> 32);
      putU32(out, item.value);
      break;
    case pushtype::kConstant16: putU16(out, item.value); break;
    default: break;
  }
}

/// Reads the fields of `form` as its encoding lays them out.
bool readFields(OperandForm form, BitReader& reader, RecordFields& fields) {
  switch (form) {
    case OperandForm::None: break;
    case OperandForm::Byte: fields.numbers = {reader.readU8()}; break;
    case OperandForm::Word:
    case OperandForm::Branch: fields.numbers = {reader.readU16()}; break;
    case OperandForm::FrameAndSkip: {
      const std::uint32_t frame = reader.readU16();
      fields.numbers = {frame, reader.readU8()};
      break;
    }
    case OperandForm::Text: fields.texts = {reader.readString()}; break;
    case OperandForm::TwoTexts: {
      std::string url = reader.readString();
      fields.texts = {std::move(url), reader.readString()};
      break;
    }
    case OperandForm::Pool: {
      const std::uint16_t count = reader.readU16();
      for (std::uint32_t i = 0; i < count && !reader.exhausted(); ++i) fields.texts.push_back(reader.readString());
      break;
    }
    case OperandForm::Items:
      while (reader.remaining() > 0) {
        PushItem item;
        if (!readItem(reader, item)) return false;
        fields.items.push_back(std::move(item));
      }
      break;
    case OperandForm::SceneFrame: {
      const std::uint8_t flags = reader.readU8();
      fields.numbers = {flags};
      if (flags & 0x02) fields.numbers.push_back(reader.readU16());
      break;
    }
    case OperandForm::Function: {
      fields.texts = {reader.readString()};
      const std::uint16_t count = reader.readU16();
      for (std::uint32_t i = 0; i < count && !reader.exhausted(); ++i)
        fields.parameters.push_back({reader.readString(), 0});
      fields.bodySizes = {reader.readU16()};
      break;
    }
    case OperandForm::Function2: {
      fields.texts = {reader.readString()};
      const std::uint16_t count = reader.readU16();
      const std::uint32_t registers = reader.readU8();
      fields.numbers = {registers, reader.readU16()};
      for (std::uint32_t i = 0; i < count && !reader.exhausted(); ++i) {
        const std::uint8_t number = reader.readU8();
        fields.parameters.push_back({reader.readString(), number});
      }
      fields.bodySizes = {reader.readU16()};
      break;
    }
    case OperandForm::WithBlock: fields.bodySizes = {reader.readU16()}; break;
    case OperandForm::TryBlock: {
      const std::uint8_t flags = reader.readU8();
      for (int i = 0; i < 3; ++i) fields.bodySizes.push_back(reader.readU16());
      fields.numbers = {flags};
      if (flags & tryflag::kCatchInRegister) {
        fields.numbers.push_back(reader.readU8());
      } else {
        fields.texts = {reader.readString()};
      }
      break;
    }
  }
  return !reader.exhausted() && reader.remaining() == 0;
}

}  // namespace

std::optional<RecordFields> decodeFields(OperandForm form, std::span<const std::uint8_t> body) {
  BitReader reader(body);
  RecordFields fields;
  if (!readFields(form, reader, fields)) return std::nullopt;
  // The guarantee of the round trip: only fields that encode back to the body are kept
  // (a count that disagrees with its strings, for one, does not).
  std::vector<std::uint8_t> encoded;
  encoded.reserve(body.size());
  encodeFields(form, fields, encoded);
  if (!std::equal(encoded.begin(), encoded.end(), body.begin(), body.end())) return std::nullopt;
  return fields;
}

void encodeFields(OperandForm form, const RecordFields& fields, std::vector<std::uint8_t>& out) {
  const auto number = [&](std::size_t index) -> std::uint64_t {
    return index < fields.numbers.size() ? fields.numbers[index] : 0;
  };
  const auto text = [&](std::size_t index) -> const std::string& {
    static const std::string kEmpty;
    return index < fields.texts.size() ? fields.texts[index] : kEmpty;
  };
  const auto bodySize = [&](std::size_t index) -> std::uint64_t {
    return index < fields.bodySizes.size() ? fields.bodySizes[index] : 0;
  };
  switch (form) {
    case OperandForm::None: break;
    case OperandForm::Byte: putU8(out, number(0)); break;
    case OperandForm::Word:
    case OperandForm::Branch: putU16(out, number(0)); break;
    case OperandForm::FrameAndSkip:
      putU16(out, number(0));
      putU8(out, number(1));
      break;
    case OperandForm::Text: putText(out, text(0)); break;
    case OperandForm::TwoTexts:
      putText(out, text(0));
      putText(out, text(1));
      break;
    case OperandForm::Pool:
      putU16(out, fields.texts.size());
      for (const std::string& entry : fields.texts) putText(out, entry);
      break;
    case OperandForm::Items:
      for (const PushItem& item : fields.items) writeItem(out, item);
      break;
    case OperandForm::SceneFrame:
      putU8(out, number(0));
      if (number(0) & 0x02) putU16(out, number(1));
      break;
    case OperandForm::Function:
      putText(out, text(0));
      putU16(out, fields.parameters.size());
      for (const FunctionParameter& parameter : fields.parameters) putText(out, parameter.name);
      putU16(out, bodySize(0));
      break;
    case OperandForm::Function2:
      putText(out, text(0));
      putU16(out, fields.parameters.size());
      putU8(out, number(0));
      putU16(out, number(1));
      for (const FunctionParameter& parameter : fields.parameters) {
        putU8(out, parameter.registerNumber);
        putText(out, parameter.name);
      }
      putU16(out, bodySize(0));
      break;
    case OperandForm::WithBlock: putU16(out, bodySize(0)); break;
    case OperandForm::TryBlock:
      putU8(out, number(0));
      for (std::size_t i = 0; i < 3; ++i) putU16(out, bodySize(i));
      if (number(0) & tryflag::kCatchInRegister) {
        putU8(out, number(1));
      } else {
        putText(out, text(0));
      }
      break;
  }
}

std::size_t bodyCount(OperandForm form) {
  switch (form) {
    case OperandForm::Function:
    case OperandForm::Function2:
    case OperandForm::WithBlock: return 1;
    case OperandForm::TryBlock: return 3;
    default: return 0;
  }
}

}  // namespace orvane
