// The loops of decompiled source: while, do-while, for and for-in from the compiler's
// branch patterns.
#pragma once

#include <cstddef>

#include "actions/source/SourceInstructions.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

class ExpressionBuilder;
class Structurer;

/// Finds the loop a back branch closes, or the loop a forward jump enters at its test, and
/// makes its statement; the code of the test, the body and the update is read by the walk.
class LoopStructurer {
 public:
  LoopStructurer(Structurer& walk, const InstructionStream& code, ExpressionBuilder& values);

  /// The loop from `header` to its back branch `last`; returns the record after it.
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
  /// The compiler's loop at `k` that drops what a for-in loop left on the stack.
  bool isEnumerationCleanup(std::size_t k) const;
  /// The loop's test decoded from `from` up to `test`: none when that code is more than
  /// one value.
  ExpressionPtr loopTest(std::size_t from, std::size_t test, ValueStack& stack, const FlowContext& context);
  /// Emits the loop, as a for loop when it has an update part.
  void toForLoop(Statement& loop, StatementList& out, std::size_t update);

  Structurer& m_walk;
  const InstructionStream& m_code;
  ExpressionBuilder& m_values;
};

}  // namespace orvane
