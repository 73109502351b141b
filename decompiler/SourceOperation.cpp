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
                            Operation compound = None) {
  return {operation, spelling, precedence, notation, associativity, inverse, compound};
}
constexpr OperationInfo prefix(Operation operation, std::string_view spelling) {
  return row(operation, spelling, 14, Notation::Prefix, R);
}
constexpr OperationInfo infix(Operation operation, std::string_view spelling, std::uint8_t precedence,
                              Operation compound = None) {
  return row(operation, spelling, precedence, Notation::Infix, L, None, compound);
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
    prefix(Negate, "-"),
    prefix(BitwiseNot, "~"),
    prefix(TypeOf, "typeof "),
    prefix(Delete, "delete "),
    prefix(PreIncrement, "++"),
    prefix(PreDecrement, "--"),
    row(PostIncrement, "++", 15, Notation::Postfix),
    row(PostDecrement, "--", 15, Notation::Postfix),
    infix(Multiply, "*", 12, MultiplyAssign),
    infix(Divide, "/", 12, DivideAssign),
    infix(Modulo, "%", 12, ModuloAssign),
    infix(Add, "+", 11, AddAssign),
    infix(Subtract, "-", 11, SubtractAssign),
    infix(ShiftLeft, "<<", 10, ShiftLeftAssign),
    infix(ShiftRight, ">>", 10, ShiftRightAssign),
    infix(UnsignedShiftRight, ">>>", 10, UnsignedShiftRightAssign),
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
    infix(BitwiseAnd, "&", 7, BitwiseAndAssign),
    infix(BitwiseXor, "^", 6, BitwiseXorAssign),
    infix(BitwiseOr, "|", 5, BitwiseOrAssign),
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
    row(ToNumber, "Number", kMemberPrecedence, Notation::Call),
    row(ToString, "String", kMemberPrecedence, Notation::Call),
    infix(NumericAdd, "+", 11, NumericAddAssign),
    assignment(NumericAddAssign, "+="),
    comparison(NumericEqual, "==", 8, NumericNotEqual),
    infix(NumericNotEqual, "!=", 8),
    comparison(NumericLess, "<", 9, NumericGreaterOrEqual),
    infix(NumericGreaterOrEqual, ">=", 9),
    infix(Increment, "+", 11),
    infix(Decrement, "-", 11),
    infix(StringAdd, "add", 11),
    infix(StringEqual, "eq", 8),
    infix(StringLess, "lt", 9),
    infix(StringGreater, "gt", 9),
    infix(And, "&&", 4),
    infix(Or, "||", 3),
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
