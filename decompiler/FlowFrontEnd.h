// What the structurer asks of the front-end of a byte code: the expressions and plain
// statements of single instructions, branch conditions, and the statements that only
// that byte code has.
#pragma once

#include <cstddef>

#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

class FlowStructurer;

class FlowFrontEnd {
 public:
  virtual ~FlowFrontEnd() = default;

  /// Runs plain instruction i (and those it takes in) over the stack; returns the
  /// instruction to read next.
  virtual std::size_t readInstruction(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out) = 0;
  /// Takes branch i's operands off the stack: the condition under which it goes to its
  /// target (true for a jump).
  virtual ExpressionPtr branchCondition(std::size_t i, ValueStack& stack) = 0;
  /// How many values branch i takes off the stack.
  virtual std::size_t branchOperands(std::size_t i) const = 0;
  /// Whether instruction i only drops the value on top (between the parts of a && b).
  virtual bool isDiscard(std::size_t i) const = 0;
  /// Whether instruction i can be part of an expression: no statement of its own.
  virtual bool isExpressionCode(std::size_t i) const = 0;
  /// The statement of a value that no instruction used (none for a literal).
  virtual void emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at) = 0;
  /// A statement that the front-end makes from instruction i itself (switch, try, with):
  /// the instruction to read next, or kNoIndex when i begins none.
  virtual std::size_t structure(FlowStructurer& walk, std::size_t i, std::size_t end, ValueStack& stack,
                                StatementList& out, const FlowContext& context) = 0;
  /// A while loop just made, which the byte code's own loop forms may read otherwise
  /// (for-in over an enumeration).
  virtual void refineLoop(Statement& loop) = 0;
  /// A statement that the conditional branch i, testing `test`, begins (a switch read
  /// from a chain of compares): the instruction to read next, or kNoIndex with the stack
  /// as it was.
  virtual std::size_t branchStatement(FlowStructurer& /*walk*/, std::size_t /*i*/, std::size_t /*end*/,
                                      ValueStack& /*stack*/, StatementList& /*out*/, const FlowContext& /*context*/,
                                      const ExpressionPtr& /*test*/) {
    return kNoIndex;
  }
  /// How many instructions the compiler's clean-up loop at i has, which belongs to the
  /// loop before it (0 when none begins there).
  virtual std::size_t cleanupLoop(std::size_t /*i*/) const { return 0; }
  /// Whether the value on top is a loop test that the loop's header made of a value from
  /// before the loop (a for-in loop's enumeration), so that it took no operand of its own.
  virtual bool isEntryTest(const ValueStack& /*stack*/) const { return false; }

  /// Takes the values above `base` off the stack as statements.
  void flush(ValueStack& stack, std::size_t base, StatementList& out, std::size_t at) {
    for (std::size_t k = base; k < stack.values.size(); ++k) emitValue(stack.values[k], out, at);
    if (stack.values.size() > base) stack.values.resize(base);
  }
};

}  // namespace orvane
