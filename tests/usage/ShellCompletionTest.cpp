#include "usage/ShellCompletion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/ShellCommand.h"
#include "tests/support/TestFiles.h"
#include "tests/usage/ExampleProgram.h"

namespace orvane {
namespace {

using Words = std::vector<std::string>;

/// A folder with a movie and a sub-folder to complete, and another for the scripts.
class CompletionFolder {
 public:
  CompletionFolder() {
    test::writeFile(m_folder.file("a.swf"), {'F', 'W', 'S'});
    std::filesystem::create_directory(m_folder.file("out"));
  }
  std::string write(const std::string& name, const std::string& script) const {
    const std::string path = m_scripts.file(name);
    test::writeFile(path, std::vector<std::uint8_t>(script.begin(), script.end()));
    return path;
  }
  const std::string& path() const { return m_folder.path(); }

 private:
  test::ScratchFolder m_folder;
  test::ScratchFolder m_scripts;
};

TEST(ShellCompletion, BashCompletesVerbsOptionsValuesAndOperands) {
  if (!test::hasProgram("bash")) GTEST_SKIP() << "bash is not installed";
  const CompletionFolder folder;
  const std::string script = folder.write("tool.bash", bashCompletion(test::exampleProgram()));
  const auto complete = [&](const std::string& line) {
    return test::bashCompletions(script, "_tool", folder.path(), line);
  };
  EXPECT_EQ(complete("tool "), (Words{"copy", "help", "into"}));
  EXPECT_EQ(complete("tool co"), (Words{"copy"}));
  EXPECT_EQ(complete("tool --"), (Words{"--temp"}));
  EXPECT_EQ(complete("tool --temp "), (Words{"out"}));
  // The value of a global option is not taken for the verb.
  EXPECT_EQ(complete("tool --temp out i"), (Words{"into"}));
  EXPECT_EQ(complete("tool copy --"), (Words{"--force", "--help", "--level"}));
  EXPECT_EQ(complete("tool copy a.swf --level "), (Words{"best", "fast"}));
  EXPECT_EQ(complete("tool copy "), (Words{"a.swf", "out"}));
  // An option's value is not an operand: OUT is still to come, and nothing after it.
  EXPECT_EQ(complete("tool copy --level fast a.swf "), (Words{"a.swf", "out"}));
  EXPECT_EQ(complete("tool copy a.swf a.swf "), Words{});
  // Folders only, for every operand of a repeated DIR....
  EXPECT_EQ(complete("tool into "), (Words{"out"}));
  EXPECT_EQ(complete("tool into out "), (Words{"out"}));
  EXPECT_EQ(complete("tool help "), (Words{"copy", "help", "into"}));
  EXPECT_EQ(complete("tool frobnicate "), Words{});
}

TEST(ShellCompletion, ZshRegistersTheFunctionForTheProgram) {
  if (!test::hasProgram("zsh")) GTEST_SKIP() << "zsh is not installed: the zsh completion is not checked";
  const CompletionFolder folder;
  const std::string script = folder.write("_tool", zshCompletion(test::exampleProgram()));
  EXPECT_EQ(test::runCommand("zsh -n " + test::shellQuoted(script)).output, "");
  const test::CommandOutput registered = test::runCommand(
      "cd " + test::shellQuoted(std::filesystem::path(script).parent_path().string()) +
      " && zsh -fc 'fpath=($PWD $fpath); autoload -Uz compinit && compinit -u -d $PWD/dump && print -r -- "
      "$_comps[tool]'");
  EXPECT_EQ(registered.output, "_tool\n");
  const std::string text = zshCompletion(test::exampleProgram());
  for (const char* part : {"'copy:Copy a file'", "'--level[how hard to try]:LEVEL:(fast best)'", "'1:IN:_files'",
                           "'*:DIR...:_files -/'", "'1:VERB:(copy into help)'", "'--temp[the scratch folder]:DIR:_files -/'"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

TEST(ShellCompletion, FishCompletesVerbsOptionsAndValues) {
  if (!test::hasProgram("fish")) GTEST_SKIP() << "fish is not installed: the fish completion is not checked";
  const CompletionFolder folder;
  const std::string script = folder.write("tool.fish", fishCompletion(test::exampleProgram()));
  const auto complete = [&](const std::string& line) {
    const std::string command = "source " + test::shellQuoted(script) + "; complete -C " + test::shellQuoted(line);
    return test::runCommand("cd " + test::shellQuoted(folder.path()) + " && fish --no-config -c " +
                            test::shellQuoted(command))
        .output;
  };
  EXPECT_EQ(complete("tool c"), "copy\tCopy a file\n");
  EXPECT_EQ(complete("tool copy --l"), "--level\thow hard to try\n");
  EXPECT_EQ(complete("tool copy --level "), "best\thow hard to try\nfast\thow hard to try\n");
  EXPECT_EQ(complete("tool into "), "out/\tDirectory\n");
  EXPECT_EQ(complete("tool help i"), "into\n");
}

}  // namespace
}  // namespace orvane
