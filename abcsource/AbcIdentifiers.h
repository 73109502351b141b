// Names from an ABC block as ActionScript 3 identifiers: the same name always gives the
// same identifier, so that declarations and references agree.
#pragma once

#include <string>
#include <string_view>

namespace orvane {

/// Whether `name` can stand as it is where the language expects an identifier: ASCII
/// letters, digits, `_` and `$`, not starting with a digit, and not a word the compiler
/// reserves (`class`, `if`, `include`, ...).
bool isIdentifier(std::string_view name);

/// `name` when it is an identifier; otherwise an identifier made from it: a reserved word
/// gets a `$` after it (`class$`), every other byte that cannot stand in an identifier is
/// written as `$` and two hexadecimal digits (`a-b` → `a$2Db`), a leading digit gets a
/// `$` before it and an empty name is `$`.
std::string sourceIdentifier(std::string_view name);

}  // namespace orvane
