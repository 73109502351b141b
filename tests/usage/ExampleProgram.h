// A small program with verbs, described as the help, manual and completion writers read it.
#pragma once

#include "usage/CommandLine.h"

namespace orvane::test {

inline ProgramHelp exampleProgram() {
  return ProgramHelp{
      .name = "tool",
      .version = "1.0",
      .summary = "copy things",
      .synopsis = "[--temp DIR] VERB ...",
      .description = "Copies things.\n\nQuickly.",
      .options = {{"--temp", "DIR", "the scratch folder", ValueKind::Directory}},
      .verbs = {{.name = "copy",
                 .synopsis = "IN OUT [--force] [--level fast|best]",
                 .summary = "Copy a file",
                 .description = "Copies IN to OUT.",
                 .operands = {{"IN", ValueKind::File}, {"OUT", ValueKind::File}},
                 .options = {{"--force", "", "overwrite OUT"},
                             {"--level", "LEVEL", "how hard to try", ValueKind::Choice, "fast|best"}},
                 .examples = {{"tool copy a b", "Copy a to b."}}},
                {.name = "into",
                 .synopsis = "DIR...",
                 .summary = "Copy into folders",
                 .description = "Copies into every DIR.",
                 .operands = {{"DIR...", ValueKind::Directory}}},
                {.name = "help",
                 .synopsis = "[VERB]",
                 .summary = "Explain a verb",
                 .description = "Explains.",
                 .operands = {{"VERB", ValueKind::Verb}}}},
      .exitStatus = "0 on success.",
      .environment = {{"TMPDIR", "where scratch goes"}},
      .seeAlso = {"cp(1)", "mv(1)"},
  };
}

}  // namespace orvane::test
