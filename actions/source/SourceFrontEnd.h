// The ActionScript 1 and 2 front-end of the shared structurer: what records mean for the
// walk, and the statements that only action blocks have.
#pragma once

#include <cstddef>

#include "actions/source/SourceBlockStructurer.h"
#include "actions/source/SourceInstructions.h"
#include "actions/source/SourceSwitchStructurer.h"
#include "decompiler/FlowFrontEnd.h"
#include "decompiler/FlowStructurer.h"

namespace orvane {

class ExpressionBuilder;

/// Hands plain records to the expression builder, the blocks that records mark out to the
/// block structurer and the compare chains of switches to the switch structurer, and
/// reads the compiler's for-in loops.
class SourceFrontEnd : public FlowFrontEnd {
 public:
  SourceFrontEnd(const InstructionStream& code, ExpressionBuilder& values);

  /// The statements of the whole block.
  StatementList run() { return m_walk.run(); }

  std::size_t readInstruction(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) override;
  ExpressionPtr branchCondition(std::size_t i, ValueStack& stack) override;
  std::size_t branchOperands(std::size_t i) const override;
  bool isDiscard(std::size_t i) const override;
  bool isExpressionCode(std::size_t i) const override;
  void emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) override;
  std::size_t structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                        const FlowContext& context) override;
  void refineLoop(Statement& loop) override;
  std::size_t branchStatement(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                              StatementList& out, const FlowContext& context, const ExpressionPtr& test) override;
  std::size_t cleanupLoop(std::size_t i) const override;
  bool isEntryTest(const ValueStack& stack) const override;

 private:
  const InstructionStream& m_code;
  ExpressionBuilder& m_values;
  FlowStructurer m_walk;
  BlockStructurer m_blocks;
  SwitchStructurer m_switches;
};

}  // namespace orvane
