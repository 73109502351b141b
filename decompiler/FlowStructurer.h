// The structurer's walk over a body: the statement that each instruction, or each run of
// instructions, makes, over a front-end that knows the byte code.
#pragma once

#include <cstddef>
#include <vector>

#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"
#include "decompiler/FlowFrontEnd.h"
#include "decompiler/FlowLoopStructurer.h"
#include "decompiler/FlowStream.h"

namespace orvane {

/// Walks instructions into statements. Jumps become break, continue or goto; a
/// conditional branch becomes if / else, ?:, && or ||. Loops go to the loop structurer,
/// the statements only one byte code has to its front-end, which has the walk read their
/// parts; every other instruction goes to the front-end's stack machine.
class FlowStructurer {
 public:
  FlowStructurer(const FlowStream& code, FlowFrontEnd& values);

  /// The statements of the whole body.
  StatementList run();
  /// The statements of instructions [begin, end); the one at `skipLoopAt` is read as
  /// itself, not as the header of the loop being read.
  void decodeRange(std::size_t begin, std::size_t end, ValueStack& stack, StatementList& out,
                   const FlowContext& context, std::size_t skipLoopAt = kNoIndex);
  /// The statement of instruction i and those it takes in; returns the one to read next.
  std::size_t step(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out, const FlowContext& context,
                   std::size_t skipLoopAt);
  /// A goto to `target` (an index, or kNoIndex for an offset no instruction starts at)
  /// made by instruction i.
  std::size_t gotoStatement(std::size_t i, std::size_t target, StatementList& out);
  /// Whether a branch in [from, to) goes to `target`.
  bool branchesTo(std::size_t from, std::size_t to, std::size_t target) const;

 private:
  std::size_t conditional(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                          const FlowContext& context);
  std::size_t shortCircuit(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                           const FlowContext& context, Operation op, const ExpressionPtr& left);
  std::size_t jump(std::size_t i, StatementList& out, const FlowContext& context);
  /// Where a jump to `target` ends up once the jumps it lands on are followed.
  std::size_t landing(std::size_t target) const;

  const FlowStream& m_code;
  FlowFrontEnd& m_values;
  FlowLoopStructurer m_loops;
  std::vector<bool> m_gotoTargets;  // instructions some goto or continue statement went to
};

}  // namespace orvane
