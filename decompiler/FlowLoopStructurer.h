// The loops of decompiled source: while, do-while and for from the compilers' branch
// patterns, over any byte code.
#pragma once

#include <cstddef>

#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"
#include "decompiler/FlowFrontEnd.h"
#include "decompiler/FlowStream.h"

namespace orvane {

class FlowStructurer;

/// Finds the loop a back branch closes, or the loop a forward jump enters at its test, and
/// makes its statement; the code of the test, the body and the update is read by the walk.
class FlowLoopStructurer {
 public:
  FlowLoopStructurer(FlowStructurer& walk, const FlowStream& code, FlowFrontEnd& values);

  /// The loop from `header` to its back branch `last`; returns the instruction after it.
  std::size_t loop(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out,
                   const FlowContext& context);
  /// The loop whose test sits at its end, entered by the jump at i to that test; kNoIndex
  /// when the jump does not enter such a loop.
  std::size_t enteredLoop(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                          const FlowContext& context);

 private:
  /// The body [header, last) of a loop that may begin with a loop back to the same header.
  void loopBody(std::size_t header, std::size_t last, ValueStack& stack, StatementList& out, const FlowContext& inner);
  /// do { body } while (test): the loop from `header` to its back branch inner.loopLast.
  std::size_t doWhile(std::size_t header, ValueStack& stack, StatementList& out, FlowContext& inner);
  /// The condition of branch `test` decoded from `from` on: none when that code is more
  /// than the branch's operands.
  ExpressionPtr loopTest(std::size_t from, std::size_t test, ValueStack& stack, const FlowContext& context);
  /// Emits the loop, as a for loop when it has an update part.
  void toForLoop(Statement& loop, StatementList& out, std::size_t update);

  FlowStructurer& m_walk;
  const FlowStream& m_code;
  FlowFrontEnd& m_values;
};

}  // namespace orvane
