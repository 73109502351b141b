// Manual pages in the man(7) markup, written from a program's command-line description.
#pragma once

#include <string>
#include <string_view>

#include "usage/CommandLine.h"

namespace orvane {

/// The whole page of section 1: name, synopsis, description, options, one subsection per
/// verb, exit status, environment, files, examples and related pages.
std::string manualPage(const ProgramHelp& program);

/// Text set as it stands: backslashes and minus signs escaped, and a leading '.' or '\''
/// kept from being read as a request.
std::string roffText(std::string_view text);

/// A synopsis with options and literal words in bold and placeholders (words that begin
/// with a capital letter) in italics; brackets, bars, commas and "..." stay roman.
std::string roffSynopsis(std::string_view synopsis);

}  // namespace orvane
