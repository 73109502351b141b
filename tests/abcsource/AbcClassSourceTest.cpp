#include "abcsource/AbcClassSource.h"

#include <gtest/gtest.h>

#include "abc/AbcParser.h"
#include "abcsource/AbcSourceText.h"
#include "tests/support/AbcBlockAssembler.h"
#include "tests/support/AbcBuilder.h"

namespace orvane {
namespace {

using test::AbcBlockAssembler;
using test::AbcTraitFields;

constexpr std::uint8_t kSlot = 0, kMethod = 1, kGetter = 2, kSetter = 3, kClass = 4, kConst = 6;
constexpr std::uint8_t kFinal = 0x1, kOverride = 0x2;

AbcTraitFields variable(std::uint32_t name, std::uint8_t kind, std::uint32_t type, test::AbcConstantValue value = {}) {
  AbcTraitFields trait = test::traitFields(name, kind);
  trait.type = type;
  trait.value = value;
  return trait;
}

AbcTraitFields method(std::uint32_t name, std::uint8_t kind, std::uint32_t index, std::uint8_t attributes = 0) {
  AbcTraitFields trait = test::traitFields(name, kind);
  trait.attributes = attributes;
  trait.index = index;
  return trait;
}

/// The source of the block's first class, with the definitions of the block alone.
std::string classSource(const test::Bytes& block, std::uint32_t classIndex = 0) {
  const AbcFile file = parseAbc(block);
  EXPECT_TRUE(file.errors.empty()) << file.errors.front().message;
  AbcDefinitions definitions;
  definitions.add(file);
  AbcSourceText text(file, definitions);
  return text.classText(classIndex);
}

// Methods without bodies (native) keep the bodies out of these texts: the declarations are
// what they check.
TEST(AbcClassSource, HeaderTraitsSignaturesDefaultsAndNamespaces) {
  AbcBlockAssembler a;
  const std::uint32_t intType = a.qname("int");
  const std::uint32_t voidType = a.qname("void");
  const std::uint32_t stringType = a.qname("String");
  const std::uint32_t numberType = a.qname("Number");
  const std::uint32_t eventType = a.qname("flash.events::Event");
  const std::uint32_t internalNs = a.ns(0x08, "http://www.adobe.com/2006/flex/mx/internal");
  const std::uint32_t protectedNs = a.ns(0x18, "com.example:Foo");
  const std::uint32_t privateNs = a.ns(0x05, "com.example:Foo");

  test::AbcMethodFields constructorFields = test::methodFields({intType, a.qname("Object")});
  constructorFields.optionalValues = {{0x0C, 0x0C}};
  constructorFields.parameterNames = {"size", "options"};
  const std::uint32_t constructor = a.method(constructorFields);
  const std::uint32_t staticInit = a.method(test::methodFields());
  test::AbcMethodFields handleFields = test::methodFields({eventType, stringType, numberType, intType}, voidType);
  handleFields.flags = 0x04;  // ...rest
  handleFields.optionalValues = {{0x01, a.string("a\"b")}, {0x06, a.number(0.25)}, {0x03, a.integer(-3)}};
  const std::uint32_t handle = a.method(handleFields);
  const std::uint32_t getter = a.method(test::methodFields({}, stringType));
  const std::uint32_t setter = a.method(test::methodFields({stringType}, voidType));
  const std::uint32_t create = a.method(test::methodFields({}, a.qname("com.example::Foo")));
  const std::uint32_t hidden =
      a.method(test::methodFields({}, a.typeName(a.qname("__AS3__.vec::Vector"), {intType})));

  test::AbcClassFields foo = test::classFields(a.qname("com.example::Foo"), constructor, staticInit);
  foo.superName = a.qname("flash.display::Sprite");
  foo.flags = 0x02 | 0x08;  // final, not sealed (dynamic), protected namespace
  foo.protectedNs = protectedNs;
  foo.interfaces = {a.qname("flash.events::IEventDispatcher")};
  AbcTraitFields max = variable(a.qname("MAX"), kConst, intType, {0x03, a.integer(5)});
  max.metadata = {a.metadata("Inspectable", {{"defaultValue", "5"}})};
  // The compiler marks static methods final; the source cannot say so.
  foo.staticTraits = {max, variable(a.qname("avmplus"), kConst, a.qname("Namespace"), {0x08, a.ns(0x08, "avmplus")}),
                      method(a.qname("create"), kMethod, create, kFinal)};
  foo.instanceTraits = {
      variable(a.qname(protectedNs, "ratio"), kSlot, numberType, {0x06, a.number(1.5)}),
      variable(a.qname(privateNs, "label"), kSlot, stringType),
      variable(a.qname(a.ns(0x17, "com.example"), "any"), kSlot, 0),
      variable(a.qname(internalNs, "cache"), kSlot, a.qname("Array")),
      method(a.qname("handle"), kMethod, handle, kOverride | kFinal),
      method(a.qname("name"), kGetter, getter, kOverride),
      method(a.qname("name"), kSetter, setter),
      method(a.qname(privateNs, "hidden"), kMethod, hidden),
  };
  const std::uint32_t foo0 = a.addClass(foo);
  AbcTraitFields defines = test::traitFields(a.qname("com.example::Foo"), kClass);
  defines.index = foo0;
  defines.metadata = {a.metadata("Event", {{"name", "change"}, {"type", "flash.events.Event"}}),
                      a.metadata("__go_to_definition_help", {{"pos", "12"}})};
  AbcTraitFields declaration = test::traitFields(a.qname("mx.core::mx_internal"), kConst);
  declaration.type = a.qname("Namespace");
  declaration.value = {0x08, internalNs};
  a.script(a.method(test::methodFields()), {defines, declaration});
  const test::Bytes block = a.build();

  EXPECT_EQ(classSource(block),
            "package com.example {\n"
            "    import flash.display.Sprite;\n"
            "    import flash.events.Event;\n"
            "    import flash.events.IEventDispatcher;\n"
            "    import mx.core.mx_internal;\n"
            "\n"
            "    [Event(name=\"change\", type=\"flash.events.Event\")]\n"
            "    public dynamic final class Foo extends Sprite implements IEventDispatcher {\n"
            "        [Inspectable(defaultValue=\"5\")]\n"
            "        public static const MAX:int = 5;\n"
            "        public namespace avmplus = \"avmplus\";\n"
            "        protected var ratio:Number = 1.5;\n"
            "        private var label:String;\n"
            "        internal var any:*;\n"
            "        mx_internal var cache:Array;\n"
            "        public function Foo(size:int, options:Object = null);\n"
            "        public static native function create():Foo;\n"
            "        override final public native function handle(param1:Event, param2:String = \"a\\\"b\", "
            "param3:Number = 0.25, param4:int = -3, ...rest):void;\n"
            "        override public native function get name():String;\n"
            "        public native function set name(param1:String):void;\n"
            "        private native function hidden():Vector.<int>;\n"
            "    }\n"
            "}\n");
}

TEST(AbcClassSource, InterfacesInternalAndPrivateClasses) {
  AbcBlockAssembler a;
  const std::uint32_t voidType = a.qname("void");
  const std::uint32_t interfaceNs = a.ns(0x08, "game:IShape");
  const auto empty = [&a] { return a.method(test::methodFields()); };
  test::AbcClassFields shape = test::classFields(a.qname("game::IShape"), empty(), empty());
  shape.flags = 0x04 | 0x01;
  shape.interfaces = {a.qname("game::IThing"), a.qname("flash.events::IEventDispatcher")};
  shape.instanceTraits = {
      method(a.qname(interfaceNs, "draw"), kMethod, a.method(test::methodFields({a.qname("int")}, voidType))),
      method(a.qname(interfaceNs, "area"), kGetter, a.method(test::methodFields({}, a.qname("Number"))))};
  a.addClass(shape);
  a.addClass(test::classFields(a.qname(a.ns(0x17, "game"), "Helper"), empty(), empty()));
  test::AbcClassFields local = test::classFields(a.qname(a.ns(0x05, "Shape.as$1"), "Local"), empty(), empty());
  local.superName = a.qname("game::Helper");
  local.flags = 0x00;
  a.addClass(local);
  const test::Bytes block = a.build();

  EXPECT_EQ(classSource(block, 0),
            "package game {\n"
            "    import flash.events.IEventDispatcher;\n"
            "\n"
            "    public interface IShape extends IThing, IEventDispatcher {\n"
            "        function draw(param1:int):void;\n"
            "        function get area():Number;\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(classSource(block, 1),
            "package game {\n"
            "    internal class Helper {\n"
            "        public function Helper();\n"
            "    }\n"
            "}\n");
  EXPECT_EQ(classSource(block, 2),
            "import game.Helper;\n"
            "\n"
            "dynamic class Local extends Helper {\n"
            "    public function Local();\n"
            "}\n");
  EXPECT_EQ(classSource(block, 3), "");
}

TEST(AbcClassSource, BodiesNameParametersGlobalsAndIntrinsicsAsTheirFileDeclaresAndImportsThem) {
  // public class Logo { public function Logo(width:int) { trace(width); }
  //                     public function draw():void { si8(65, 0); trace(Logo); } }
  // The constructor's parameter has no name of its own, only a debug record's; its body is
  // read first for the initial values, without the declaration's names.
  AbcBlockAssembler a;
  const std::uint32_t trace = a.qname("trace");
  const std::uint32_t constructor = a.method(test::methodFields({a.qname("int")}));
  const std::uint32_t staticInit = a.method(test::methodFields());
  const std::uint32_t draw = a.method(test::methodFields({}, a.qname("void")));
  test::AbcClassFields logo = test::classFields(a.qname("Logo"), constructor, staticInit);
  logo.instanceTraits = {method(a.qname("draw"), kMethod, draw)};
  const std::uint32_t logo0 = a.addClass(logo);
  AbcTraitFields defines = test::traitFields(a.qname("Logo"), kClass);
  defines.index = logo0;
  defines.slotId = 1;
  const std::uint32_t scriptInit = a.method(test::methodFields());
  a.script(scriptInit, {defines});
  test::AbcWriter constructorCode;
  constructorCode.u8(0xD0).u8(0x30)                                     // getlocal_0, pushscope
      .u8(0xEF).u8(1).u30(a.string("width")).u8(0).u30(1)               // debug: register 1 is width
      .u8(0xD0).u8(0x49).u30(0)                                         // constructsuper 0
      .u8(0x5D).u30(trace).u8(0xD1).u8(0x4F).u30(trace).u30(1)         // trace(width)
      .u8(0x47);                                                        // returnvoid
  a.body(constructor, constructorCode.data(), 2);
  a.body(staticInit, {0xD0, 0x30, 0x47});
  test::AbcWriter drawCode;
  drawCode.u8(0xD0).u8(0x30)
      .u8(0x24).u8(65).u8(0x24).u8(0).u8(0x3A)                          // si8(65, 0)
      .u8(0x5D).u30(trace).u8(0x64).u8(0x6C).u30(1).u8(0x4F).u30(trace).u30(1)  // trace(global slot 1)
      .u8(0x47);
  a.body(draw, drawCode.data());
  a.body(scriptInit, {0xD0, 0x30, 0x47});
  const test::Bytes block = a.build();

  EXPECT_EQ(classSource(block),
            "package {\n"
            "    import avm2.intrinsics.memory.si8;\n"
            "\n"
            "    public class Logo {\n"
            "        public function Logo(width:int) {\n"
            "            super();\n"
            "            trace(width);\n"
            "        }\n"
            "        public function draw():void {\n"
            "            si8(65, 0);\n"
            "            trace(Logo);\n"
            "        }\n"
            "    }\n"
            "}\n");
}

}  // namespace
}  // namespace orvane
