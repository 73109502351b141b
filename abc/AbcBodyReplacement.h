// An ABC block with one method body replaced by the code an assembly text gives: the pools
// grown by the entries the text names anew, the body's machine needs worked out again,
// every other byte of the block as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "abc/AbcFile.h"
#include "abc/AbcNames.h"
#include "abc/AbcOperandPool.h"
#include "abc/AbcPoolTexts.h"
#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

/// Replaces bodies of one block, one at a time; the pool texts are made once for all of
/// them. `file` is `block` as `parseAbc` read it; both must outlive this.
///
/// The new body's max stack, local count and max scope depth are those its code needs (its
/// initial scope depth stays), or the ones the old body declared where those are larger: a
/// compiler's reserve stays, and an unchanged text gives the same bytes.
class AbcBodyReplacement {
 public:
  AbcBodyReplacement(std::span<const std::uint8_t> block, const AbcFile& file);

  /// Assembles `text` as body `bodyIndex`, forgetting an earlier one. False with `error` at
  /// its line and column when the text does not assemble; a block read with faults, or a
  /// body past the table, fails at line 0 (the fault is not the text's).
  [[nodiscard]] bool assemble(std::uint32_t bodyIndex, std::string_view text, AssemblyError& error);
  /// The new body entry of the last text that assembled.
  const std::vector<std::uint8_t>& entry() const { return m_entry.data(); }
  bool poolGrew() const { return m_pool && m_pool->grew(); }
  /// The whole block with the new entry and the grown pool.
  std::vector<std::uint8_t> block() const;

  AbcNames& names() { return m_names; }
  AbcPoolTexts& texts() { return m_texts; }

 private:
  std::span<const std::uint8_t> m_block;
  const AbcFile& m_file;
  AbcNames m_names;
  AbcPoolTexts m_texts;
  std::optional<AbcOperandPool> m_pool;
  std::uint32_t m_body = 0;
  AbcWriter m_entry;
};

/// The block with body `bodyIndex` replaced by what `text` assembles into (see above).
[[nodiscard]] bool replaceAbcBody(std::span<const std::uint8_t> block, const AbcFile& file, std::uint32_t bodyIndex,
                                  std::string_view text, std::vector<std::uint8_t>& out, AssemblyError& error);

}  // namespace orvane
