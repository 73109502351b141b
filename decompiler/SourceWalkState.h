// What the decompiler's walk carries into nested statements: the value stack and its
// floor, the register names of the function being read, the targets of the enclosing
// statements.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "decompiler/FlowStream.h"
#include "decompiler/SourceExpression.h"

namespace orvane {

/// Structures nested deeper than this are laid out flat, with gotos.
inline constexpr int kMaxNesting = 40;
/// How many jumps in a row a jump is followed through to where it lands.
inline constexpr int kMaxJumpHops = 8;
/// How many records the code of one case label or one loop test may have.
inline constexpr std::size_t kLabelWindow = 256;

/// The value stack of the block being decoded. Branches are decoded above a floor: a pop
/// below it reads the enclosing code's values without taking them (the branch borrows
/// them), and once those run out yields an empty value, or what `rest` gives.
struct ValueStack {
  std::vector<ExpressionPtr> values;
  std::size_t floor = 0;
  std::size_t borrowed = 0;
  /// How many statements (branches, loops, blocks) enclose the code decoded over it now.
  int depth = 0;
  /// Set once the front-end keeps the values below these in a variable of the script
  /// (values that no statement can count): the expression that takes the next of them.
  std::function<ExpressionPtr()> rest;

  ExpressionPtr pop() {
    if (values.size() <= floor) {
      const std::size_t below = std::min(floor, values.size());
      if (borrowed >= below) return rest ? rest() : makeEmpty();
      return values[below - 1 - borrowed++];
    }
    ExpressionPtr value = std::move(values.back());
    values.pop_back();
    return value;
  }
  /// The value the next pop takes, left where it is.
  ExpressionPtr peek() const {
    if (values.size() > floor) return values.back();
    const std::size_t below = std::min(floor, values.size());
    return borrowed < below ? values[below - 1 - borrowed] : makeEmpty();
  }
  void push(ExpressionPtr value) { values.push_back(std::move(value)); }
  std::size_t size() const { return values.size(); }
  std::size_t available() const { return values.size() - std::min(floor, values.size()); }
  /// The values a pop can still reach, the enclosing code's included.
  std::size_t reachable() const { return values.size() - std::min(borrowed, values.size()); }
  const Expression* top() const { return values.size() > floor ? values.back().get() : nullptr; }
  /// Whether a pop now reads no value of the code walked so far.
  bool exhausted() const { return values.size() <= floor && borrowed >= std::min(floor, values.size()); }
};

/// Raises the floor to the current size for one branch and puts it back afterwards.
class FloorGuard {
 public:
  explicit FloorGuard(ValueStack& stack) : m_stack(stack), m_saved(stack.floor), m_borrowed(stack.borrowed) {
    stack.floor = stack.size();
    stack.borrowed = 0;
    ++stack.depth;
  }
  ~FloorGuard() {
    --m_stack.depth;
    m_stack.floor = m_saved;
    m_stack.borrowed = m_borrowed;
  }
  FloorGuard(const FloorGuard&) = delete;
  FloorGuard& operator=(const FloorGuard&) = delete;

 private:
  ValueStack& m_stack;
  std::size_t m_saved;
  std::size_t m_borrowed;
};

/// The names of one function's registers and which of them were declared.
struct RegisterScope {
  std::array<std::string, 256> names;
  std::bitset<256> declared;
  /// The variable that keeps the stack's values that no statement counts, once the code
  /// has one.
  std::string keptStack;
};

/// Where the jumps of the enclosing statements go, and how deep they nest.
struct FlowContext {
  std::size_t breakTarget = kNoIndex;
  std::size_t continueTarget = kNoIndex;
  std::size_t loopLast = kNoIndex;   // the back branch of the innermost loop
  std::size_t* update = nullptr;     // the update part of a for loop, found from its continues
  int depth = 0;

  FlowContext nested() const {
    FlowContext inner = *this;
    ++inner.depth;
    return inner;
  }
  /// Whether a jump to `target` reads as a continue of the enclosing loop.
  bool canContinueTo(std::size_t target) const {
    if (target == continueTarget) return true;
    return update != nullptr && target <= loopLast && (*update == kNoIndex || *update == target);
  }
  /// A break or continue target of the enclosing statements that lies past `end`, the end
  /// of the code they enclose (a break target at `end` is where a nested switch ends too).
  bool isEnclosingExit(std::size_t target, std::size_t end) const {
    return (target == breakTarget && target > end) || target == continueTarget ||
           (update != nullptr && *update == target);
  }
};

}  // namespace orvane
