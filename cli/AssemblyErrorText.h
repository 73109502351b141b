// How the verbs that read assembly texts report a fault: the file, line and column first.
#pragma once

#include <string>

#include "actions/assembly/AssemblyLexer.h"

namespace orvane {

/// "FILE:LINE:COLUMN: message".
inline std::string assemblyErrorText(const std::string& file, const AssemblyError& error) {
  return file + ":" + std::to_string(error.line) + ":" + std::to_string(error.column) + ": " + error.message;
}

}  // namespace orvane
