// The statement trees of decompiled source: what the structurer builds and the writer prints.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decompiler/SourceExpression.h"

namespace orvane {

struct Statement;
using StatementList = std::vector<Statement>;

enum class StatementKind {
  Expression,     // value;
  Var,            // var name; / var name = value;
  If,             // value: test; body; alternative (else)
  While,          // value: test; body
  DoWhile,        // body; value: test
  For,            // head[0]: init (optional), value: test, head[1..]: update; body
  ForIn,          // name: the variable (declared when `declares`), value: the object; body
  ForEach,        // the same, over the values: for each (var v in o)
  Switch,         // value: the discriminant; cases
  Break,
  Continue,
  Return,         // value (optional)
  Throw,          // value
  With,           // value: the object; body
  TellTarget,     // value: the target; body
  IfFrameLoaded,  // value: the frame; body
  Try,            // body; name: the catch variable, type: its type; alternative: catch;
                  // cases: further catches (label: the variable as a TypedName); finally
  Function,       // function: a named function
  Class,          // klass
  Comment,        // name: the text after "// "
  Label,          // target: the record index; printed only when a goto names it
  Goto,           // target: the record index it jumps to
};

struct SourceFunction {
  std::string name;
  std::vector<std::string> parameters;
  /// Where the language declares them: the parameters' types (none for an untyped one) and
  /// the return type.
  std::vector<ExpressionPtr> parameterTypes;
  ExpressionPtr returnType;
  StatementList body;
};

struct SwitchCase {
  ExpressionPtr label;  // none: default
  StatementList body;   // empty for a label that falls through to the next
};

struct ClassMember {
  enum class Kind { Method, Getter, Setter, Variable };
  Kind kind = Kind::Method;
  bool isStatic = false;
  std::string name;
  std::shared_ptr<const SourceFunction> function;  // methods and accessors
  ExpressionPtr value;                                 // variables with an initial value
};

struct ClassDefinition {
  std::string name;
  bool isInterface = false;
  std::string superclass;
  std::vector<std::string> interfaces;  // those it implements, or for an interface those it extends
  std::shared_ptr<const SourceFunction> constructor;  // none when it takes nothing and does nothing
  std::vector<ClassMember> members;
};

struct Statement {
  StatementKind kind = StatementKind::Expression;
  ExpressionPtr value;
  std::string name;
  ExpressionPtr type;  // Var, ForIn, ForEach, Try: the declared type, where the language has one
  StatementList body;
  StatementList alternative;
  StatementList finally;
  StatementList head;
  std::vector<SwitchCase> cases;
  std::shared_ptr<const SourceFunction> function;
  std::shared_ptr<const ClassDefinition> klass;
  std::size_t target = 0;  // the byte offset of a label or of the target of a goto
  std::size_t start = 0;   // the index of the record the statement begins at
  bool declares = false;
  bool hasCatch = false;
  bool hasFinally = false;
};

/// About how many characters the statements take when printed (more, never much less).
std::uint64_t printedLength(const StatementList& statements);

Statement makeStatement(StatementKind kind, ExpressionPtr value = nullptr);
/// value; as a statement.
Statement expressionStatement(ExpressionPtr value);
/// A comment line with `text` after the "// ".
Statement makeComment(std::string text);
/// Appends the statement as beginning at record `at`.
void emit(StatementList& out, Statement statement, std::size_t at);
/// Whether the list holds more than labels.
bool hasStatements(const StatementList& list);
/// The last statement that is not a label, or none.
Statement* lastStatement(StatementList& list);

}  // namespace orvane
