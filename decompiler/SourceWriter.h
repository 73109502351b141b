// Printing decompiled source: expressions with the script language's precedence and
// statements four blanks per level, braces at the end of the opening line.
#pragma once

#include <string>

#include "decompiler/SourceStatement.h"

namespace orvane {

/// The expression with parentheses only where precedence or associativity needs them;
/// `indent` is the level of the line it stands in (function expressions break lines).
std::string expressionText(const Expression& expression, int indent);

/// The statements, each line indented four blanks per level from `indent`, one empty line
/// around each top-level function and class. Labels are printed only where a goto names
/// them.
std::string statementsText(const StatementList& statements, int indent);

}  // namespace orvane
