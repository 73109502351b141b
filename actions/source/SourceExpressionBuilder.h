// The decompiler's stack machine: the expressions and plain statements of single records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "actions/source/SourceInstructions.h"
#include "decompiler/SourceStatement.h"
#include "decompiler/SourceWalkState.h"

namespace orvane {

/// Runs the records that neither branch nor open a block over the value stack: the values
/// they compute go onto it as expression trees, what they do (calls, assignments, var,
/// return, throw) becomes statements. Keeps the block's constant pool and the register
/// names of the function being read.
class ExpressionBuilder {
 public:
  explicit ExpressionBuilder(const InstructionStream& code);

  /// Runs record i; returns the record to read next (past a play that a gotoFrame took in).
  std::size_t readRecord(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out);
  /// The statement of a value that no record used: none for a literal or an empty value,
  /// var for the first assignment of a register.
  void emitValue(const ExpressionPtr& value, StatementList& out, std::size_t at);
  /// Takes the values above `base` off the stack as statements.
  void flush(ValueStack& stack, std::size_t base, StatementList& out, std::size_t at);
  /// The declaration of `name` (var x = value, or var x without a value).
  void defineLocal(const ExpressionPtr& name, const ExpressionPtr& value, std::size_t i, StatementList& out);
  /// The registers of a function's body (preloaded and parameters named) until leaveFunction.
  void enterFunction(RegisterScope&& scope);
  void leaveFunction();
  /// The name of register `number`, which counts as declared from here on (a catch variable).
  std::string declareRegister(std::uint8_t number);
  bool isDeclared(std::uint8_t number) { return scope().declared[number]; }
  /// The record at which the block does what no statement can say, or kNoIndex; and why.
  std::size_t untranslatedAt() const { return m_untranslatedAt; }
  const std::string& untranslatedReason() const { return m_untranslatedReason; }

 private:
  RegisterScope& scope() { return m_scopes.back(); }
  std::string registerName(int number);
  /// The store of `value` into `target` by record i: a statement, or the value of an
  /// x++ or a = b expression that the following records use.
  void store(const ExpressionPtr& target, const ExpressionPtr& value, std::size_t i, std::size_t end,
             ValueStack& stack, StatementList& out);
  /// PushDuplicate: both copies stand for one evaluation of the value, so a value that
  /// changes something is first kept in a variable of its own.
  void duplicate(std::size_t i, std::size_t end, ValueStack& stack, StatementList& out);
  /// Whether keeping the top value in a variable now keeps the order of evaluation: the
  /// values below are constants and the value is no && / || test.
  bool canHoldTop(std::size_t i, std::size_t end, const ValueStack& stack) const;
  /// The statement that keeps `value` in a variable; returns the value to use instead.
  ExpressionPtr hold(const ExpressionPtr& value, std::size_t i, StatementList& out);
  /// ActionEnumerate / ActionEnumerate2 whose names no for-in loop reads: from here on the
  /// stack's values live in an array of the script, which holds the names and the end
  /// marker above what was on the stack; pops beyond the values pushed later read it.
  void enumerateOntoStack(ExpressionPtr object, std::size_t i, ValueStack& stack, StatementList& out);
  /// The next value of the array `kept`: read where the record uses it when the record
  /// takes only it, else first kept in a variable, so that values are taken in order.
  ExpressionPtr takeKept(const std::string& kept);
  /// Marks the block as not translated from record i on, for `reason` (the first one counts).
  void untranslated(std::size_t i, std::string reason);
  /// Whether record i begins the compiler's for-in loop over the enumeration before it.
  bool beginsForIn(std::size_t i) const;
  void pushItems(std::size_t i, ValueStack& stack);
  void loadPool(std::size_t i);
  ExpressionPtr poolString(std::size_t index) const;
  bool followedByPlay(std::size_t i, std::size_t end) const;

  const InstructionStream& m_code;
  ExpressionPtr m_assignedValue;  // an assignment whose value record m_assignedAt pushes
  std::size_t m_assignedAt = kNoIndex;
  std::vector<std::string> m_pool;
  std::unordered_set<ExpressionPtr> m_duplicated;  // values a PushDuplicate copied
  std::size_t m_heldCount = 0;  // the number of the last _dupN_ variable, or a pool name's
  std::vector<RegisterScope> m_scopes;
  StatementList* m_out = nullptr;  // while a record is read: its statements
  std::size_t m_at = 0;            // and its index
  bool m_takesOne = false;         // the record takes one value and uses it at once
  std::size_t m_untranslatedAt = kNoIndex;
  std::string m_untranslatedReason;
};

}  // namespace orvane
