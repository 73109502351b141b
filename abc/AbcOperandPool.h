// Resolves the operand texts of a method body against its block's constant pool, and
// appends the entries a text names that the pool does not hold yet.
#pragma once

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "abc/AbcPoolTexts.h"
#include "abc/AbcWriter.h"

namespace orvane {

/// A table and an index into it.
using AbcPoolEntry = std::pair<AbcPoolTable, std::uint32_t>;

/// Works on a parsed file it does not own. New entries go after the last of their table, so
/// every index the block holds keeps its meaning.
class AbcOperandPool {
 public:
  /// `preferred`: the entries the replaced body used, which decide between entries of the
  /// same text.
  AbcOperandPool(const AbcFile& file, AbcNames& names, AbcPoolTexts& texts, std::set<AbcPoolEntry> preferred);

  /// The entry an operand names: its text as the listing shows it (5, "a", flash.display::Sprite),
  /// optionally followed by "#" and the index of an entry of that text, or "#" and an index
  /// alone. A text no entry has becomes a new entry. False with `error` set for a text that
  /// is not of the table's form, several entries of that text and nothing to choose between
  /// them, an index past the table or of another text.
  [[nodiscard]] bool resolve(AbcPoolTable table, std::string_view operand, std::uint32_t& index, std::string& error);

  /// The kind of a multiname, new ones included; 0 past the table.
  std::uint8_t multinameKind(std::uint32_t index) const;
  std::size_t size(AbcPoolTable table) const;
  bool grew() const;
  /// The table from its count to its end as the block holds it, with the new entries and
  /// the new count when it grew.
  void writeTable(AbcPoolTable table, std::span<const std::uint8_t> block, AbcWriter& out) const;

 private:
  bool lookUp(AbcPoolTable table, const std::string& text, std::uint32_t& index, std::string& error);
  bool create(AbcPoolTable table, const std::string& text, std::uint32_t& index, std::string& error);
  std::uint32_t append(AbcPoolTable table, const std::string& text, const AbcWriter& entry);
  std::uint32_t stringEntry(const std::string& value);
  bool namespaceEntry(const std::string& text, std::uint8_t newKind, std::uint32_t& index, std::string& error);
  bool namespaceSetEntry(const std::string& text, std::uint32_t& index, std::string& error);
  bool createMultiname(const std::string& text, std::uint32_t& index, std::string& error);

  const AbcFile& m_file;
  AbcNames& m_names;
  AbcPoolTexts& m_texts;
  std::set<AbcPoolEntry> m_preferred;
  std::array<AbcWriter, kAbcPoolTables> m_added;
  std::array<std::uint32_t, kAbcPoolTables> m_addedCount{};
  std::vector<std::uint8_t> m_addedMultinameKinds;
};

/// The text form of the pool tables in messages: "multiname", "string", ...
const char* poolTableName(AbcPoolTable table);

}  // namespace orvane
