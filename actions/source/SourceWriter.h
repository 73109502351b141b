// Printing decompiled source: expressions with the script language's precedence and
// statements four blanks per level, braces at the end of the opening line.
#pragma once

#include <string>
#include <string_view>

#include "actions/source/SourceStatement.h"

namespace orvane {

/// The binding strength of a binary operator (higher binds tighter), as the script
/// language ranks them: || 3, && 4, | 5, ^ 6, & 7, equality 8, relational 9, shifts 10,
/// additive 11, multiplicative 12.
int binaryPrecedence(std::string_view op);

/// The expression with parentheses only where precedence or associativity needs them;
/// `indent` is the level of the line it stands in (function expressions break lines).
std::string expressionText(const Expression& expression, int indent);

/// The statements, each line indented four blanks per level from `indent`, one empty line
/// around each top-level function and class. Labels are printed only where a goto names
/// them.
std::string statementsText(const StatementList& statements, int indent);

}  // namespace orvane
