// Printing decompiled source: expressions with the script language's precedence and
// statements four blanks per level, braces at the end of the opening line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "decompiler/SourceNumber.h"
#include "decompiler/SourceStatement.h"

namespace orvane {

/// The operators a printed script is read with.
enum class SourceDialect : std::uint8_t {
  /// ActionScript as movies of version 5 and later read it: +, == and < are the operators
  /// of ActionAdd2, ActionEquals2 and ActionLess2. The numeric operations of Flash 4 print
  /// in forms that mean them here (and in every version): Number(a) + Number(b) ...
  ActionScript,
  /// The script of a movie of version 4 or earlier, where +, == and < are the numeric
  /// operations of Flash 4.
  Flash4,
};

/// The dialect of a movie's scripts; a movie of unknown version (0) reads as ActionScript.
SourceDialect dialectOfMovie(int movieVersion);

/// How the file that a text is printed into writes the names whose form depends on the
/// file (its imports, the namespaces it declares).
class SourceNames {
 public:
  virtual ~SourceNames() = default;
  /// A definition of `package` (empty: the top level): `Sprite`, or qualified
  /// (`flash.display.Sprite`) where the file names two of that name.
  virtual std::string reference(std::string_view package, std::string_view name) const = 0;
  /// The identifier the file gives the namespace of `uri`.
  virtual std::string namespaceReference(const std::string& uri) const = 0;
};

/// What the printed form depends on besides the tree: the language's rules and the file.
struct SourceStyle {
  /// Whether `!` of a relational comparison prints as the opposite comparison, as the
  /// ActionScript 1 and 2 compiler writes a >= b as !(a < b). In ActionScript 3 the two
  /// differ where NaN takes part, so there !(a < b) stays as it is.
  bool invertsRelations = true;
  /// Whether a member or key name can stand as it is (`o.name`, `{name: v}`); else it is
  /// written as a string (`o["name"]`).
  bool (*isIdentifier)(std::string_view) = isIdentifierName;
  /// The naming of qualified and namespaced names; none: their names as they stand.
  const SourceNames* names = nullptr;
  /// The operators of the movie's version that the Flash 4 operations print with.
  SourceDialect dialect = SourceDialect::ActionScript;
};

/// The expression with parentheses only where precedence or associativity needs them;
/// `indent` is the level of the line it stands in (function expressions break lines).
/// Flash 4 operations print in the forms that mean them in every version.
std::string expressionText(const Expression& expression, int indent);
std::string expressionText(const Expression& expression, int indent, const SourceStyle& style);

/// The statements, each line indented four blanks per level from `indent`, one empty line
/// around each top-level function and class. Labels are printed only where a goto names
/// them.
std::string statementsText(const StatementList& statements, int indent);
std::string statementsText(const StatementList& statements, int indent, const SourceStyle& style);

}  // namespace orvane
