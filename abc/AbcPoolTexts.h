// The operand text of every constant pool entry as the listing shows it, and which entries
// a text names: what the body assembler resolves operands against and what tells the
// assembly listing where a text alone would not name its entry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "abc/AbcOpcodes.h"

namespace orvane {

/// The table an operand of this kind indexes; none for the kinds that hold no pool index.
std::optional<AbcPoolTable> operandPoolTable(AbcOperandKind kind);

/// Works on a parsed file it does not own; the texts of a table are made the first time it
/// is asked about. Tables without operand texts (namespace sets) are not covered.
class AbcPoolTexts {
 public:
  AbcPoolTexts(const AbcFile& file, AbcNames& names) : m_file(file), m_names(names) {}

  /// The entry's text as an operand of the listing: 5, 1.5, "a", flash.display::Sprite.
  std::string text(AbcPoolTable table, std::uint32_t index);
  /// The entries whose text is `text`, in index order (entry 0, the default, included);
  /// none when no entry has it.
  const std::vector<std::uint32_t>* entries(AbcPoolTable table, const std::string& text);
  /// True when the text of the entry does not name it alone: another entry has the same
  /// text, or the text does not read back as written (empty, blanks at either end, a line
  /// break, a '#' followed by digits at its end).
  bool needsIndex(AbcPoolTable table, std::uint32_t index);
  /// Whether the text can stand in a line at all (no line break).
  static bool fitsOnALine(std::string_view text);
  /// Records an entry appended after the file was read.
  void add(AbcPoolTable table, std::uint32_t index, const std::string& text);
  /// Forgets every entry recorded by `add`.
  void forgetAdded();

 private:
  using Index = std::unordered_map<std::string, std::vector<std::uint32_t>>;
  Index& tableIndex(AbcPoolTable table);
  std::size_t tableSize(AbcPoolTable table) const;

  const AbcFile& m_file;
  AbcNames& m_names;
  std::array<Index, kAbcPoolTables> m_indices;
  std::array<bool, kAbcPoolTables> m_built{};
  std::vector<std::pair<AbcPoolTable, std::string>> m_added;
};

}  // namespace orvane
