#include "abc/AbcBodyReplacement.h"

#include <algorithm>
#include <set>

#include "abc/AbcBodyAssembler.h"
#include "abc/AbcBodyMetrics.h"
#include "abc/AbcInstruction.h"
#include "abc/AbcNames.h"
#include "abc/AbcOperandPool.h"
#include "abc/AbcPoolTexts.h"
#include "abc/AbcWriter.h"

namespace orvane {

namespace {

/// The pool entries the body's code and handlers name.
std::set<AbcPoolEntry> entriesUsed(const AbcMethodBody& body) {
  std::set<AbcPoolEntry> used;
  for (const AbcInstruction& instruction : decodeInstructions(body.code).instructions) {
    const AbcOpcode& opcode = instruction.opcode();
    for (std::uint8_t i = 0; i < opcode.operandCount; ++i)
      if (const auto table = operandPoolTable(opcode.operands[i]))
        used.insert({*table, static_cast<std::uint32_t>(instruction.operands[i])});
  }
  for (const AbcException& entry : body.exceptions) {
    used.insert({AbcPoolTable::kMultiname, entry.type});
    used.insert({AbcPoolTable::kMultiname, entry.variable});
  }
  return used;
}

/// this, the parameters, and the rest or arguments array.
std::uint32_t parameterRegisters(const AbcFile& file, std::uint32_t methodIndex) {
  if (methodIndex >= file.methods.size()) return 1;
  const AbcMethod& method = file.methods[methodIndex];
  const bool extra = method.flags & (methodflag::kNeedRest | methodflag::kNeedArguments);
  return 1 + static_cast<std::uint32_t>(method.parameterTypes.size()) + (extra ? 1 : 0);
}

}  // namespace

AbcBodyReplacement::AbcBodyReplacement(std::span<const std::uint8_t> block, const AbcFile& file)
    : m_block(block), m_file(file), m_names(file), m_texts(file, m_names) {}

bool AbcBodyReplacement::assemble(std::uint32_t bodyIndex, std::string_view text, AssemblyError& error) {
  m_pool.reset();
  m_texts.forgetAdded();
  if (!m_file.errors.empty()) {
    error = {0, 0, "the ABC block has faults and is not rewritten (the first at offset " +
                       std::to_string(m_file.errors.front().offset) + ": " + m_file.errors.front().message + ")"};
    return false;
  }
  if (bodyIndex >= m_file.bodies.size()) {
    error = {0, 0, "the block has no method body " + std::to_string(bodyIndex)};
    return false;
  }
  const AbcMethodBody& body = m_file.bodies[bodyIndex];
  AbcOperandPool& pool = m_pool.emplace(m_file, m_names, m_texts, entriesUsed(body));
  AbcAssembledBody assembled;
  if (!assembleAbcBody(text, pool, m_file.methods.size(), m_file.instances.size(), assembled, error)) {
    m_pool.reset();
    m_texts.forgetAdded();
    return false;
  }
  const AbcBodyMetrics needs =
      measureBody(decodeInstructions(assembled.code), assembled.exceptions, parameterRegisters(m_file, body.method),
                  [&pool](std::uint32_t name) { return multinameRuntimeParts(pool.multinameKind(name)); });
  m_body = bodyIndex;
  m_entry = AbcWriter();
  m_entry.u30(body.method)
      .u30(std::max(body.maxStack, needs.maxStack))
      .u30(std::max(body.localCount, needs.localCount))
      .u30(body.initScopeDepth)
      .u30(std::max(body.maxScopeDepth, body.initScopeDepth + needs.scopeHeight))
      .u30(static_cast<std::uint32_t>(assembled.code.size()))
      .bytes(assembled.code)
      .u30(static_cast<std::uint32_t>(assembled.exceptions.size()));
  for (const AbcException& entry : assembled.exceptions)
    m_entry.u30(entry.from).u30(entry.to).u30(entry.target).u30(entry.type).u30(entry.variable);
  m_entry.bytes(m_block.subspan(body.traitsOffset, body.entryEnd - body.traitsOffset));
  return true;
}

std::vector<std::uint8_t> AbcBodyReplacement::block() const {
  const AbcMethodBody& body = m_file.bodies[m_body];
  AbcWriter writer;
  writer.data().reserve(m_block.size() + entry().size());
  writer.bytes(m_block.first(m_file.poolTables.front().countOffset));
  for (std::size_t table = 0; table < kAbcPoolTables; ++table)
    m_pool->writeTable(static_cast<AbcPoolTable>(table), m_block, writer);
  const std::uint32_t afterPool = m_file.poolTables.back().end;
  writer.bytes(m_block.subspan(afterPool, body.entryOffset - afterPool));
  writer.bytes(entry());
  writer.bytes(m_block.subspan(body.entryEnd));
  return std::move(writer.data());
}

bool replaceAbcBody(std::span<const std::uint8_t> block, const AbcFile& file, std::uint32_t bodyIndex,
                    std::string_view text, std::vector<std::uint8_t>& out, AssemblyError& error) {
  AbcBodyReplacement replacement(block, file);
  if (!replacement.assemble(bodyIndex, text, error)) return false;
  out = replacement.block();
  return true;
}

}  // namespace orvane
