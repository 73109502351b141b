#include "abc/AbcOutline.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcWriter;

/// A class com.example::Foo with a trait of every kind, and the script that defines it.
test::Bytes classBlock() {
  AbcWriter abc;
  abc.u16(16).u16(46);
  abc.u30(2).s32(5);    // integer 1: 5
  abc.u30(0);           // no unsigned integers
  abc.u30(2).d64(1.5);  // double 1: 1.5
  abc.u30(19);
  for (const char* text : {"com.example", "Foo", "x", "int", "K", "String", "a", "run", "n", "Number", "void",
                           "name", "flash.display", "Sprite", "Bindable", "event", "change", "count"})
    abc.string(text);  // strings 1 to 18
  abc.u30(5).u8(0x16).u30(1).u8(0x16).u30(0).u8(0x16).u30(13).u8(0x18).u30(2);  // com.example, public,
                                                                               // flash.display, protected Foo
  abc.u30(0);  // no namespace sets
  abc.u30(14);
  abc.u8(0x07).u30(1).u30(2);   // 1 com.example::Foo
  abc.u8(0x07).u30(2).u30(3);   // 2 x
  abc.u8(0x07).u30(2).u30(4);   // 3 int
  abc.u8(0x07).u30(2).u30(5);   // 4 K
  abc.u8(0x07).u30(2).u30(6);   // 5 String
  abc.u8(0x07).u30(2).u30(8);   // 6 run
  abc.u8(0x07).u30(2).u30(10);  // 7 Number
  abc.u8(0x07).u30(2).u30(11);  // 8 void
  abc.u8(0x07).u30(2).u30(12);  // 9 name
  abc.u8(0x07).u30(3).u30(14);  // 10 flash.display::Sprite
  abc.u8(0x07).u30(2).u30(18);  // 11 count
  abc.u8(0x07).u30(1).u30(7);   // 12 com.example::a
  abc.u8(0x07).u30(1).u30(9);   // 13 com.example::n
  abc.u30(7);
  abc.u30(0).u30(0).u30(0).u8(0);                // 0 constructor
  abc.u30(0).u30(0).u30(0).u8(0);                // 1 class initialiser
  abc.u30(1).u30(8).u30(7).u30(0).u8(0x8C)       // 2 run(n:Number = 1.5, ...rest):void
      .u30(1).u30(1).u8(0x06)                    //   optional: double 1
      .u30(9);                                   //   parameter name "n"
  abc.u30(0).u30(5).u30(0).u8(0);                // 3 get name():String
  abc.u30(1).u30(8).u30(5).u30(0).u8(0);         // 4 set name(String):void
  abc.u30(0).u30(0).u30(0).u8(0);                // 5 script initialiser
  abc.u30(0).u30(8).u30(0).u8(0);                // 6 a():void, without a body
  abc.u30(1).u30(15).u30(1).u30(16).u30(17);     // metadata 0: Bindable(event="change")
  abc.u30(1);
  abc.u30(1).u30(10).u8(0x09).u30(4).u30(0).u30(0);  // Foo extends Sprite, sealed, protected namespace 4
  abc.u30(5);
  abc.u30(2).u8(0x00).u30(1).u30(3).u30(1).u8(0x03);  // var x:int = 5
  abc.u30(4).u8(0x06).u30(2).u30(5).u30(7).u8(0x01);  // const K:String = "a"
  abc.u30(6).u8(0x21).u30(3).u30(2);                  // override function run
  abc.u30(9).u8(0x42).u30(4).u30(3).u30(1).u30(0);    // get name, with metadata 0
  abc.u30(9).u8(0x03).u30(5).u30(4);                  // set name
  abc.u30(1).u30(1).u30(11).u8(0x00).u30(1).u30(3).u30(0);  // class: initialiser 1, static var count:int
  abc.u30(1).u30(5).u30(2);
  abc.u30(1).u8(0x04).u30(1).u30(0);                  // class Foo
  abc.u30(12).u8(0x05).u30(2).u30(6);                 // function a
  abc.u30(6);
  const auto body = [&abc](std::uint32_t method, std::uint32_t maxStack, const test::Bytes& code) {
    abc.u30(method).u30(maxStack).u30(1).u30(4).u30(5).u30(static_cast<std::uint32_t>(code.size()));
    abc.bytes(code).u30(0).u30(0);
  };
  body(0, 1, {0xD0, 0x30, 0xD0, 0x49, 0x00, 0x47});
  body(1, 1, {0x47});
  body(2, 2, {0xD1, 0x2F, 0x01, 0x0C, 0x03, 0x00, 0x00, 0x2C, 0x07, 0x29, 0x47});
  body(3, 1, {0xD0, 0x66, 0x09, 0x48});
  body(4, 1, {0x47});
  body(5, 2, {0xD0, 0x30, 0x65, 0x00, 0x60, 0x0A, 0x30, 0x60, 0x0A, 0x58, 0x00, 0x1D, 0x68, 0x01, 0x47});
  return abc.data();
}

TEST(AbcOutline, ClassWithEveryTraitKind) {
  const test::Bytes block = classBlock();
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
  const test::Bytes block = classBlock();
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

}  // namespace
}  // namespace orvane
