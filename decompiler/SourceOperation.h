// The operations that expression nodes of decompiled source stand for, and the one table
// that says how each is written, how tightly it binds and what later passes may do with it.
#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

/// What an operator node computes, named by its meaning. Two records that print alike
/// are two operations when they mean different things (ActionAdd and ActionAdd2). The
/// operations of a byte code whose meaning no other one shares carry its name (the Flash 4
/// operations of AVM1, which convert their operands first).
enum class Operation : std::uint8_t {
  None,  // no operator: a literal, a name, a member, a call, ... (the node's kind says which)
  // Prefix
  Not,
  Negate,
  BitwiseNot,
  TypeOf,
  Delete,
  PreIncrement,
  PreDecrement,
  // Postfix
  PostIncrement,
  PostDecrement,
  // Infix, tightest first
  Multiply,
  Divide,
  Modulo,
  Add,  // the language's +: concatenation when either operand is a string, else a sum
  Subtract,
  ShiftLeft,
  ShiftRight,
  UnsignedShiftRight,
  Less,
  Greater,
  LessOrEqual,
  GreaterOrEqual,
  InstanceOf,
  Is,  // ActionScript 3: a is T, a as T, k in o
  As,
  In,
  Equal,
  NotEqual,
  StrictEqual,
  StrictNotEqual,
  BitwiseAnd,
  BitwiseXor,
  BitwiseOr,
  LogicalAnd,  // a && b: b only when a is true, the value of the operand that decided
  LogicalOr,
  Conditional,
  Assign,
  MultiplyAssign,
  DivideAssign,
  ModuloAssign,
  AddAssign,
  SubtractAssign,
  ShiftLeftAssign,
  ShiftRightAssign,
  UnsignedShiftRightAssign,
  BitwiseAndAssign,
  BitwiseXorAssign,
  BitwiseOrAssign,
  Comma,
  // Conversions, written as calls
  ToNumber,
  ToString,
  // AVM1: the numeric operations of Flash 4 (ActionAdd, ActionEquals, ActionLess), which
  // convert both operands to numbers, and the forms their negations and updates print as
  NumericAdd,
  NumericAddAssign,
  NumericEqual,
  NumericNotEqual,
  NumericLess,
  NumericGreaterOrEqual,
  // AVM1: ActionIncrement / ActionDecrement, the operand as a number plus or minus one
  Increment,
  Decrement,
  // AVM1: the string operations (ActionStringAdd, ActionStringEquals, ActionStringLess,
  // ActionStringGreater), which convert both operands to strings
  StringAdd,
  StringEqual,
  StringLess,
  StringGreater,
  // AVM1: ActionAnd / ActionOr (`and`, `or`), which evaluate both operands and yield a
  // boolean
  And,
  Or,
  // AVM1: ActionExtends and ActionImplementsOp, printed as statements of two operands
  Extends,
  Implements,
  kCount
};

/// Where an operation's spelling stands against its operands.
enum class Notation : std::uint8_t {
  None,         // not an operator
  Prefix,       // spelling, operand
  Postfix,      // operand, spelling
  Infix,        // left, spelling, right (blanks around the spelling)
  Call,         // spelling(operand): a conversion written as a global function
  Conditional,  // test ? then : else
};

enum class Associativity : std::uint8_t { Left, Right };

/// One row of the table.
struct OperationInfo {
  Operation operation;  // the row's own operation: the table is checked against the enum
  std::string_view spelling;
  std::uint8_t precedence;  // higher binds tighter: 18 a primary, 17 member and call ... 0 comma
  Notation notation;
  Associativity associativity;
  /// The operation that `!` of this one is printed as, or None: the ActionScript 1 and 2
  /// compiler writes a >= b as !(a < b) and a != b as !(a == b), so those read back so.
  Operation inverse;
  /// The compound assignment that writes `x = x op y` as `x op= y`, or None.
  Operation compound;
  /// Whether the value is always a number, whatever the operands.
  bool numeric;
};

/// The row of `operation`.
const OperationInfo& operationInfo(Operation operation);

/// The precedence of a member access, a call or `new`, and of a primary expression.
inline constexpr std::uint8_t kMemberPrecedence = 17;
inline constexpr std::uint8_t kPrimaryPrecedence = 18;

}  // namespace orvane
