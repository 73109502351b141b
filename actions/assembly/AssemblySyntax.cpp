#include "actions/assembly/AssemblySyntax.h"

#include <bit>
#include <cmath>

#include "actions/TextFormat.h"
#include "actions/assembly/AssemblyLiterals.h"

namespace orvane::syntax {

namespace {

constexpr std::int64_t kU8 = 0xFF;
constexpr std::int64_t kU16 = 0xFFFF;

// The words of push items and body headers.
constexpr std::string_view kRegister = "reg";
constexpr std::string_view kConstant8 = "pool";
constexpr std::string_view kConstant16 = "pool16";
constexpr std::string_view kBoolean = "bool";
constexpr std::string_view kFloat = "float";
constexpr std::string_view kBits = "bits";
constexpr std::string_view kType = "type";
constexpr std::string_view kRegisters = "registers";
constexpr std::string_view kFlags = "flags";
constexpr std::string_view kSize = "size";
constexpr std::string_view kSizes = "sizes";

std::string hexText(std::uint64_t value, int digits) {
  return formatText("0x%0*llX", digits, static_cast<unsigned long long>(value));
}

void appendList(std::string& out, std::size_t count, const auto& appendOne) {
  for (std::size_t i = 0; i < count; ++i) {
    out += i == 0 ? " " : ", ";
    appendOne(i);
  }
}

/// Reads comma-separated entries up to the end of the line (or up to `close` when it is
/// not 0); none is allowed.
bool parseList(TokenCursor& cursor, char close, AssemblyError& error, const auto& parseOne) {
  const auto atClose = [&] { return close == 0 ? cursor.atEnd() : cursor.peek() != nullptr && cursor.peek()->is(close); };
  if (atClose()) return true;
  do {
    if (!parseOne()) return false;
  } while (cursor.accept(','));
  if (close == 0) return cursor.expectEnd(error);
  return true;
}

// Push items ------------------------------------------------------------------------

void appendItem(std::string& out, const PushItem& item) {
  switch (item.type) {
    case pushtype::kString: appendQuoted(out, item.text); return;
    case pushtype::kFloat: {
      const auto bits = static_cast<std::uint32_t>(item.value);
      const float value = std::bit_cast<float>(bits);
      out += kFloat;
      out += ' ';
      if (std::isnan(value) && bits != kQuietNaNFloatBits) {
        out += std::string(kBits) + " " + hexText(bits, 8);
      } else {
        out += exactFloatText(value);
      }
      return;
    }
    case pushtype::kNull: out += "null"; return;
    case pushtype::kUndefined: out += "undefined"; return;
    case pushtype::kRegister: out += std::string(kRegister) + " " + std::to_string(item.value); return;
    case pushtype::kBoolean:
      if (item.value <= 1) {
        out += item.value == 1 ? "true" : "false";
      } else {
        out += std::string(kBoolean) + " " + std::to_string(item.value);
      }
      return;
    case pushtype::kDouble: {
      const double value = std::bit_cast<double>(item.value);
      if (std::isnan(value) && item.value != kQuietNaNBits) {
        out += std::string(kBits) + " " + hexText(item.value, 16);
      } else {
        out += exactDoubleText(value);
      }
      return;
    }
    case pushtype::kInteger: out += std::to_string(static_cast<std::int32_t>(item.value)); return;
    case pushtype::kConstant8: out += std::string(kConstant8) + " " + std::to_string(item.value); return;
    case pushtype::kConstant16: out += std::string(kConstant16) + " " + std::to_string(item.value); return;
    default: out += std::string(kType) + " " + std::to_string(item.type); return;
  }
}

bool parseFloatItem(TokenCursor& cursor, PushItem& item, AssemblyError& error) {
  item.type = pushtype::kFloat;
  if (cursor.acceptWord(kBits)) {
    std::int64_t bits = 0;
    if (!cursor.readInteger(0, 0xFFFFFFFFll, bits, error)) return false;
    item.value = static_cast<std::uint64_t>(bits);
    return true;
  }
  const Token* token = cursor.peek();
  const std::optional<float> value = token != nullptr ? parseFloat(token->text) : std::nullopt;
  if (!value) {
    error = cursor.errorHere("expected the value of a float");
    return false;
  }
  cursor.take();
  item.value = std::isnan(*value) ? kQuietNaNFloatBits : std::bit_cast<std::uint32_t>(*value);
  return true;
}

bool parseNumberItem(const Token& token, TokenCursor& cursor, PushItem& item, AssemblyError& error) {
  if (const std::optional<std::int64_t> integer = parseInteger(token.text)) {
    if (*integer < INT32_MIN || *integer > UINT32_MAX) {
      error = cursor.errorAt(token, "the integer " + std::string(token.text) + " does not fit in 32 bits");
      return false;
    }
    item.type = pushtype::kInteger;
    item.value = static_cast<std::uint32_t>(*integer);
    return true;
  }
  const std::optional<double> value = parseDouble(token.text);
  if (!value) {
    error = cursor.errorAt(token, "expected a number, not " + std::string(token.text));
    return false;
  }
  item.type = pushtype::kDouble;
  item.value = std::isnan(*value) ? kQuietNaNBits : std::bit_cast<std::uint64_t>(*value);
  return true;
}

/// A word item: a constant value, or a typed value after its word.
bool parseWordItem(const Token& token, TokenCursor& cursor, PushItem& item, AssemblyError& error) {
  const auto indexed = [&](std::uint8_t type, std::int64_t maximum) {
    item.type = type;
    return cursor.readUnsigned(maximum, item.value, error);
  };
  if (token.isWord("null")) {
    item.type = pushtype::kNull;
  } else if (token.isWord("undefined")) {
    item.type = pushtype::kUndefined;
  } else if (token.isWord("true") || token.isWord("false")) {
    item.type = pushtype::kBoolean;
    item.value = token.isWord("true") ? 1 : 0;
  } else if (token.isWord("NaN") || token.isWord("Infinity")) {
    return parseNumberItem(token, cursor, item, error);
  } else if (token.isWord(kRegister)) {
    return indexed(pushtype::kRegister, kU8);
  } else if (token.isWord(kConstant8)) {
    return indexed(pushtype::kConstant8, kU8);
  } else if (token.isWord(kConstant16)) {
    return indexed(pushtype::kConstant16, kU16);
  } else if (token.isWord(kBoolean)) {
    return indexed(pushtype::kBoolean, kU8);
  } else if (token.isWord(kFloat)) {
    return parseFloatItem(cursor, item, error);
  } else if (token.isWord(kBits)) {
    const Token* bits = cursor.peek();
    const std::optional<std::uint64_t> value = bits != nullptr ? parseHexBits(bits->text) : std::nullopt;
    if (!value) {
      error = cursor.errorHere("expected the bits of a double as 0x and sixteen hexadecimal digits");
      return false;
    }
    cursor.take();
    item.type = pushtype::kDouble;
    item.value = *value;
  } else if (token.isWord(kType)) {
    const Token* at = cursor.peek();
    if (!cursor.readUnsigned(kU8, item.type, error)) return false;
    if (item.type <= pushtype::kConstant16 && item.type != pushtype::kNull && item.type != pushtype::kUndefined) {
      error = cursor.errorAt(*at, "type " + std::to_string(item.type) + " carries a value; write the value itself");
      return false;
    }
  } else {
    error = cursor.errorAt(token, "unknown push item \"" + std::string(token.text) + "\"");
    return false;
  }
  return true;
}

bool parseItem(TokenCursor& cursor, PushItem& item, AssemblyError& error) {
  if (cursor.atEnd()) {
    error = cursor.errorHere("expected a push item");
    return false;
  }
  const Token& token = cursor.take();
  switch (token.kind) {
    case Token::Kind::String:
      item.type = pushtype::kString;
      item.text = token.value;
      return true;
    case Token::Kind::Number: return parseNumberItem(token, cursor, item, error);
    case Token::Kind::Word: return parseWordItem(token, cursor, item, error);
    case Token::Kind::Punctuation: break;
  }
  error = cursor.errorAt(token, "expected a push item, not \"" + std::string(token.text) + "\"");
  return false;
}

// Function headers ------------------------------------------------------------------

void appendParameters(std::string& out, const RecordFields& fields, bool withRegisters) {
  out += " (";
  for (std::size_t i = 0; i < fields.parameters.size(); ++i) {
    if (i > 0) out += ", ";
    appendQuoted(out, fields.parameters[i].name);
    if (withRegisters && fields.parameters[i].registerNumber != 0)
      out += " " + std::string(kRegister) + " " + std::to_string(fields.parameters[i].registerNumber);
  }
  out += ")";
}

bool parseParameters(TokenCursor& cursor, RecordFields& fields, bool withRegisters, AssemblyError& error) {
  if (!cursor.expect('(', error)) return false;
  const bool listed = parseList(cursor, ')', error, [&] {
    FunctionParameter parameter;
    if (!cursor.readString(parameter.name, error)) return false;
    if (withRegisters && cursor.acceptWord(kRegister) &&
        !cursor.readUnsigned(kU8, parameter.registerNumber, error))
      return false;
    fields.parameters.push_back(std::move(parameter));
    return true;
  });
  if (!listed || !cursor.expect(')', error)) return false;
  if (fields.parameters.size() > kU16) {
    error = cursor.errorHere("a function takes at most 65535 parameters");
    return false;
  }
  return true;
}

bool parseTryCatch(TokenCursor& cursor, RecordFields& fields, BodyHeader& header, AssemblyError& error) {
  std::uint8_t flags = 0;
  header.impliedFlags = !cursor.acceptWord(kFlags);
  const Token* flagsToken = cursor.peek();
  if (!header.impliedFlags && !cursor.readUnsigned(kU8, flags, error)) return false;
  const Token* variable = cursor.peek();
  const bool inRegister = cursor.acceptWord(kRegister);
  std::uint8_t number = 0;
  std::string name;
  if (inRegister) {
    if (!cursor.readUnsigned(kU8, number, error)) return false;
  } else if (cursor.peek() != nullptr && cursor.peek()->kind == Token::Kind::String) {
    name = cursor.take().value;
  }
  if (!header.impliedFlags && inRegister != ((flags & tryflag::kCatchInRegister) != 0)) {
    error = cursor.errorAt(variable != nullptr ? *variable : *flagsToken,
                           inRegister ? "the flags say that the catch variable is a name, not a register"
                                      : "the flags say that the catch variable is a register");
    return false;
  }
  if (header.impliedFlags && inRegister) flags = tryflag::kCatchInRegister;
  fields.numbers = {flags};
  if (inRegister) {
    fields.numbers.push_back(number);
  } else {
    fields.texts = {std::move(name)};
  }
  return true;
}

}  // namespace

std::string labelName(std::uint32_t offset) { return "L" + std::to_string(offset); }

bool showsTrySection(const RecordFields& fields, std::size_t index) {
  const std::uint32_t flag = index == 1 ? tryflag::kCatch : tryflag::kFinally;
  return (fields.numbers[0] & flag) != 0 || fields.bodySizes[index] > 0;
}

std::string_view sectionKeyword(OperandForm form, std::size_t index) {
  if (form != OperandForm::TryBlock) return {};
  return index == 1 ? "catch" : index == 2 ? "finally" : "";
}

std::uint8_t impliedTryFlags(bool catchShown, bool finallyShown, bool catchInRegister) {
  return static_cast<std::uint8_t>((catchShown ? tryflag::kCatch : 0) | (finallyShown ? tryflag::kFinally : 0) |
                                   (catchInRegister ? tryflag::kCatchInRegister : 0));
}

void appendFields(std::string& out, OperandForm form, const RecordFields& fields) {
  switch (form) {
    case OperandForm::Byte:
    case OperandForm::Word:
    case OperandForm::FrameAndSkip:
    case OperandForm::SceneFrame:
      appendList(out, fields.numbers.size(), [&](std::size_t i) { out += std::to_string(fields.numbers[i]); });
      break;
    case OperandForm::Text:
    case OperandForm::TwoTexts:
    case OperandForm::Pool:
      appendList(out, fields.texts.size(), [&](std::size_t i) { appendQuoted(out, fields.texts[i]); });
      break;
    case OperandForm::Items:
      appendList(out, fields.items.size(), [&](std::size_t i) { appendItem(out, fields.items[i]); });
      break;
    default: break;
  }
}

bool parseFields(TokenCursor& cursor, OperandForm form, RecordFields& fields, AssemblyError& error) {
  const auto number = [&](std::int64_t maximum) {
    std::uint32_t value = 0;
    if (!cursor.readUnsigned(maximum, value, error)) return false;
    fields.numbers.push_back(value);
    return true;
  };
  const auto text = [&] {
    std::string value;
    if (!cursor.readString(value, error)) return false;
    fields.texts.push_back(std::move(value));
    return true;
  };
  const auto comma = [&] { return cursor.expect(',', error); };
  bool read = true;
  switch (form) {
    case OperandForm::None: break;
    case OperandForm::Byte: read = number(kU8); break;
    case OperandForm::Word: read = number(kU16); break;
    case OperandForm::FrameAndSkip: read = number(kU16) && comma() && number(kU8); break;
    case OperandForm::Text: read = text(); break;
    case OperandForm::TwoTexts: read = text() && comma() && text(); break;
    case OperandForm::Pool:
      read = parseList(cursor, 0, error, text);
      if (read && fields.texts.size() > kU16) {
        error = cursor.errorHere("a constant pool holds at most 65535 strings");
        return false;
      }
      break;
    case OperandForm::Items:
      read = parseList(cursor, 0, error, [&] {
        PushItem item;
        if (!parseItem(cursor, item, error)) return false;
        fields.items.push_back(std::move(item));
        return true;
      });
      break;
    case OperandForm::SceneFrame: {
      const Token* flagsToken = cursor.peek();
      read = number(kU8);
      const bool biased = read && (fields.numbers[0] & 0x02) != 0;
      if (read && biased) read = comma() && number(kU16);
      if (read && !biased && cursor.accept(',')) {
        error = cursor.errorAt(*flagsToken, "a scene bias needs flag 2");
        return false;
      }
      break;
    }
    default: break;
  }
  return read && cursor.expectEnd(error);
}

void appendBodyHeader(std::string& out, OperandForm form, const RecordFields& fields, bool nested) {
  switch (form) {
    case OperandForm::Function:
      out += ' ';
      appendQuoted(out, fields.texts[0]);
      appendParameters(out, fields, false);
      break;
    case OperandForm::Function2:
      out += ' ';
      appendQuoted(out, fields.texts[0]);
      appendParameters(out, fields, true);
      out += formatText(" %s %u %s ", kRegisters.data(), fields.numbers[0], kFlags.data()) +
             hexText(fields.numbers[1], 4);
      break;
    case OperandForm::TryBlock: {
      const std::uint32_t flags = fields.numbers[0];
      const bool inRegister = (flags & tryflag::kCatchInRegister) != 0;
      const bool catchShown = nested ? showsTrySection(fields, 1) : fields.bodySizes[1] > 0;
      const bool finallyShown = nested ? showsTrySection(fields, 2) : fields.bodySizes[2] > 0;
      if (flags != impliedTryFlags(catchShown, finallyShown, inRegister))
        out += " " + std::string(kFlags) + " " + hexText(flags, 2);
      if (inRegister) {
        out += " " + std::string(kRegister) + " " + std::to_string(fields.numbers[1]);
      } else if (!fields.texts[0].empty()) {
        out += ' ';
        appendQuoted(out, fields.texts[0]);
      }
      break;
    }
    default: break;
  }
  if (nested) return;
  if (form == OperandForm::TryBlock) {
    out += formatText(" %s %u, %u, %u", kSizes.data(), fields.bodySizes[0], fields.bodySizes[1], fields.bodySizes[2]);
  } else {
    out += formatText(" %s %u", kSize.data(), fields.bodySizes[0]);
  }
}

bool parseBodyHeader(TokenCursor& cursor, OperandForm form, RecordFields& fields, BodyHeader& header,
                     AssemblyError& error) {
  const auto name = [&] {
    std::string value;
    if (!cursor.readString(value, error)) return false;
    fields.texts = {std::move(value)};
    return true;
  };
  bool read = true;
  switch (form) {
    case OperandForm::Function: read = name() && parseParameters(cursor, fields, false, error); break;
    case OperandForm::Function2: {
      std::uint32_t registers = 0;
      std::uint32_t flags = 0;
      read = name() && parseParameters(cursor, fields, true, error);
      if (read && cursor.acceptWord(kRegisters)) read = cursor.readUnsigned(kU8, registers, error);
      if (read && cursor.acceptWord(kFlags)) read = cursor.readUnsigned(kU16, flags, error);
      fields.numbers = {registers, flags};
      break;
    }
    case OperandForm::TryBlock: read = parseTryCatch(cursor, fields, header, error); break;
    default: break;
  }
  if (!read) return false;
  fields.bodySizes.assign(bodyCount(form), 0);
  header.nested = cursor.accept('{');
  if (!header.nested) {
    const bool sized = form == OperandForm::TryBlock ? cursor.acceptWord(kSizes) : cursor.acceptWord(kSize);
    if (!sized) {
      error = cursor.errorHere(form == OperandForm::TryBlock ? "expected \"{\" or sizes" : "expected \"{\" or a size");
      return false;
    }
    for (std::size_t i = 0; i < fields.bodySizes.size(); ++i) {
      if ((i > 0 && !cursor.expect(',', error)) || !cursor.readUnsigned(kU16, fields.bodySizes[i], error)) return false;
    }
    if (form == OperandForm::TryBlock && header.impliedFlags) {
      const bool inRegister = fields.numbers.size() > 1;
      fields.numbers[0] = impliedTryFlags(fields.bodySizes[1] > 0, fields.bodySizes[2] > 0, inRegister);
    }
  }
  return cursor.expectEnd(error);
}

}  // namespace orvane::syntax
