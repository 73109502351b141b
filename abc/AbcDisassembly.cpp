#include "abc/AbcDisassembly.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace orvane {

namespace {

constexpr std::size_t kBytesPerLine = 16;

// Hand-made number texts: a listing writes millions of them, and snprintf costs more than
// everything else the listing does.
void appendDigits(std::string& out, std::uint64_t value, std::size_t width) {
  char text[24];
  char* end = text + sizeof text;
  char* begin = end;
  do {
    *--begin = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  const auto length = static_cast<std::size_t>(end - begin);
  if (length < width) out.append(width - length, ' ');
  out.append(begin, length);
}

void appendNumber(std::string& out, std::int64_t value) {
  if (value < 0) {
    out.push_back('-');
    appendDigits(out, 0 - static_cast<std::uint64_t>(value), 0);
  } else {
    appendDigits(out, static_cast<std::uint64_t>(value), 0);
  }
}

void appendLabel(std::string& out, std::int64_t target) {
  out.push_back('L');
  appendNumber(out, target);
}

template <typename Table>
void appendPoolEntry(std::string& out, const Table& table, std::int64_t index, const char* what,
                     std::string (*text)(typename Table::value_type)) {
  if (index >= 0 && static_cast<std::size_t>(index) < table.size()) {
    out += text(table[static_cast<std::size_t>(index)]);
    return;
  }
  out += std::string("<") + what + " ";
  appendNumber(out, index);
  out += "?>";
}

std::string intText(std::int32_t value) { return std::to_string(value); }
std::string uintText(std::uint32_t value) { return std::to_string(value); }
std::string doubleEntryText(double value) { return doubleText(value); }
std::string stringEntryText(std::string value) { return quotedString(value); }

void appendNamed(std::string& out, std::int64_t index, const std::string& name) {
  appendNumber(out, index);
  if (!name.empty()) out += " (" + name + ")";
}

/// In the assembly form: "#N" after a text that does not name its entry alone, or instead of
/// one that cannot stand in a line.
void appendEntryText(std::string& out, AbcPoolTexts* exact, AbcPoolTable table, std::uint32_t index,
                     const std::string& text) {
  if (exact == nullptr || !exact->needsIndex(table, index)) {
    out += text;
    return;
  }
  if (AbcPoolTexts::fitsOnALine(text)) out += text;
  out += "#" + std::to_string(index);
}

void appendOperand(std::string& out, AbcOperandKind kind, std::int64_t value, const AbcFile& file,
                   AbcNames& names, AbcPoolTexts* exact) {
  const AbcConstantPool& pool = file.pool;
  if (const auto table = operandPoolTable(kind); exact != nullptr && table && value >= 0 && value < (1ll << 30)) {
    const auto index = static_cast<std::uint32_t>(value);
    std::string text;
    appendOperand(text, kind, value, file, names, nullptr);
    appendEntryText(out, exact, *table, index, text);
    return;
  }
  const auto index = static_cast<std::uint32_t>(value);
  switch (kind) {
    case AbcOperandKind::kInt: appendPoolEntry(out, pool.integers, value, "int", intText); break;
    case AbcOperandKind::kUInt: appendPoolEntry(out, pool.unsignedIntegers, value, "uint", uintText); break;
    case AbcOperandKind::kDouble: appendPoolEntry(out, pool.doubles, value, "double", doubleEntryText); break;
    case AbcOperandKind::kString: appendPoolEntry(out, pool.strings, value, "string", stringEntryText); break;
    case AbcOperandKind::kNamespace: out += names.namespaceText(index); break;
    case AbcOperandKind::kMultiname: names.appendMultiname(out, index); break;
    case AbcOperandKind::kMethod: appendNamed(out, value, names.methodName(index)); break;
    case AbcOperandKind::kClass:
      appendNamed(out, value, index < file.instances.size() ? names.multiname(file.instances[index].name) : "");
      break;
    case AbcOperandKind::kBranch: appendLabel(out, value); break;
    default: appendNumber(out, value); break;
  }
}

/// The forms of the assembly listing: how texts name their entries, and where labels stand
/// (an offset that starts an instruction, or the end of the code).
struct AssemblyForm {
  AbcPoolTexts* texts = nullptr;
  const std::vector<bool>* labelPlaces = nullptr;
};

/// A label, or in the assembly form a target where no label can stand (inside an
/// instruction, outside the code) as its signed distance from `base`: +12, -3.
void appendTarget(std::string& out, std::int64_t target, std::int64_t base, const AssemblyForm& form) {
  const std::vector<bool>* places = form.labelPlaces;
  if (places == nullptr || (target >= 0 && static_cast<std::size_t>(target) < places->size() && (*places)[target])) {
    appendLabel(out, target);
    return;
  }
  if (target >= base) out.push_back('+');
  appendNumber(out, target - base);
}

void appendOperands(std::string& out, const AbcInstruction& instruction, const AbcFile& file, AbcNames& names,
                    const AssemblyForm& form) {
  const AbcOpcode& opcode = instruction.opcode();
  if (opcode.isSwitch) {
    const auto& targets = instruction.switchTargets;
    if (targets.empty()) return;
    appendTarget(out, targets.front(), instruction.offset, form);
    out += ", [";
    for (std::size_t i = 1; i < targets.size(); ++i) {
      if (i > 1) out += ", ";
      appendTarget(out, targets[i], instruction.offset, form);
    }
    out += "]";
    return;
  }
  for (std::uint8_t i = 0; i < opcode.operandCount; ++i) {
    if (i > 0) out += ", ";
    if (opcode.operands[i] == AbcOperandKind::kBranch)
      appendTarget(out, instruction.operands[i], instruction.offset + instruction.length, form);
    else
      appendOperand(out, opcode.operands[i], instruction.operands[i], file, names, form.texts);
  }
}

void appendOffset(std::string& out, const std::string& indent, std::uint32_t offset) {
  out += indent;
  appendDigits(out, offset, 5);
  out += "  ";
}

/// Marks every offset a branch, a switch or the exception table names.
std::vector<bool> labelledOffsets(const AbcDecodedCode& decoded, const AbcMethodBody& body) {
  std::vector<bool> labelled(body.code.size() + 1, false);
  const auto mark = [&](std::int64_t target) {
    if (target >= 0 && static_cast<std::size_t>(target) < labelled.size()) labelled[target] = true;
  };
  for (const AbcInstruction& instruction : decoded.instructions) {
    const AbcOpcode& opcode = instruction.opcode();
    for (std::int64_t target : instruction.switchTargets) mark(target);
    for (std::uint8_t i = 0; i < opcode.operandCount; ++i)
      if (opcode.operands[i] == AbcOperandKind::kBranch) mark(instruction.operands[i]);
  }
  for (const AbcException& entry : body.exceptions) {
    mark(entry.from);
    mark(entry.to);
    mark(entry.target);
  }
  return labelled;
}

void appendRestAsBytes(std::string& out, const std::string& indent, const AbcMethodBody& body,
                       std::uint32_t from) {
  for (std::size_t line = from; line < body.code.size(); line += kBytesPerLine) {
    appendOffset(out, indent, static_cast<std::uint32_t>(line));
    out += "bytes";
    for (std::size_t i = line; i < body.code.size() && i < line + kBytesPerLine; ++i) {
      char text[4];
      std::snprintf(text, sizeof text, " %02X", body.code[i]);
      out += text;
    }
    out.push_back('\n');
  }
}

void appendExceptions(std::string& out, const std::string& indent, const AbcFile& file, const AbcMethodBody& body,
                      AbcNames& names, const AssemblyForm& form) {
  const auto appendName = [&](std::uint32_t index) {
    appendOperand(out, AbcOperandKind::kMultiname, index, file, names, form.texts);
  };
  // In the assembly form an offset where no label can stand is written as it is: @N.
  const auto appendOffset = [&](std::uint32_t offset) {
    const std::vector<bool>* places = form.labelPlaces;
    if (places != nullptr && (offset >= places->size() || !(*places)[offset])) {
      out += "@" + std::to_string(offset);
      return;
    }
    out += "L" + std::to_string(offset);
  };
  for (std::size_t i = 0; i < body.exceptions.size(); ++i) {
    const AbcException& entry = body.exceptions[i];
    out += indent + "exception " + std::to_string(i) + ": from ";
    appendOffset(entry.from);
    out += " to ";
    appendOffset(entry.to);
    out += " target ";
    appendOffset(entry.target);
    out += " type ";
    appendName(entry.type);
    out += " name ";
    appendName(entry.variable);
    out.push_back('\n');
  }
}

void appendBodyHeader(std::string& out, const AbcFile& file, std::uint32_t bodyIndex, const std::string& indent) {
  const AbcMethodBody& body = file.bodies[bodyIndex];
  out += indent + "// body " + std::to_string(bodyIndex) + " of method " + std::to_string(body.method) +
         ": max stack " + std::to_string(body.maxStack) + ", locals " + std::to_string(body.localCount) +
         ", scope depth " + std::to_string(body.initScopeDepth) + " to " + std::to_string(body.maxScopeDepth) +
         ", code length " + std::to_string(body.code.size()) + "\n";
  for (const AbcError& error : body.errors)
    out += indent + "// error at offset " + std::to_string(error.offset) + ": " + error.message + "\n";
}

void collectFunctionLiterals(const AbcDecodedCode& decoded, std::vector<std::uint32_t>* functionLiterals) {
  if (functionLiterals == nullptr) return;
  for (const AbcInstruction& instruction : decoded.instructions)
    if (instruction.code == opcode::kNewFunction)
      functionLiterals->push_back(static_cast<std::uint32_t>(instruction.operands[0]));
}

}  // namespace

std::string operandText(const AbcInstruction& instruction, const AbcFile& file, AbcNames& names) {
  std::string text;
  appendOperands(text, instruction, file, names, AssemblyForm{});
  return text;
}

namespace {

void appendListing(std::string& out, const AbcFile& file, AbcNames& names, std::uint32_t bodyIndex,
                   const std::string& indent, std::vector<std::uint32_t>* functionLiterals, AbcPoolTexts* exact) {
  const AbcMethodBody& body = file.bodies[bodyIndex];
  appendBodyHeader(out, file, bodyIndex, indent);

  const AbcDecodedCode decoded = decodeInstructions(body.code);
  collectFunctionLiterals(decoded, functionLiterals);
  const std::vector<bool> labelled = labelledOffsets(decoded, body);
  std::vector<bool> labelPlaces;
  if (exact != nullptr) {
    labelPlaces.assign(body.code.size() + 1, false);
    for (const AbcInstruction& instruction : decoded.instructions) labelPlaces[instruction.offset] = true;
    labelPlaces[body.code.size()] = decoded.end == AbcCodeEnd::kComplete;
  }
  const AssemblyForm form{exact, exact != nullptr ? &labelPlaces : nullptr};
  for (const AbcInstruction& instruction : decoded.instructions) {
    if (labelled[instruction.offset]) {
      out += indent;
      appendLabel(out, instruction.offset);
      out += ":\n";
    }
    appendOffset(out, indent, instruction.offset);
    const AbcOpcode& opcode = instruction.opcode();
    if (opcode.mnemonic == nullptr) {
      char text[16];
      std::snprintf(text, sizeof text, "op 0x%02X\n", instruction.code);
      out += text;
      continue;
    }
    out += opcode.mnemonic;
    if (opcode.operandCount > 0 || opcode.isSwitch) {
      out.push_back(' ');
      appendOperands(out, instruction, file, names, form);
    }
    out.push_back('\n');
  }
  if (decoded.end != AbcCodeEnd::kComplete) {
    if (decoded.end == AbcCodeEnd::kTruncated) {
      appendOffset(out, indent, decoded.stopOffset);
      out += "// truncated instruction: " + decoded.fault + "\n";
    }
    appendRestAsBytes(out, indent, body, decoded.stopOffset);
  } else if (labelled[body.code.size()]) {
    out += indent;
    appendLabel(out, static_cast<std::int64_t>(body.code.size()));
    out += ":\n";
  }
  appendExceptions(out, indent, file, body, names, form);
}

}  // namespace

void appendBodyListing(std::string& out, const AbcFile& file, AbcNames& names, std::uint32_t bodyIndex,
                       const std::string& indent, std::vector<std::uint32_t>* functionLiterals) {
  appendListing(out, file, names, bodyIndex, indent, functionLiterals, nullptr);
}

void appendBodyAssembly(std::string& out, const AbcFile& file, AbcNames& names, AbcPoolTexts& texts,
                        std::uint32_t bodyIndex) {
  appendListing(out, file, names, bodyIndex, "", nullptr, &texts);
}

void appendBodyBytes(std::string& out, const AbcFile& file, std::uint32_t bodyIndex, const std::string& indent,
                     ByteCodeKind kind, std::vector<std::uint32_t>* functionLiterals) {
  const AbcMethodBody& body = file.bodies[bodyIndex];
  appendBodyHeader(out, file, bodyIndex, indent);
  const AbcDecodedCode decoded = decodeInstructions(body.code);
  collectFunctionLiterals(decoded, functionLiterals);
  std::size_t rest = 0;
  for (const AbcInstruction& instruction : decoded.instructions) {
    appendOffset(out, indent, instruction.offset);
    out += rawBytesLine(body.code.subspan(instruction.offset, instruction.length), kind);
    rest = instruction.offset + instruction.length;
  }
  for (; rest < body.code.size(); rest += kBytesPerLine) {
    appendOffset(out, indent, static_cast<std::uint32_t>(rest));
    out += rawBytesLine(body.code.subspan(rest, std::min(kBytesPerLine, body.code.size() - rest)), kind);
  }
}

}  // namespace orvane
