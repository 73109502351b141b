// The records of one block as the decompiler walks them: offsets, branch targets and loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "actions/ActionList.h"
#include "decompiler/FlowStream.h"
#include "movie/BitReader.h"

namespace orvane {

/// The action codes the decompiler looks for by name.
namespace op {
inline constexpr std::uint8_t kPlay = 0x06;
inline constexpr std::uint8_t kNot = 0x12;
inline constexpr std::uint8_t kPop = 0x17;
inline constexpr std::uint8_t kSetTarget2 = 0x20;
inline constexpr std::uint8_t kEquals2 = 0x49;
inline constexpr std::uint8_t kStoreRegister = 0x87;
inline constexpr std::uint8_t kSetTarget = 0x8B;
inline constexpr std::uint8_t kPush = 0x96;
inline constexpr std::uint8_t kJump = 0x99;
inline constexpr std::uint8_t kIf = 0x9D;
}  // namespace op

/// A record as the decompiler's code looks at it: its action code beside its place in
/// the flow of the block.
struct Instruction {
  std::uint32_t target = kNoIndex;   // ActionJump / ActionIf: the record it branches to
  std::uint32_t loopEnd = kNoIndex;  // a loop header: the last record branching back to it
  std::uint32_t offset = 0;          // from the start of the block
  std::uint32_t size = 0;            // the whole record
  std::uint8_t code = 0;
  bool isTarget = false;             // some branch lands here
};

/// The block's records with their flow for the shared structurer, and the fields of each
/// for the expression builder. Branch targets that do not land on a record boundary inside
/// the block (or on its end) have no target index.
class InstructionStream {
 public:
  explicit InstructionStream(const ActionList& records);

  std::size_t size() const { return m_codes.size(); }
  Instruction operator[](std::size_t index) const;
  const FlowStream& flow() const { return m_flow; }
  /// A record's fields after its code and length (none for a short record).
  std::span<const std::uint8_t> body(std::size_t index) const;
  /// A checked reader over a record's fields.
  BitReader reader(std::size_t index) const { return BitReader(body(index)); }
  /// Whether record `index` can be part of an expression: not a loop, function or block
  /// statement.
  bool isExpressionCode(std::size_t index) const;
  /// The first record that starts at or after `offset` (size() past the end).
  std::size_t indexFrom(std::int64_t offset) const { return m_flow.indexFrom(offset); }
  /// Whether register 0, the compiler's scratch register, is stored again or never used
  /// from record `index` on before any record reads it (in record order).
  bool scratchUnreadFrom(std::size_t index) const;

 private:
  const ActionList& m_records;
  /// Per record: the record's own byte (the class of ActionStringEquals is the one of
  /// ActionEquals).
  std::vector<std::uint8_t> m_codes;
  FlowStream m_flow;
  /// Per record: whether the first use of register 0 at or after it is a read.
  std::vector<bool> m_scratchReadNext;
};

}  // namespace orvane
