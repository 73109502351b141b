#include "abc/AbcPoolTexts.h"

#include <cctype>

namespace orvane {

namespace {

bool endsInIndexSuffix(std::string_view text) {
  const std::size_t hash = text.rfind('#');
  if (hash == std::string_view::npos || hash + 1 == text.size()) return false;
  for (std::size_t i = hash + 1; i < text.size(); ++i)
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
  return true;
}

}  // namespace

std::optional<AbcPoolTable> operandPoolTable(AbcOperandKind kind) {
  switch (kind) {
    case AbcOperandKind::kInt: return AbcPoolTable::kInt;
    case AbcOperandKind::kUInt: return AbcPoolTable::kUInt;
    case AbcOperandKind::kDouble: return AbcPoolTable::kDouble;
    case AbcOperandKind::kString: return AbcPoolTable::kString;
    case AbcOperandKind::kNamespace: return AbcPoolTable::kNamespace;
    case AbcOperandKind::kMultiname: return AbcPoolTable::kMultiname;
    default: return std::nullopt;
  }
}

bool AbcPoolTexts::fitsOnALine(std::string_view text) {
  return text.find_first_of("\n\r") == std::string_view::npos;
}

std::string AbcPoolTexts::text(AbcPoolTable table, std::uint32_t index) {
  const AbcConstantPool& pool = m_file.pool;
  switch (table) {
    case AbcPoolTable::kInt:
      return index < pool.integers.size() ? std::to_string(pool.integers[index]) : std::string();
    case AbcPoolTable::kUInt:
      return index < pool.unsignedIntegers.size() ? std::to_string(pool.unsignedIntegers[index]) : std::string();
    case AbcPoolTable::kDouble: return index < pool.doubles.size() ? doubleText(pool.doubles[index]) : std::string();
    case AbcPoolTable::kString: return index < pool.strings.size() ? quotedString(pool.strings[index]) : std::string();
    case AbcPoolTable::kNamespace: return m_names.namespaceText(index);
    case AbcPoolTable::kMultiname: return m_names.multiname(index);
    case AbcPoolTable::kNamespaceSet: return m_names.namespaceSetText(index);
  }
  return {};
}

std::size_t AbcPoolTexts::tableSize(AbcPoolTable table) const {
  const AbcConstantPool& pool = m_file.pool;
  switch (table) {
    case AbcPoolTable::kInt: return pool.integers.size();
    case AbcPoolTable::kUInt: return pool.unsignedIntegers.size();
    case AbcPoolTable::kDouble: return pool.doubles.size();
    case AbcPoolTable::kString: return pool.strings.size();
    case AbcPoolTable::kNamespace: return pool.namespaces.size();
    case AbcPoolTable::kNamespaceSet: return pool.namespaceSets.size();
    case AbcPoolTable::kMultiname: return pool.multinames.size();
  }
  return 0;
}

AbcPoolTexts::Index& AbcPoolTexts::tableIndex(AbcPoolTable table) {
  const auto slot = static_cast<std::size_t>(table);
  if (!m_built[slot]) {
    m_built[slot] = true;
    const std::size_t size = tableSize(table);
    m_indices[slot].reserve(size);
    for (std::uint32_t i = 0; i < size; ++i) m_indices[slot][text(table, i)].push_back(i);
  }
  return m_indices[slot];
}

const std::vector<std::uint32_t>* AbcPoolTexts::entries(AbcPoolTable table, const std::string& text) {
  const Index& index = tableIndex(table);
  const auto found = index.find(text);
  return found == index.end() ? nullptr : &found->second;
}

bool AbcPoolTexts::needsIndex(AbcPoolTable table, std::uint32_t index) {
  const std::string written = text(table, index);
  if (written.empty() || !fitsOnALine(written) || std::isspace(static_cast<unsigned char>(written.front())) ||
      std::isspace(static_cast<unsigned char>(written.back())) || endsInIndexSuffix(written))
    return true;
  const std::vector<std::uint32_t>* same = entries(table, written);
  return same == nullptr || same->size() > 1;
}

void AbcPoolTexts::add(AbcPoolTable table, std::uint32_t index, const std::string& text) {
  tableIndex(table)[text].push_back(index);
  m_added.emplace_back(table, text);
}

void AbcPoolTexts::forgetAdded() {
  for (const auto& [table, text] : m_added) {
    Index& index = tableIndex(table);
    const auto found = index.find(text);
    found->second.pop_back();  // the last one is the one added
    if (found->second.empty()) index.erase(found);
  }
  m_added.clear();
}

}  // namespace orvane
