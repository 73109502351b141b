#include "tests/support/AbcBuilder.h"

#include <bit>

namespace orvane::test {

namespace {

constexpr std::uint32_t kMethodsPerClass = 10;
constexpr std::uint32_t kTraitMethods = kMethodsPerClass - 2;
constexpr std::uint32_t kLoopUnits = 6;

// Multinames of the generated pool.
constexpr std::uint32_t kObject = 1;
constexpr std::uint32_t kTrace = 2;
constexpr std::uint32_t kInt = 3;
constexpr std::uint32_t kVoid = 4;
constexpr std::uint32_t kError = 5;
constexpr std::uint32_t kVariable = 6;
constexpr std::uint32_t kValue = 7;
constexpr std::uint32_t kFirstMethodName = 8;
constexpr std::uint32_t kFirstClassName = kFirstMethodName + kTraitMethods;

Bytes methodCode() {
  AbcWriter code;
  code.u8(0xD0).u8(0x30);                                // getlocal_0, pushscope
  const std::uint32_t tryStart = code.size();
  code.u8(0xD1).u8(0x1B).s24(11).u30(1).s24(11).s24(11);  // lookupswitch to the next instruction
  for (std::uint32_t unit = 0; unit < kLoopUnits; ++unit) {
    code.u8(0xD1).u8(0x24).u8(10).u8(0x0E).s24(13);        // getlocal_1, pushbyte 10, ifngt past the call
    code.u8(0x5D).u30(kTrace).u8(0x2D).u30(1).u8(0x2E).u30(1).u8(0x2F).u30(1);
    code.u8(0xA0).u8(0xA0).u8(0x4F).u30(kTrace).u30(1);   // add, add, callpropvoid trace 1
    code.u8(0xD0).u8(0x66).u30(kValue).u8(0x73).u8(0xD5);  // getlocal_0, getproperty value, convert_i, setlocal_1
  }
  const std::uint32_t tryEnd = code.size();
  code.u8(0x47);              // returnvoid
  code.u8(0x29).u8(0x47);     // the handler: pop, returnvoid
  AbcWriter body;
  body.u30(static_cast<std::uint32_t>(code.size())).bytes(code.data());
  body.u30(1).u30(tryStart).u30(tryEnd).u30(tryEnd + 1).u30(kError).u30(kVariable);
  return body.data();
}

}  // namespace

Bytes generatedAbc(std::uint32_t classCount) {
  AbcWriter abc;
  abc.u16(16).u16(46);
  abc.u30(3).s32(1000).s32(-7);
  abc.u30(2).u30(4000000000u);
  abc.u30(2).d64(1.5);
  // Strings 1 to 9, then the method names, then the class names.
  const char* fixed[] = {"bench", "", "Object", "trace", "int", "void", "Error", "e", "value"};
  abc.u30(1 + 9 + kTraitMethods + classCount);
  for (const char* text : fixed) abc.string(text);
  for (std::uint32_t i = 0; i < kTraitMethods; ++i) abc.string("m" + std::to_string(i));
  for (std::uint32_t i = 0; i < classCount; ++i) abc.string("C" + std::to_string(i));
  abc.u30(4).u8(0x16).u30(1).u8(0x16).u30(2).u8(0x05).u30(2);  // bench, the public package, private
  abc.u30(2).u30(2).u30(1).u30(2);                              // one set: {bench, public}
  abc.u30(kFirstClassName + classCount);
  for (std::uint32_t name : {3u, 4u, 5u, 6u, 7u}) abc.u8(0x07).u30(2).u30(name);  // Object .. Error
  abc.u8(0x07).u30(2).u30(8);                                                    // e
  abc.u8(0x09).u30(9).u30(1);                                                    // value in the set
  for (std::uint32_t i = 0; i < kTraitMethods; ++i) abc.u8(0x07).u30(1).u30(10 + i);
  for (std::uint32_t i = 0; i < classCount; ++i) abc.u8(0x07).u30(1).u30(10 + kTraitMethods + i);

  const std::uint32_t methodCount = classCount * kMethodsPerClass + 1;
  abc.u30(methodCount);
  for (std::uint32_t i = 0; i < methodCount; ++i) abc.u30(1).u30(kVoid).u30(kInt).u30(0).u8(0);
  abc.u30(0);  // metadata
  abc.u30(classCount);
  for (std::uint32_t i = 0; i < classCount; ++i) {
    const std::uint32_t first = i * kMethodsPerClass;
    abc.u30(kFirstClassName + i).u30(kObject).u8(0x01).u30(0).u30(first);
    abc.u30(kTraitMethods);
    for (std::uint32_t k = 0; k < kTraitMethods; ++k) abc.u30(kFirstMethodName + k).u8(0x01).u30(k + 1).u30(first + 2 + k);
  }
  for (std::uint32_t i = 0; i < classCount; ++i) abc.u30(i * kMethodsPerClass + 1).u30(0);
  abc.u30(1).u30(methodCount - 1).u30(classCount);
  for (std::uint32_t i = 0; i < classCount; ++i) abc.u30(kFirstClassName + i).u8(0x04).u30(i + 1).u30(i);
  const Bytes code = methodCode();
  abc.u30(methodCount);
  for (std::uint32_t i = 0; i < methodCount; ++i) {
    abc.u30(i).u30(4).u30(3).u30(0).u30(2).bytes(code).u30(0);
  }
  return abc.data();
}

Bytes exampleAbc() {
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
  const auto body = [&abc](std::uint32_t method, std::uint32_t maxStack, const Bytes& code) {
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

}  // namespace orvane::test
