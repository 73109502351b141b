// The four forms in which extracted action texts are written.
#pragma once

#include <optional>
#include <string>

namespace orvane {

/// The numbers are those of the extraction settings and of the action-script file writer.
enum class ExtractionMode : int {
  ByteCode = 0,         // byte code, hexadecimal form
  InstructionCode = 1,  // the function-code listing
  ActionScript4 = 2,
  ActionScript5 = 3,
};

/// The report's label of a known mode: "Byte Code\n", "Instruction Code\n",
/// "ActionScript Version 4\n" or "ActionScript Version 5\n".
const char* extractionModeLabel(ExtractionMode mode);

/// The command-line name of a mode: "bytecode", "function", "as4" or "as5"; none for any other text.
std::optional<ExtractionMode> extractionModeFromName(const std::string& name);

}  // namespace orvane
