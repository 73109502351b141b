// Printing decompiled source: expressions with the script language's precedence and
// statements four blanks per level, braces at the end of the opening line.
#pragma once

#include <cstdint>
#include <string>

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

/// The expression with parentheses only where precedence or associativity needs them;
/// `indent` is the level of the line it stands in (function expressions break lines).
/// Flash 4 operations print in the forms that mean them in every version.
std::string expressionText(const Expression& expression, int indent);

/// The statements, each line indented four blanks per level from `indent`, one empty line
/// around each top-level function and class. Labels are printed only where a goto names
/// them.
std::string statementsText(const StatementList& statements, int indent,
                           SourceDialect dialect = SourceDialect::ActionScript);

}  // namespace orvane
