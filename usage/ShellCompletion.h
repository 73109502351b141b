// Completion scripts for bash, zsh and fish, written from a program's verb table: the
// verbs, each verb's options and their values, and files or folders where a verb takes
// them.
#pragma once

#include <string>

#include "usage/CommandLine.h"

namespace orvane {

/// A script for bash's programmable completion (`complete -F`).
std::string bashCompletion(const ProgramHelp& program);

/// A zsh completion function (`#compdef`), for a folder on $fpath.
std::string zshCompletion(const ProgramHelp& program);

/// fish `complete` commands, for a vendor_completions.d folder.
std::string fishCompletion(const ProgramHelp& program);

/// The program's name as a shell function name: "orvane-cli" gives "_orvane_cli".
std::string completionFunctionName(const ProgramHelp& program);

/// The verbs' names separated by blanks.
std::string verbNames(const ProgramHelp& program);

}  // namespace orvane
