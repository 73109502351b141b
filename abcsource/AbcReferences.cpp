#include "abcsource/AbcReferences.h"

#include "abc/AbcInstruction.h"
#include "abcsource/AbcIntrinsics.h"

namespace orvane {

AbcReferences::AbcReferences(const AbcFile& file, AbcSourceNames& names)
    : m_file(file), m_names(names), m_noted(file.methods.size(), false) {}

void AbcReferences::noteTrait(const AbcTrait& trait) {
  m_names.noteMultiname(m_file, trait.name);
  switch (trait.kind) {
    case traitkind::kSlot:
    case traitkind::kConst: m_names.noteMultiname(m_file, trait.type); break;
    case traitkind::kMethod:
    case traitkind::kGetter:
    case traitkind::kSetter:
    case traitkind::kFunction: noteMethod(trait.index); break;
    default: break;
  }
}

void AbcReferences::noteMethod(std::uint32_t method) {
  // Literals found in the code are noted after it, from a list: no recursion, however deep.
  std::vector<std::uint32_t> pending{method};
  while (!pending.empty()) {
    const std::uint32_t next = pending.back();
    pending.pop_back();
    if (next >= m_file.methods.size() || m_noted[next]) continue;
    m_noted[next] = true;
    const AbcMethod& entry = m_file.methods[next];
    m_names.noteMultiname(m_file, entry.returnType);
    for (const std::uint32_t type : entry.parameterTypes) m_names.noteMultiname(m_file, type);
    if (entry.body < 0 || static_cast<std::size_t>(entry.body) >= m_file.bodies.size()) continue;
    noteCode(m_file.bodies[static_cast<std::size_t>(entry.body)], true, pending);
  }
}

void AbcReferences::noteCode(const AbcMethodBody& body, bool qualified, std::vector<std::uint32_t>& literals) {
  for (const AbcException& exception : body.exceptions) m_names.noteMultiname(m_file, exception.type);
  for (const AbcTrait& trait : body.traits) m_names.noteMultiname(m_file, trait.type);
  const auto& multinames = m_file.pool.multinames;
  for (const AbcInstruction& instruction : decodeInstructions(body.code).instructions) {
    if (const AbcIntrinsic* intrinsic = intrinsicOf(instruction.code))
      m_names.noteType(std::string(kIntrinsicsPackage), intrinsic->name);
    const AbcOpcode& opcode = instruction.opcode();
    for (std::uint8_t i = 0; i < opcode.operandCount; ++i) {
      const auto operand = static_cast<std::uint32_t>(instruction.operands[i]);
      if (opcode.operands[i] == AbcOperandKind::kMethod) literals.push_back(operand);
      if (opcode.operands[i] != AbcOperandKind::kMultiname || operand >= multinames.size()) continue;
      const std::uint8_t kind = multinames[operand].kind;
      if (qualified || (kind != mnkind::kQName && kind != mnkind::kQNameA && kind != mnkind::kTypeName))
        m_names.noteMultiname(m_file, operand);
    }
  }
}

void AbcReferences::noteClass(std::uint32_t classIndex) {
  if (classIndex >= m_file.instances.size()) return;
  const AbcInstance& instance = m_file.instances[classIndex];
  m_names.noteMultiname(m_file, instance.superName);
  for (const std::uint32_t name : instance.interfaces) m_names.noteMultiname(m_file, name);
  noteMethod(instance.initialiser);
  for (const AbcTrait& trait : instance.traits) noteTrait(trait);
  if (classIndex < m_file.classes.size()) {
    noteMethod(m_file.classes[classIndex].initialiser);
    for (const AbcTrait& trait : m_file.classes[classIndex].traits) noteTrait(trait);
  }
}

void AbcReferences::noteScript(std::uint32_t scriptIndex, const std::vector<std::string>& namedTypes) {
  if (scriptIndex >= m_file.scripts.size()) return;
  const AbcScript& script = m_file.scripts[scriptIndex];
  for (const AbcTrait& trait : script.traits)
    if (trait.kind != traitkind::kClass) noteTrait(trait);
  for (const std::string& type : namedTypes) {
    const std::size_t separator = type.rfind("::");
    if (separator != std::string::npos) m_names.noteType(type.substr(0, separator), type.substr(separator + 2));
  }
  const std::uint32_t initialiser = script.initialiser;
  if (initialiser >= m_file.methods.size() || m_noted[initialiser]) return;
  m_noted[initialiser] = true;
  const std::int32_t body = m_file.methods[initialiser].body;
  if (body < 0 || static_cast<std::size_t>(body) >= m_file.bodies.size()) return;
  std::vector<std::uint32_t> literals;
  noteCode(m_file.bodies[static_cast<std::size_t>(body)], false, literals);
  for (const std::uint32_t literal : literals) noteMethod(literal);
}

}  // namespace orvane
