#include "abcsource/AbcSourceLayout.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "abcsource/AbcSourceText.h"
#include "tests/support/AbcBlockAssembler.h"

namespace orvane {
namespace {

using test::AbcBlockAssembler;
using test::AbcTraitFields;

constexpr std::uint8_t kSlot = 0, kMethod = 1, kClass = 4;

/// Script 0: a.b::C, a.b::D, the private Helper, the function a.b::util and the private
/// variable top; script 1: no trait; script 2: the function x::run. Class e::F has no script.
test::Bytes scriptsBlock() {
  AbcBlockAssembler a;
  const std::uint32_t privateNs = a.ns(0x05, "C.as$1");
  const auto empty = [&a] { return a.method(test::methodFields()); };
  const auto defining = [&a](std::uint32_t name, std::uint8_t kind, std::uint32_t index) {
    AbcTraitFields trait = test::traitFields(name, kind);
    trait.index = index;
    return trait;
  };
  const std::uint32_t c = a.addClass(test::classFields(a.qname("a.b::C"), empty(), empty()));
  const std::uint32_t d = a.addClass(test::classFields(a.qname("a.b::D"), empty(), empty()));
  const std::uint32_t helper = a.addClass(test::classFields(a.qname(privateNs, "Helper"), empty(), empty()));
  a.addClass(test::classFields(a.qname("e::F"), empty(), empty()));
  const std::uint32_t util = a.method(test::methodFields({}, a.qname("void")));
  AbcTraitFields top = test::traitFields(a.qname(privateNs, "top"), kSlot);
  top.type = a.qname("int");
  top.value = {0x03, a.integer(7)};
  a.script(empty(), {defining(a.qname("a.b::C"), kClass, c), defining(a.qname("a.b::D"), kClass, d),
                     defining(a.qname(privateNs, "Helper"), kClass, helper),
                     defining(a.qname("a.b::util"), kMethod, util), top});
  a.script(empty(), {});
  a.script(empty(), {defining(a.qname("x::run"), kMethod, a.method(test::methodFields()))});
  return a.build();
}

TEST(AbcSourceLayout, OneFilePerPackageClassAndTheScriptsPartsWithTheirFirstClass) {
  const test::Bytes block = scriptsBlock();
  const AbcFile file = parseAbc(block);
  ASSERT_TRUE(file.errors.empty()) << file.errors.front().message;
  AbcNames names(file);
  const std::vector<AbcSourceFile> files = layoutSourceFiles(file, names, 10);
  ASSERT_EQ(files.size(), 5u);
  EXPECT_EQ(files[0].path, "a/b/C.as");
  EXPECT_EQ(files[0].packageClasses, std::vector<std::uint32_t>{0});
  EXPECT_EQ(files[0].script, 0);
  EXPECT_EQ(files[1].path, "a/b/D.as");
  EXPECT_EQ(files[1].packageClasses, std::vector<std::uint32_t>{1});
  EXPECT_EQ(files[1].script, -1);
  EXPECT_EQ(files[2].path, "Script 11.as");
  EXPECT_EQ(files[2].script, 1);
  EXPECT_EQ(files[3].path, "x/run.as");
  EXPECT_EQ(files[3].script, 2);
  EXPECT_EQ(files[4].path, "e/F.as");  // no script defines it: it still has its file
  EXPECT_EQ(files[4].script, -1);

  EXPECT_EQ(sourcePath("com.1st", "class"), "com/$1st/class$.as");
  EXPECT_EQ(sourcePath("", "Main"), "Main.as");

  AbcDefinitions definitions;
  definitions.add(file);
  AbcSourceText text(file, definitions);
  std::string out;
  text.appendFile(out, files[0]);
  EXPECT_EQ(out,
            "package a.b {\n"
            "    public class C {\n"
            "        public function C();\n"
            "    }\n"
            "    public function util():void;\n"
            "}\n"
            "\n"
            "import a.b.util;\n"
            "\n"
            "class Helper {\n"
            "    public function Helper();\n"
            "}\n"
            "var top:int = 7;\n");
  // The script's window shows its own parts: not its classes of a package.
  EXPECT_EQ(text.scriptText(1), "// script1 defines\n");
  EXPECT_EQ(text.scriptText(2).substr(0, 11), "package x {");
}

}  // namespace
}  // namespace orvane
