// The decompiler's walk over a block: the statement that each record, or each run of
// records, makes.
#pragma once

#include <cstddef>
#include <vector>

#include "actions/source/SourceBlockStructurer.h"
#include "actions/source/SourceInstructions.h"
#include "actions/source/SourceLoopStructurer.h"
#include "decompiler/SourceStatement.h"
#include "actions/source/SourceSwitchStructurer.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

class ExpressionBuilder;

/// Walks records into statements. Jumps become break, continue or goto; a conditional
/// branch becomes if / else, ?:, && or ||. Loops, switches and the blocks that records
/// mark out go to their own structurers, which have the walk read their parts; every other
/// record goes to the expression builder.
class Structurer {
 public:
  Structurer(const InstructionStream& code, ExpressionBuilder& values);

  /// The statements of the whole block.
  StatementList run();
  /// The statements of records [begin, end); the record at `skipLoopAt` is read as itself,
  /// not as the header of the loop being read.
  void decodeRange(std::size_t begin, std::size_t end, ValueStack& stack, StatementList& out,
                   const FlowContext& context, std::size_t skipLoopAt = kNoIndex);
  /// The statement of record i and the records it takes in; returns the record to read next.
  std::size_t step(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                   std::size_t skipLoopAt);

 private:
  std::size_t conditional(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                          const FlowContext& context);
  std::size_t shortCircuit(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                           const FlowContext& context, Operation op, const ExpressionPtr& left);
  /// Whether a branch in [from, to) goes to `target`, past the record at `to`: then that
  /// record is not the jump over an else part but belongs to a nested statement.
  bool jumpedOver(std::size_t from, std::size_t to, std::size_t target) const;
  std::size_t jump(std::size_t i, StatementList& out, const FlowContext& context);
  std::size_t gotoStatement(std::size_t i, std::size_t target, StatementList& out);

  const InstructionStream& m_code;
  ExpressionBuilder& m_values;
  LoopStructurer m_loops;
  SwitchStructurer m_switches;
  BlockStructurer m_blocks;
  std::vector<bool> m_gotoTargets;  // records some goto or continue statement went to
};

}  // namespace orvane
