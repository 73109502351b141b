#include "abcsource/AbcSourceNames.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "abcsource/AbcIdentifiers.h"
#include "tests/support/AbcBlockAssembler.h"

namespace orvane {
namespace {

using test::AbcBlockAssembler;

TEST(AbcIdentifiers, NamesThatCannotStandBecomeIdentifiersOfTheirOwn) {
  EXPECT_TRUE(isIdentifier("_$ok9"));
  EXPECT_TRUE(isIdentifier("each"));  // a word of the language that may name things
  EXPECT_FALSE(isIdentifier("9lives"));
  EXPECT_FALSE(isIdentifier("include"));
  EXPECT_EQ(sourceIdentifier("_$ok9"), "_$ok9");
  EXPECT_EQ(sourceIdentifier("class"), "class$");
  EXPECT_EQ(sourceIdentifier("use"), "use$");
  EXPECT_EQ(sourceIdentifier("a-b"), "a$2Db");
  EXPECT_EQ(sourceIdentifier("1x"), "$1x");
  EXPECT_EQ(sourceIdentifier(""), "$");
  EXPECT_EQ(sourceIdentifier("\xC3\xA9t\xC3\xA9"), "$C3$A9t$C3$A9");
  EXPECT_EQ(sourceIdentifier(std::string("a\0b", 3)), "a$00b");
  EXPECT_EQ(sourcePackage("com.1st.class"), "com.$1st.class$");
}

/// A block whose package `game` defines Timer and the namespace mx_internal of mx.core.
struct DefiningBlock {
  DefiningBlock() {
    const std::uint32_t ns = assembler.ns(0x08, "http://www.adobe.com/2006/flex/mx/internal");
    test::AbcTraitFields declaration = test::traitFields(assembler.qname("mx.core::mx_internal"), 6);
    declaration.type = assembler.qname("Namespace");
    declaration.value = {0x08, ns};
    const std::uint32_t init = assembler.method(test::methodFields());
    const std::uint32_t constructor = assembler.method(test::methodFields());
    const std::uint32_t timer = assembler.addClass(test::classFields(assembler.qname("game::Timer"), constructor, init));
    test::AbcTraitFields defines = test::traitFields(assembler.qname("game::Timer"), 4);
    defines.index = timer;
    const std::uint32_t script = assembler.method(test::methodFields());
    assembler.script(script, {declaration, defines});
    block = assembler.build();
  }
  AbcBlockAssembler assembler;
  test::Bytes block;
};

TEST(AbcSourceNames, ImportsSortedOnceAndNamesOfTwoPackagesQualified) {
  const DefiningBlock defining;
  const AbcFile file = parseAbc(defining.block);
  ASSERT_TRUE(file.errors.empty());
  AbcDefinitions definitions;
  definitions.add(file);
  EXPECT_TRUE(definitions.defines("game", "Timer"));
  EXPECT_FALSE(definitions.defines("", "Timer"));

  AbcSourceNames names(definitions, "game");
  names.noteType("starling.events", "Event");
  names.noteType("flash.events", "Event");
  names.noteType("flash.events", "Event");
  names.noteType("flash.display", "Sprite");
  names.noteType("flash.utils", "Timer");  // the file's own package has a Timer too
  names.noteType("__AS3__.vec", "Vector");
  names.noteType("", "Object");
  names.notePackage("flash.net");
  names.notePackage("game");
  names.noteNamespace("http://www.adobe.com/2006/flex/mx/internal", true);
  names.noteNamespace("http://adobe.com/AS3/2006/builtin", true);
  names.noteNamespace("urn:private", false);

  EXPECT_EQ(names.reference("flash.events", "Event"), "flash.events.Event");
  EXPECT_EQ(names.reference("starling.events", "Event"), "starling.events.Event");
  EXPECT_EQ(names.reference("flash.display", "Sprite"), "Sprite");
  EXPECT_EQ(names.reference("flash.utils", "Timer"), "flash.utils.Timer");
  EXPECT_EQ(names.reference("__AS3__.vec", "Vector"), "Vector");
  EXPECT_EQ(names.reference("", "Object"), "Object");
  EXPECT_EQ(names.reference("a.b", "class"), "class$");
  EXPECT_EQ(names.namespaceReference("http://www.adobe.com/2006/flex/mx/internal"), "mx_internal");
  EXPECT_EQ(names.namespaceReference("http://adobe.com/AS3/2006/builtin"), "AS3");
  EXPECT_EQ(names.namespaceReference("urn:private"), "namespace1");

  std::string text;
  names.appendImports(text, "    ", "game");
  EXPECT_EQ(text,
            "    import flash.display.Sprite;\n"
            "    import flash.events.Event;\n"
            "    import flash.net.*;\n"
            "    import flash.utils.Timer;\n"
            "    import mx.core.mx_internal;\n"
            "    import starling.events.Event;\n"
            "    use namespace mx_internal;\n");
  text.clear();
  names.appendImports(text, "", "");  // outside the package, its own package is imported too
  EXPECT_NE(text.find("import game.*;\n"), std::string::npos);
  text.clear();
  names.appendNamespaceDeclarations(text, "    ", true);
  EXPECT_EQ(text, "    private namespace namespace1 = \"urn:private\";\n");
}

TEST(AbcSourceNames, MultinamesNoteTheirPackagesTypesAndNamespaces) {
  AbcBlockAssembler assembler;
  const std::uint32_t vector = assembler.typeName(assembler.qname("__AS3__.vec::Vector"),
                                                  {assembler.qname("flash.geom::Point")});
  const std::uint32_t set = assembler.nsSet({assembler.ns(0x16, "flash.text"), assembler.ns(0x08, "urn:n"),
                                             assembler.ns(0x05, "Foo.as$1")});
  const std::uint32_t lookup = assembler.multiname("format", set);
  const std::uint32_t internal = assembler.qname(assembler.ns(0x17, "game"), "hidden");
  const test::Bytes block = assembler.build();
  const AbcFile file = parseAbc(block);
  AbcDefinitions definitions;
  AbcSourceNames names(definitions, "");
  for (const std::uint32_t multiname : {vector, lookup, internal, 999u}) names.noteMultiname(file, multiname);
  std::string text;
  names.appendImports(text, "", "");
  names.appendNamespaceDeclarations(text, "", false);
  EXPECT_EQ(text,
            "import flash.geom.Point;\n"
            "import flash.text.*;\n"
            "namespace namespace1 = \"urn:n\";\n"
            "use namespace namespace1;\n");
}

}  // namespace
}  // namespace orvane
