// The expression trees of decompiled source: one immutable node per value the byte code
// computes, shared where the code duplicates a value.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decompiler/SourceOperation.h"

namespace orvane {

struct SourceFunction;
struct Expression;
using ExpressionPtr = std::shared_ptr<const Expression>;

enum class ExpressionKind {
  Literal,       // text: the number, quoted string, true, false, null or undefined as printed
  Identifier,    // text: a name or a dotted path of names
  Register,      // text: the register's name; number: the register
  Member,        // operands: object, name; printed a.b or a["x"] / a[e]
  Call,          // operands: callee, arguments...
  New,           // operands: constructor, arguments...
  ArrayLiteral,  // operands: elements
  VectorLiteral, // operands: the element type, then the elements; printed new <T>[a, b]
  ObjectLiteral, // operands: values; names: the member names
  Unary,         // operation: a prefix operation; operands: the operand
  Postfix,       // operation: PostIncrement or PostDecrement; operands: target
  Binary,        // operation: an infix operation; operands: left, right
  Conditional,   // operation: Conditional; operands: test, then, else
  Assign,        // operation: Assign or a compound assignment; operands: target, value
  Function,      // function: the definition
  Enumeration,   // operands: the enumerated object; the marker of a for-in loop
  QualifiedName, // text: a name (an identifier); names: its package. As the printed file refers to it
  NamespacedName,  // text: a name (an identifier); names: its namespace's URI, or operands: the namespace
                   // value the code computes. Printed N::name
  TypeApplication, // operands: the generic type, its parameters. Printed Vector.<T>
  TypedName,     // text: a name; operands: its type, if any. Printed name:T (a catch clause's variable)
  Attribute,     // operands: the name (a string, a namespaced name or a value); a member name: o.@a
  Descendants,   // operands: object, name (a string or an attribute); printed o..b
  Filter,        // operands: object, condition; printed o.(condition)
  Empty,         // a value the stack did not hold
  Raw,           // text: an already printed subtree too deep to keep as a tree
};

struct Expression {
  ExpressionKind kind = ExpressionKind::Literal;
  /// What an operator node computes (and a call node that is a conversion); None for the
  /// rest. Printing, precedence and every pass read it, never the printed text.
  Operation operation = Operation::None;
  std::string text;
  std::vector<ExpressionPtr> operands;
  std::vector<std::string> names;
  std::shared_ptr<const SourceFunction> function;
  double number = 0;   // the value of a number literal
  bool isNumber = false;
  int registerNumber = -1;
  int rawPrecedence = 0;
  std::uint32_t depth = 1;
  /// About how many characters the printed form takes (more than it, never much less).
  std::uint64_t length = 0;
  bool hasFunction = false;  // a function expression is among the nodes below
  /// Evaluating it may change something: a call, new, assignment, step or delete is among
  /// the nodes. A tree cut as too long counts as none: its marker is no code.
  bool hasEffects = false;
};

/// The longest printed form an expression may take; longer ones are printed as
/// kTooLongText instead (a block can describe a tree whose text grows exponentially).
inline constexpr std::uint64_t kMaxExpressionLength = std::uint64_t{1} << 20;
inline constexpr const char* kTooLongText = "$tooLong";


/// Literals.
ExpressionPtr makeNumber(double value);
ExpressionPtr makeFloat(float value);
ExpressionPtr makeLiteral(std::string text);  // true, false, null, undefined, a float text
ExpressionPtr makeString(const std::string& value);
ExpressionPtr makeIdentifier(std::string name);
ExpressionPtr makeRegister(int number, std::string name);
ExpressionPtr makeEmpty();
/// The string value of a string literal, or none.
const std::string* stringValue(const Expression& expression);
bool isLiteral(const Expression& expression, const char* text);

/// A member access; a literal string name that is an identifier prints a.b.
ExpressionPtr makeMember(ExpressionPtr object, ExpressionPtr name);
ExpressionPtr makeCall(ExpressionPtr callee, std::vector<ExpressionPtr> arguments);
/// A call of a global function by name, such as getTimer().
ExpressionPtr makeGlobalCall(const char* name, std::vector<ExpressionPtr> arguments);
/// Type(object): the cast, printed as a call, that changes nothing by itself.
ExpressionPtr makeCast(ExpressionPtr type, ExpressionPtr object);
ExpressionPtr makeNew(ExpressionPtr constructor, std::vector<ExpressionPtr> arguments);
ExpressionPtr makeArray(std::vector<ExpressionPtr> elements);
ExpressionPtr makeVectorLiteral(ExpressionPtr type, std::vector<ExpressionPtr> elements);
ExpressionPtr makeObject(std::vector<std::string> names, std::vector<ExpressionPtr> values);
/// A conversion written as a call of its global function (ToNumber: Number(x)).
ExpressionPtr makeConversion(Operation conversion, ExpressionPtr operand);
ExpressionPtr makeUnary(Operation op, ExpressionPtr operand);
/// Not of a value; the Not of a Not is the value itself.
ExpressionPtr makeNot(ExpressionPtr operand);
ExpressionPtr makePostfix(Operation op, ExpressionPtr target);
ExpressionPtr makeBinary(Operation op, ExpressionPtr left, ExpressionPtr right);
/// The value of an increment or decrement record (Increment or Decrement); an assignment
/// of it to the same place prints as ++ or --.
ExpressionPtr makeStep(Operation step, ExpressionPtr operand);
bool isStep(const Expression& expression);
/// The ++ or -- (prefix or postfix) that a step of `step`'s kind writes as.
Operation stepUpdate(const Expression& step, bool postfix);
ExpressionPtr makeConditional(ExpressionPtr test, ExpressionPtr then, ExpressionPtr otherwise);
ExpressionPtr makeAssign(Operation op, ExpressionPtr target, ExpressionPtr value);
/// The assignment of `value` to `target` as an author writes it: x++ for a step of the
/// target (++x when the assignment is a value, not a `statement`), x op= y for target op y,
/// else x = y.
ExpressionPtr assignmentValue(const ExpressionPtr& target, const ExpressionPtr& value, bool statement);
ExpressionPtr makeFunction(std::shared_ptr<const SourceFunction> function);
ExpressionPtr makeEnumeration(ExpressionPtr object);
/// A definition of a package (`package` empty for the top level), printed as the file it
/// is printed into refers to it: `Sprite` or `flash.display.Sprite`.
ExpressionPtr makeQualifiedName(std::string package, std::string name);
/// A name in the namespace of `uri`, printed with the identifier the file gives it: `N::x`.
ExpressionPtr makeNamespacedName(std::string uri, std::string name);
/// A name in the namespace that `ns` holds when the code runs: ns::name.
ExpressionPtr makeNamespacedName(ExpressionPtr ns, std::string name);
/// A generic type with its parameters: Vector.<int>.
ExpressionPtr makeTypeApplication(ExpressionPtr type, std::vector<ExpressionPtr> parameters);
ExpressionPtr makeTypedName(std::string name, ExpressionPtr type);
/// The attribute `name` as a member name: o.@a, o.@[k], o.@N::a.
ExpressionPtr makeAttribute(ExpressionPtr name);
/// o..name: the descendants of an XML value; `name` a string or an attribute.
ExpressionPtr makeDescendants(ExpressionPtr object, ExpressionPtr name);
/// o.(condition): the children of an XML list for which the condition holds.
ExpressionPtr makeFilter(ExpressionPtr object, ExpressionPtr condition);
/// The name that a variable read or write of `name` is printed with: the name itself when
/// it is an identifier or a dotted path of identifiers, else none.
bool isNamePath(const std::string& name);
/// A name path that an assignment can write: not this or super alone.
bool isAssignablePath(const std::string& name);

/// The same place: the same name (also as eval of the same literal), register or member of
/// the same place.
bool sameTarget(const Expression& a, const Expression& b);
/// The binding strength of the node's printed form (higher binds tighter).
int precedence(const Expression& expression);

}  // namespace orvane
