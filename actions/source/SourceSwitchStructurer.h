// The switch statements of decompiled source, or the if / else if chains that stand for
// switches whose cases leave an enclosing loop.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "actions/source/SourceInstructions.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

class ExpressionBuilder;
class FlowStructurer;

/// Reads the compiler's chain of compares of one register (the switch value stored by the
/// first compare) and makes the switch statement of the case bodies that follow it.
class SwitchStructurer {
 public:
  SwitchStructurer(FlowStructurer& walk, const InstructionStream& code, ExpressionBuilder& values);

  /// The switch whose first compare, `test`, the branch at i tests; returns the record
  /// after the switch, or kNoIndex with the stack as it was when the compares are no switch.
  std::size_t switchChain(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out,
                          const FlowContext& context, const ExpressionPtr& test);

 private:
  /// Where the case bodies from `bodies` on end; `last` is where the last case begins and
  /// `fallback` where the compares go when no case matches.
  std::size_t switchEnd(std::size_t bodies, std::size_t last, std::size_t fallback, std::size_t end,
                        const FlowContext& context) const;
  /// Whether some jump in the range leaves the enclosing loop or switch.
  bool leavesEnclosing(std::size_t from, std::size_t to, const FlowContext& context) const;
  /// The switch as an if / else if chain over the register that holds its value, or
  /// kNoIndex when its cases fall through.
  std::size_t switchAsIfChain(std::size_t i, const ExpressionPtr& store, Operation compare,
                              const std::map<std::size_t, std::vector<ExpressionPtr>>& labels, std::size_t bodies,
                              std::size_t close, ValueStack& stack, StatementList& out, const FlowContext& context);

  FlowStructurer& m_walk;
  const InstructionStream& m_code;
  ExpressionBuilder& m_values;
};

}  // namespace orvane
