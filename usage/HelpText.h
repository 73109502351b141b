// The help a program prints on a terminal, written from its command-line description.
#pragma once

#include <string>

#include "usage/CommandLine.h"

namespace orvane {

/// The program's usage line, its verbs with their summaries and its own options.
std::string programHelp(const ProgramHelp& program);

/// One verb's usage line, summary, description, options, examples and exit status.
std::string verbHelp(const ProgramHelp& program, const CommandHelp& verb);

/// "orvane-cli 1.2.3": what --version prints, without the line feed.
std::string versionLine(const ProgramHelp& program);

/// `text` broken into lines of at most `width` columns (longer words stand alone), each
/// after `indent` blanks; paragraphs separated by an empty line stay separated.
std::string wrapText(std::string_view text, std::size_t indent, std::size_t width = 80);

}  // namespace orvane
