#include "abc/AbcOutline.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcWriter;

TEST(AbcOutline, ClassWithEveryTraitKind) {
  const test::Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  ASSERT_TRUE(file.errors.empty()) << file.errors.front().message;
  AbcOutline outline(file);
  EXPECT_EQ(outline.className(0), "com.example::Foo");
  EXPECT_EQ(outline.classText(0),
            "package com.example {\n"
            "    public class Foo extends flash.display::Sprite\n"
            "    // sealed, protected namespace Foo\n"
            "    {\n"
            "        public static var count:int;\n"
            "        // class initialiser\n"
            "        static function Foo$cinit()\n"
            "        {\n"
            "            // body 1 of method 1: max stack 1, locals 1, scope depth 4 to 5, code length 1\n"
            "                0  returnvoid\n"
            "        }\n"
            "        // constructor\n"
            "        public function Foo()\n"
            "        {\n"
            "            // body 0 of method 0: max stack 1, locals 1, scope depth 4 to 5, code length 6\n"
            "                0  getlocal_0\n"
            "                1  pushscope\n"
            "                2  getlocal_0\n"
            "                3  constructsuper 0\n"
            "                5  returnvoid\n"
            "        }\n"
            "        public var x:int = 5;\n"
            "        public const K:String = \"a\";\n"
            "        override public function run(n:Number = 1.5, ...rest):void\n"
            "        {\n"
            "            // body 2 of method 2: max stack 2, locals 1, scope depth 4 to 5, code length 11\n"
            "                0  getlocal_1\n"
            "                1  pushdouble 1.5\n"
            "                3  ifnlt L10\n"
            "                7  pushstring \"a\"\n"
            "                9  pop\n"
            "            L10:\n"
            "               10  returnvoid\n"
            "        }\n"
            "        [Bindable(event=\"change\")]\n"
            "        public function get name():String\n"
            "        {\n"
            "            // body 3 of method 3: max stack 1, locals 1, scope depth 4 to 5, code length 4\n"
            "                0  getlocal_0\n"
            "                1  getproperty name\n"
            "                3  returnvalue\n"
            "        }\n"
            "        public function set name(param1:String):void\n"
            "        {\n"
            "            // body 4 of method 4: max stack 1, locals 1, scope depth 4 to 5, code length 1\n"
            "                0  returnvoid\n"
            "        }\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(outline.classText(1), "");
}

TEST(AbcOutline, ScriptWithClassAndFunctionTraits) {
  const test::Bytes block = test::exampleAbc();
  const AbcFile file = parseAbc(block);
  AbcOutline outline(file);
  EXPECT_EQ(outline.scriptText(0),
            "script0 {\n"
            "    public class Foo  // class 0, com.example::Foo\n"
            "    public function a():void;\n"
            "    // script initialiser\n"
            "    function script0$init():*\n"
            "    {\n"
            "        // body 5 of method 5: max stack 2, locals 1, scope depth 4 to 5, code length 15\n"
            "            0  getlocal_0\n"
            "            1  pushscope\n"
            "            2  getscopeobject 0\n"
            "            4  getlex flash.display::Sprite\n"
            "            6  pushscope\n"
            "            7  getlex flash.display::Sprite\n"
            "            9  newclass 0 (com.example::Foo)\n"
            "           11  popscope\n"
            "           12  initproperty com.example::Foo\n"
            "           14  returnvoid\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(outline.errorsText(), "");
}

/// A sealed class Main with a method go that creates a function literal, which creates
/// another one and itself; a script that defines Main; and a method "helper" that nothing
/// names.
test::Bytes literalBlock() {
  AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0);
  abc.u30(4).string("Main").string("go").string("helper");     // strings 1 to 3
  abc.u30(2).u8(0x16).u30(0);                                   // namespace 1: public
  abc.u30(0);                                                   // no namespace sets
  abc.u30(3).u8(0x07).u30(1).u30(1).u8(0x07).u30(1).u30(2);     // Main, go
  abc.u30(7);
  for (int i = 0; i < 6; ++i) abc.u30(0).u30(0).u30(0).u8(0);  // methods 0 to 5, unnamed
  abc.u30(0).u30(0).u30(3).u8(0);                               // method 6, "helper"
  abc.u30(0);                                                   // no metadata
  abc.u30(1).u30(1).u30(0).u8(0x01).u30(0).u30(0);              // class Main, sealed, constructor 0
  abc.u30(1).u30(2).u8(0x01).u30(0).u30(2);                     //   method go: method 2
  abc.u30(1).u30(0);                                            //   class initialiser 1
  abc.u30(1).u30(5).u30(1).u30(1).u8(0x04).u30(1).u30(0);       // script: initialiser 5, class Main
  const std::vector<test::Bytes> codes{
      {0x47}, {0x47},
      {0xD0, 0x30, 0x40, 0x03, 0x29, 0x47},        // go: newfunction 3
      {0x40, 0x04, 0x29, 0x40, 0x03, 0x29, 0x47},  // 3: newfunction 4, newfunction 3
      {0x47}, {0x47}, {0x47}};
  abc.u30(7);
  for (std::uint32_t method = 0; method < codes.size(); ++method) {
    abc.u30(method).u30(1).u30(1).u30(0).u30(1).u30(static_cast<std::uint32_t>(codes[method].size()));
    abc.bytes(codes[method]).u30(0).u30(0);
  }
  return abc.data();
}

TEST(AbcOutline, FunctionLiteralsFollowTheirClassAndUnnamedMethodsComeLast) {
  const test::Bytes block = literalBlock();
  const AbcFile file = parseAbc(block);
  ASSERT_TRUE(file.errors.empty()) << file.errors.front().message;
  AbcOutline outline(file);
  const auto bodyLine = [](int index, int length) {
    return "// body " + std::to_string(index) + " of method " + std::to_string(index) +
           ": max stack 1, locals 1, scope depth 0 to 1, code length " + std::to_string(length) + "\n";
  };
  EXPECT_EQ(outline.classText(0),
            "package {\n"
            "    public class Main\n"
            "    // sealed\n"
            "    {\n"
            "        // class initialiser\n"
            "        static function Main$cinit()\n"
            "        {\n"
            "            " + bodyLine(1, 1) +
            "                0  returnvoid\n"
            "        }\n"
            "        // constructor\n"
            "        public function Main()\n"
            "        {\n"
            "            " + bodyLine(0, 1) +
            "                0  returnvoid\n"
            "        }\n"
            "        public function go():*\n"
            "        {\n"
            "            " + bodyLine(2, 6) +
            "                0  getlocal_0\n"
            "                1  pushscope\n"
            "                2  newfunction 3\n"
            "                4  pop\n"
            "                5  returnvoid\n"
            "        }\n"
            "        // function literal\n"
            "        function():*\n"
            "        {\n"
            "            " + bodyLine(3, 7) +
            "                0  newfunction 4\n"
            "                2  pop\n"
            "                3  newfunction 3\n"
            "                5  pop\n"
            "                6  returnvoid\n"
            "        }\n"
            "        // function literal\n"
            "        function():*\n"
            "        {\n"
            "            " + bodyLine(4, 1) +
            "                0  returnvoid\n"
            "        }\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(outline.scriptText(0),
            "script0 {\n"
            "    public class Main  // class 0, Main\n"
            "    // script initialiser\n"
            "    function script0$init():*\n"
            "    {\n"
            "        " + bodyLine(5, 1) +
            "            0  returnvoid\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(outline.remainingMethodsText(),
            "// methods that no class or script shows\n"
            "function helper():*\n"
            "{\n"
            "    " + bodyLine(6, 1) +
            "        0  returnvoid\n"
            "}\n");
  EXPECT_EQ(outline.remainingMethodsText(), "");

  // The same class with its bodies as bytes: one line per instruction after its offset.
  outline.setBodyBytes(ByteCodeKind::Hex);
  const std::string bytes = outline.classText(0);
  EXPECT_NE(bytes.find("            " + bodyLine(3, 7) +
                       "                0  0x40 0x4 \n"
                       "                2  0x29 \n"
                       "                3  0x40 0x3 \n"
                       "                5  0x29 \n"
                       "                6  0x47 \n"
                       "        }\n"),
            std::string::npos)
      << bytes;
  outline.setBodyBytes(ByteCodeKind::Integer);
  EXPECT_NE(outline.classText(0).find("                2  64 3 \n"), std::string::npos);
}

TEST(AbcOutline, InterfacesAndFinalDynamicClasses) {
  AbcWriter abc;
  abc.u16(16).u16(46).u30(0).u30(0).u30(0);
  abc.u30(4).string("p").string("IThing").string("Thing");     // strings 1 to 3
  abc.u30(2).u8(0x16).u30(1);                                   // namespace 1: package p
  abc.u30(0);
  abc.u30(3).u8(0x07).u30(1).u30(2).u8(0x07).u30(1).u30(3);     // p::IThing, p::Thing
  abc.u30(2).u30(0).u30(0).u30(0).u8(0).u30(0).u30(0).u30(0).u8(0);
  abc.u30(0);
  abc.u30(2);
  abc.u30(1).u30(0).u8(0x05).u30(0).u30(0).u30(0);              // interface IThing (sealed, interface)
  abc.u30(2).u30(0).u8(0x02).u30(1).u30(1).u30(0).u30(0);       // final dynamic Thing implements IThing
  abc.u30(1).u30(0).u30(1).u30(0);
  abc.u30(0).u30(0);
  const AbcFile file = parseAbc(abc.data());
  ASSERT_TRUE(file.errors.empty()) << file.errors.front().message;
  AbcOutline outline(file);
  const std::string thing = outline.classText(1);
  EXPECT_EQ(outline.classText(0).substr(0, 60), "package p {\n    public interface IThing\n    // sealed, inter");
  EXPECT_EQ(thing.substr(0, thing.find('{', 12)),
            "package p {\n    public dynamic final class Thing implements p::IThing\n    // final\n    ");
}

}  // namespace
}  // namespace orvane
