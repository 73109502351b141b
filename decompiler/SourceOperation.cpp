#include "decompiler/SourceOperation.h"

#include <array>
#include <cstddef>

namespace orvane {

namespace {

using enum Operation;
constexpr Associativity L = Associativity::Left;
constexpr Associativity R = Associativity::Right;

constexpr OperationInfo row(Operation operation, std::string_view spelling, std::uint8_t precedence,
                            Notation notation, Associativity associativity = L, Operation inverse = None,
                            Operation compound = None, bool numeric = false) {
  return {operation, spelling, precedence, notation, associativity, inverse, compound, numeric};
}
constexpr OperationInfo prefix(Operation operation, std::string_view spelling, bool numeric = false) {
  return row(operation, spelling, 14, Notation::Prefix, R, None, None, numeric);
}
constexpr OperationInfo infix(Operation operation, std::string_view spelling, std::uint8_t precedence) {
  return row(operation, spelling, precedence, Notation::Infix);
}
/// An operation whose value is always a number.
constexpr OperationInfo arithmetic(Operation operation, std::string_view spelling, std::uint8_t precedence,
                                   Operation compound = None) {
  return row(operation, spelling, precedence, Notation::Infix, L, None, compound, true);
}
constexpr OperationInfo comparison(Operation operation, std::string_view spelling, std::uint8_t precedence,
                                   Operation inverse) {
  return row(operation, spelling, precedence, Notation::Infix, L, inverse);
}
constexpr OperationInfo assignment(Operation operation, std::string_view spelling) {
  return row(operation, spelling, 1, Notation::Infix, R);
}

constexpr std::array<OperationInfo, static_cast<std::size_t>(kCount)> kOperations = {{
    row(None, "", kPrimaryPrecedence, Notation::None),
    prefix(Not, "!"),
    prefix(Negate, "-", true),
    prefix(BitwiseNot, "~", true),
    prefix(TypeOf, "typeof "),
    prefix(Delete, "delete "),
    prefix(PreIncrement, "++", true),
    prefix(PreDecrement, "--", true),
    row(PostIncrement, "++", 15, Notation::Postfix, L, None, None, true),
    row(PostDecrement, "--", 15, Notation::Postfix, L, None, None, true),
    arithmetic(Multiply, "*", 12, MultiplyAssign),
    arithmetic(Divide, "/", 12, DivideAssign),
    arithmetic(Modulo, "%", 12, ModuloAssign),
    row(Add, "+", 11, Notation::Infix, L, None, AddAssign),
    arithmetic(Subtract, "-", 11, SubtractAssign),
    arithmetic(ShiftLeft, "<<", 10, ShiftLeftAssign),
    arithmetic(ShiftRight, ">>", 10, ShiftRightAssign),
    arithmetic(UnsignedShiftRight, ">>>", 10, UnsignedShiftRightAssign),
    comparison(Less, "<", 9, GreaterOrEqual),
    comparison(Greater, ">", 9, LessOrEqual),
    infix(LessOrEqual, "<=", 9),
    infix(GreaterOrEqual, ">=", 9),
    infix(InstanceOf, "instanceof", 9),
    infix(Is, "is", 9),
    infix(As, "as", 9),
    infix(In, "in", 9),
    comparison(Equal, "==", 8, NotEqual),
    infix(NotEqual, "!=", 8),
    comparison(StrictEqual, "===", 8, StrictNotEqual),
    infix(StrictNotEqual, "!==", 8),
    arithmetic(BitwiseAnd, "&", 7, BitwiseAndAssign),
    arithmetic(BitwiseXor, "^", 6, BitwiseXorAssign),
    arithmetic(BitwiseOr, "|", 5, BitwiseOrAssign),
    infix(LogicalAnd, "&&", 4),
    infix(LogicalOr, "||", 3),
    row(Conditional, "?", 2, Notation::Conditional, R),
    assignment(Assign, "="),
    assignment(MultiplyAssign, "*="),
    assignment(DivideAssign, "/="),
    assignment(ModuloAssign, "%="),
    assignment(AddAssign, "+="),
    assignment(SubtractAssign, "-="),
    assignment(ShiftLeftAssign, "<<="),
    assignment(ShiftRightAssign, ">>="),
    assignment(UnsignedShiftRightAssign, ">>>="),
    assignment(BitwiseAndAssign, "&="),
    assignment(BitwiseXorAssign, "^="),
    assignment(BitwiseOrAssign, "|="),
    infix(Comma, ",", 0),
    row(ToNumber, "Number", kMemberPrecedence, Notation::Call, L, None, None, true),
    row(ToString, "String", kMemberPrecedence, Notation::Call),
    arithmetic(NumericAdd, "+", 11, NumericAddAssign),
    assignment(NumericAddAssign, "+="),
    comparison(NumericEqual, "==", 8, NumericNotEqual),
    infix(NumericNotEqual, "!=", 8),
    comparison(NumericLess, "<", 9, NumericGreaterOrEqual),
    infix(NumericGreaterOrEqual, ">=", 9),
    arithmetic(Increment, "+", 11),
    arithmetic(Decrement, "-", 11),
    infix(StringAdd, "add", 11),
    infix(StringEqual, "eq", 8),
    infix(StringLess, "lt", 9),
    infix(StringGreater, "gt", 9),
    infix(And, "and", 4),
    infix(Or, "or", 3),
    infix(Extends, "extends", 11),
    infix(Implements, "implements", 11),
}};

constexpr bool inEnumOrder() {
  for (std::size_t i = 0; i < kOperations.size(); ++i)
    if (static_cast<std::size_t>(kOperations[i].operation) != i) return false;
  return true;
}
static_assert(inEnumOrder(), "one row per operation, in the order of the enum");

}  // namespace

const OperationInfo& operationInfo(Operation operation) {
  const auto index = static_cast<std::size_t>(operation);
  return kOperations[index < kOperations.size() ? index : 0];
}

}  // namespace orvane
