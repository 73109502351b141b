#include "actions/assembly/ActionDisassembler.h"

#include <bit>
#include <vector>

#include "actions/ActionList.h"
#include "actions/ActionTranslator.h"
#include "actions/TextFormat.h"
#include "actions/assembly/AssemblyLiterals.h"
#include "actions/assembly/AssemblySyntax.h"
#include "actions/assembly/RecordFields.h"
#include "movie/MovieObject.h"

namespace orvane {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendHexBytes(std::string& out, std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t byte : bytes) {
    out += ' ';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0xF];
  }
}

std::string hexNumber(std::uint64_t value, int digits) { return formatText("0x%0*llX", digits, static_cast<unsigned long long>(value)); }

/// A nested body that is open while its records are written: the ends of its sections
/// (try, catch, finally: only those the text shows) and the section being written.
struct OpenBody {
  struct Section {
    std::uint32_t end = 0;
    std::string_view keyword;  // "catch", "finally"; empty for the first
  };
  std::vector<Section> sections;
  std::size_t current = 0;
};

class BlockDisassembler {
 public:
  BlockDisassembler(std::string& out, std::span<const std::uint8_t> block, std::string_view indent)
      : m_out(out), m_block(block), m_indent(indent) {}

  void run() {
    walkRecords();
    markTargets();
    for (const Span& record : m_records) {
      closeBodiesAt(record.offset);
      writeLabelAt(record.offset);
      writeRecord(record);
    }
    const auto length = static_cast<std::uint32_t>(m_block.size());
    if (m_tailStart < length) {
      closeBodiesAt(m_tailStart);
      writeLabelAt(m_tailStart);
      startLine();
      m_out += syntax::kBytes;
      appendHexBytes(m_out, m_block.subspan(m_tailStart));
      m_out += "  // a record cut off by the end of the block\n";
    }
    closeBodiesAt(length);
    writeLabelAt(length);
  }

 private:
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
  };

  void walkRecords() {
    std::uint32_t offset = 0;
    while (const std::optional<std::uint32_t> size = recordSizeAt(m_block, offset)) {
      m_records.push_back({offset, *size});
      offset += *size;
    }
    m_tailStart = offset;
    m_boundary.assign(m_block.size() + 1, false);
    for (const Span& record : m_records) m_boundary[record.offset] = true;
    m_boundary[m_tailStart] = true;
    m_boundary[m_block.size()] = true;
  }

  std::span<const std::uint8_t> bodyOf(const Span& record) const {
    return record.size >= 3 ? m_block.subspan(record.offset + 3, record.size - 3) : std::span<const std::uint8_t>();
  }

  /// Where a branch record's offset points, when it lands on a record boundary.
  std::optional<std::uint32_t> labelTarget(const Span& record) const {
    const std::int64_t target = branchTarget(record);
    if (target < 0 || target > static_cast<std::int64_t>(m_block.size()) || !m_boundary[target]) return std::nullopt;
    return static_cast<std::uint32_t>(target);
  }

  std::int64_t branchTarget(const Span& record) const {
    const std::span<const std::uint8_t> body = bodyOf(record);
    const auto offset = static_cast<std::int16_t>(body[0] | (body[1] << 8));
    return static_cast<std::int64_t>(record.offset) + record.size + offset;
  }

  bool isBranch(const Span& record) const {
    const AssemblyInstruction* instruction = instructionOfCode(m_block[record.offset]);
    return instruction != nullptr && instruction->form == OperandForm::Branch && record.size == 5;
  }

  void markTargets() {
    m_label.assign(m_block.size() + 1, false);
    for (const Span& record : m_records) {
      if (!isBranch(record)) continue;
      if (const auto target = labelTarget(record)) m_label[*target] = true;
    }
  }

  void startLine() {
    m_out += m_indent;
    m_out.append(m_open.size(), '\t');
  }

  void closeBodiesAt(std::uint32_t offset) {
    while (!m_open.empty()) {
      OpenBody& body = m_open.back();
      if (body.sections[body.current].end != offset) return;
      if (body.current + 1 < body.sections.size()) {
        ++body.current;
        m_out += m_indent;
        m_out.append(m_open.size() - 1, '\t');
        m_out += "} ";
        m_out += body.sections[body.current].keyword;
        m_out += " {\n";
        continue;
      }
      m_open.pop_back();
      startLine();
      m_out += "}\n";
    }
  }

  void writeLabelAt(std::uint32_t offset) {
    if (!m_label[offset]) return;
    m_out += m_indent;
    m_out.append(m_open.size(), '\t');
    m_out += syntax::labelName(offset);
    m_out += ":\n";
  }

  /// The end of the body that the records at this point belong to.
  std::uint32_t enclosingEnd() const {
    if (m_open.empty()) return static_cast<std::uint32_t>(m_block.size());
    const OpenBody& body = m_open.back();
    return body.sections[body.current].end;
  }

  /// The sections of the bodies after a record, as the text can show them; none when a
  /// body does not end on a record boundary inside the body around it.
  std::optional<OpenBody> nestedBodies(const Span& record, OperandForm form, const RecordFields& fields) const {
    OpenBody body;
    std::uint64_t end = record.offset + record.size;
    for (std::size_t i = 0; i < fields.bodySizes.size(); ++i) {
      end += fields.bodySizes[i];
      if (end > enclosingEnd() || !m_boundary[end]) return std::nullopt;
      if (i > 0 && !syntax::showsTrySection(fields, i)) continue;
      body.sections.push_back({static_cast<std::uint32_t>(end), syntax::sectionKeyword(form, i)});
    }
    return body;
  }

  void writeRecord(const Span& record) {
    startLine();
    const std::uint8_t code = m_block[record.offset];
    const AssemblyInstruction* instruction = instructionOfCode(code);
    std::optional<RecordFields> fields;
    if (instruction != nullptr) fields = decodeFields(instruction->form, bodyOf(record));
    if (!fields) {
      m_out += syntax::kRecord;
      m_out += ' ';
      m_out += hexNumber(code, 2);
      appendHexBytes(m_out, bodyOf(record));
      if (instruction != nullptr) {
        m_out += "  // ";
        m_out += instruction->name;
        m_out += " whose fields do not match its length";
      }
      m_out += '\n';
      return;
    }
    m_out += instruction->name;
    const OperandForm form = instruction->form;
    if (form == OperandForm::Branch) {
      writeBranch(record);
    } else if (bodyCount(form) > 0) {
      writeBodyRecord(record, form, *fields);
    } else {
      syntax::appendFields(m_out, form, *fields);
      if (form == OperandForm::Pool) m_pool = fields->texts;
      if (form == OperandForm::Items) appendPoolComment(*fields);
    }
    m_out += '\n';
  }

  void writeBranch(const Span& record) {
    m_out += ' ';
    if (const auto target = labelTarget(record)) {
      m_out += syntax::labelName(*target);
    } else {
      m_out += syntax::kOffset;
      m_out += ' ';
      m_out += std::to_string(branchTarget(record) - record.offset - record.size);
    }
  }

  void writeBodyRecord(const Span& record, OperandForm form, const RecordFields& fields) {
    std::optional<OpenBody> nested = nestedBodies(record, form, fields);
    syntax::appendBodyHeader(m_out, form, fields, nested.has_value());
    if (!nested) return;
    m_out += " {";
    m_open.push_back(std::move(*nested));
  }

  /// The strings that the pool of the last ConstantPool above holds at the pushed indices.
  void appendPoolComment(const RecordFields& fields) {
    bool first = true;
    for (const PushItem& item : fields.items) {
      if (item.type != pushtype::kConstant8 && item.type != pushtype::kConstant16) continue;
      if (item.value >= m_pool.size()) continue;
      m_out += first ? "  // " : ", ";
      appendQuoted(m_out, m_pool[item.value]);
      first = false;
    }
  }

  std::string& m_out;
  std::span<const std::uint8_t> m_block;
  std::string_view m_indent;
  std::vector<Span> m_records;
  std::uint32_t m_tailStart = 0;
  std::vector<bool> m_boundary;  // per offset 0..length: a record, the cut-off rest or the end starts here
  std::vector<bool> m_label;     // per offset: a branch lands here
  std::vector<OpenBody> m_open;
  std::vector<std::string> m_pool;
};

}  // namespace

void appendBlockAssembly(std::string& out, std::span<const std::uint8_t> block, std::string_view indent) {
  BlockDisassembler(out, block, indent).run();
}

std::string conditionAssembly(const ButtonObject& owner) {
  const bool isClip = dynamic_cast<const InstanceObject*>(&owner) != nullptr;
  std::string text = ActionTranslator::ShortHeaderText(syntax::kModeText) + "\n";
  for (const auto& condition : owner.conditionActions) {
    if (condition == nullptr) continue;
    if (isClip) {
      text += syntax::kClipEvent;
      text += ' ';
      text += hexNumber(condition->eventFlags, condition->eventFlags > 0xFFFF ? 8 : 4);
      if (condition->eventFlags & syntax::kKeyPressEvent) text += " key " + std::to_string(condition->keyCode);
    } else {
      text += syntax::kButtonCondition;
      text += ' ';
      text += hexNumber(condition->conditionWord, 4);
    }
    text += " {";
    const std::string names = ActionTranslator::EventNames(condition->conditionWord, !isClip);
    if (!names.empty()) text += "  // " + names;
    text += '\n';
    appendBlockAssembly(text, condition->bytes, "\t");
    text += "}\n\n";
  }
  return text;
}

}  // namespace orvane
