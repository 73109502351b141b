// The forms in which extracted action texts are written: the four specified ones, the
// decompiled source and the assembly text.
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
  Source = 4,    // the decompiled script, in files ending in ".as"
  Assembly = 5,  // the assembly text that replace-actions reads back
};

/// The report's label of a known mode: "Byte Code\n", "Instruction Code\n",
/// "ActionScript Version 4\n", "ActionScript Version 5\n", "ActionScript Source\n" or
/// "Action Assembly\n".
const char* extractionModeLabel(ExtractionMode mode);

/// The command-line name of a mode: "bytecode", "function", "as4", "as5", "source" or "asm"; none
/// for any other text.
std::optional<ExtractionMode> extractionModeFromName(const std::string& name);

/// The extension of the files of action texts: ".as" for the source, else ".txt".
const char* actionTextExtension(ExtractionMode mode);

}  // namespace orvane
