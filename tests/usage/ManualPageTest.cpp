#include "usage/ManualPage.h"

#include <gtest/gtest.h>

#include "tests/support/ShellCommand.h"
#include "tests/support/TestFiles.h"
#include "tests/usage/ExampleProgram.h"

namespace orvane {
namespace {

TEST(ManualPage, TextIsEscapedForRoff) {
  EXPECT_EQ(roffText("--all a\\b"), "\\-\\-all a\\eb");
  // A text line that begins with a dot or a quote would be a request.
  EXPECT_EQ(roffText(".TH x"), "\\&.TH x");
  EXPECT_EQ(roffText("'s"), "\\&'s");
  EXPECT_EQ(roffText("a.b 'c'"), "a.b 'c'");
}

TEST(ManualPage, SynopsisSetsLiteralsBoldAndPlaceholdersItalic) {
  EXPECT_EQ(roffSynopsis("MOVIE [--mode hex|char]"),
            "\\fIMOVIE\\fR [\\fB\\-\\-mode\\fR \\fBhex\\fR|\\fBchar\\fR]");
  EXPECT_EQ(roffSynopsis("DIR... --db ARCHIVE.sqlite"), "\\fIDIR\\fR... \\fB\\-\\-db\\fR \\fIARCHIVE.sqlite\\fR");
  EXPECT_EQ(roffSynopsis("[--only images,sounds]"), "[\\fB\\-\\-only\\fR \\fBimages\\fR,\\fBsounds\\fR]");
}

TEST(ManualPage, PageHasTheSectionsOfSectionOne) {
  const std::string page = manualPage(test::exampleProgram());
  EXPECT_EQ(page.rfind(".TH TOOL 1 \"\" \"Orvane 1.0\" \"User Commands\"\n", 0), 0u) << page;
  for (const char* part :
       {".SH NAME\ntool \\- copy things\n",
        ".SH SYNOPSIS\n\\fBtool\\fR [\\fB\\-\\-temp\\fR \\fIDIR\\fR] \\fIVERB\\fR ...\n.br\n\\fBtool copy\\fR \\fIIN\\fR",
        ".SH DESCRIPTION\n.PP\nCopies things.\n.PP\nQuickly.\n",
        ".SH OPTIONS\n.TP\n\\fB\\-\\-temp\\fR \\fIDIR\\fR\nthe scratch folder\n",
        ".SH VERBS\n.SS copy\n", ".TP\n\\fB\\-\\-level\\fR \\fILEVEL\\fR\nhow hard to try\n",
        ".nf\n\\fBtool copy a b\\fR\n.fi\n", ".SS into\n", ".SS help\n",
        ".SH \"EXIT STATUS\"\n.PP\n0 on success.\n", ".SH ENVIRONMENT\n.TP\n\\fBTMPDIR\\fR\nwhere scratch goes\n",
        ".SH \"SEE ALSO\"\n.BR cp (1),\n.BR mv (1)\n"})
    EXPECT_NE(page.find(part), std::string::npos) << part;
  // No FILES section without files, no EXAMPLES section without examples of the program.
  EXPECT_EQ(page.find(".SH FILES"), std::string::npos);
  EXPECT_EQ(page.find(".SH EXAMPLES"), std::string::npos);
}

TEST(ManualPage, ManRendersThePageWithoutWarnings) {
  if (!test::hasProgram("man")) GTEST_SKIP() << "man is not installed";
  test::ScratchFolder folder;
  const std::string path = folder.file("tool.1");
  const std::string page = manualPage(test::exampleProgram());
  test::writeFile(path, std::vector<std::uint8_t>(page.begin(), page.end()));
  const test::CommandOutput warnings =
      test::runCommand("MANWIDTH=80 man --warnings -E UTF-8 -l " + test::shellQuoted(path) + " 2>&1 >/dev/null");
  EXPECT_EQ(warnings.status, 0);
  EXPECT_EQ(warnings.output, "");
  const std::string rendered = test::runCommand("MANWIDTH=80 man -E UTF-8 -l " + test::shellQuoted(path)).output;
  EXPECT_NE(rendered.find("tool copy IN OUT [--force] [--level fast|best]"), std::string::npos) << rendered;
  EXPECT_NE(rendered.find("EXIT STATUS"), std::string::npos);
}

}  // namespace
}  // namespace orvane
