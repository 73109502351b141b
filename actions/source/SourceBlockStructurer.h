// The statements of decompiled source whose bodies their record marks out: with,
// ifFrameLoaded, tellTarget, function definitions and try.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>

#include "actions/source/SourceInstructions.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

class ExpressionBuilder;
class FlowStructurer;

/// Makes the statement of a record that opens a block, by a size in bytes or records or up
/// to an end marker, and has the walk read the block's records into its body.
class BlockStructurer {
 public:
  BlockStructurer(FlowStructurer& walk, const InstructionStream& code, ExpressionBuilder& values);

  // Each reads the statement of the record at i; returns the record after it.
  std::size_t withStatement(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                            const FlowContext& context);
  /// Both forms: the frame a field of the record or a value of the stack.
  std::size_t ifFrameLoaded(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                            const FlowContext& context);
  /// Both forms: the target a field of the record or a value of the stack.
  std::size_t tellTarget(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                         const FlowContext& context);
  /// A named function is a statement, an unnamed one a value on the stack.
  std::size_t function(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                       const FlowContext& context);
  std::size_t tryStatement(std::size_t i, std::size_t end, StatementList& out, const FlowContext& context);

 private:
  std::size_t blockStatement(StatementKind kind, ExpressionPtr value, std::size_t i, std::size_t bodyEnd,
                             ValueStack& stack, StatementList& out, const FlowContext& context);
  std::size_t tellTargetEnd(std::size_t from, std::size_t end) const;
  /// The record after the `size` bytes that follow record i, at most `end`.
  std::size_t bodyEnd(std::size_t i, std::uint16_t size, std::size_t end) const;
  /// The registers that records [begin, end) store into, outside nested functions.
  std::bitset<256> storedRegisters(std::size_t begin, std::size_t end) const;
  /// Record k ends a tellTarget block (ActionSetTarget "" or push ""; ActionSetTarget2).
  bool endsTellTarget(std::size_t k) const;
  /// Record k sets the target of an enclosing tellTarget again after a nested one ends.
  bool restoresTellTarget(std::size_t k) const;

  FlowStructurer& m_walk;
  const InstructionStream& m_code;
  ExpressionBuilder& m_values;
};

}  // namespace orvane
