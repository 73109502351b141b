// The command line of the desktop program `orvane`.
#pragma once

#include <span>
#include <string>

#include "usage/CommandLine.h"

namespace orvane {

const ProgramHelp& desktopProgram();

/// What the desktop program does with its command line before any window exists.
enum class DesktopStart { OpenWindow, PrintVersion, PrintHelp };

/// `arguments` are the program's, the program name first. Only the first argument is
/// looked at: the desktop program opens the file it names.
DesktopStart desktopStart(std::span<const std::string> arguments);

}  // namespace orvane
