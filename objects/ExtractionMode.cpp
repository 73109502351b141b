#include "objects/ExtractionMode.h"

namespace orvane {

const char* extractionModeLabel(ExtractionMode mode) {
  switch (mode) {
    case ExtractionMode::ByteCode: return "Byte Code\n";
    case ExtractionMode::InstructionCode: return "Instruction Code\n";
    case ExtractionMode::ActionScript4: return "ActionScript Version 4\n";
    case ExtractionMode::ActionScript5: return "ActionScript Version 5\n";
    case ExtractionMode::Source: return "ActionScript Source\n";
    case ExtractionMode::Assembly: return "Action Assembly\n";
  }
  return "";
}

std::optional<ExtractionMode> extractionModeFromName(const std::string& name) {
  if (name == "bytecode") return ExtractionMode::ByteCode;
  if (name == "function") return ExtractionMode::InstructionCode;
  if (name == "as4") return ExtractionMode::ActionScript4;
  if (name == "as5") return ExtractionMode::ActionScript5;
  if (name == "source") return ExtractionMode::Source;
  if (name == "asm") return ExtractionMode::Assembly;
  return std::nullopt;
}

const char* actionTextExtension(ExtractionMode mode) { return mode == ExtractionMode::Source ? ".as" : ".txt"; }

}  // namespace orvane
