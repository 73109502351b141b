// ActionScript 2 classes in the decompiled source: init-action blocks assembled by hand the
// way the class compiler writes them, with the class text the mode prints, and near misses
// (the pattern broken in one place) that stay the plain statements.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "actions/ActionList.h"
#include "actions/source/SourceTranslator.h"
#include "platform/MessageSink.h"
#include "tests/actions/ActionBytes.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

using test::Bytes;
using test::dbl;
using test::i32;
using test::ifJump;
using test::join;
using test::longAction;
using test::null;
using test::push;
using test::reg;
using test::storeRegister;
using test::str;
using test::u16;
using test::undef;
using test::zstr;

const Bytes kNot{0x12};
const Bytes kPop{0x17};
const Bytes kGetVariable{0x1C};
const Bytes kTrace{0x26};
const Bytes kImplements{0x2C};
const Bytes kCallFunction{0x3D};
const Bytes kReturn{0x3E};
const Bytes kNewObject{0x40};
const Bytes kAdd{0x47};
const Bytes kGetMember{0x4E};
const Bytes kSetMember{0x4F};
const Bytes kCallMethod{0x52};
const Bytes kExtends{0x69};

/// Preload flags of DefineFunction2: this in register 1, super after it.
constexpr std::uint8_t kThis = 0x01;
constexpr std::uint8_t kThisAndSuper = 0x11;
constexpr std::uint8_t kNothing = 0x2A;  // this, arguments and super suppressed

std::string sourceOf(const Bytes& block) {
  RecordingMessageSink messages;
  ActionList records;
  DecodeBlock(block, records, messages);
  return SourceListing(records, 0);
}

std::int64_t length(const Bytes& bytes) { return static_cast<std::int64_t>(bytes.size()); }

/// A dotted path read the compiler's way: the first name by GetVariable, the others by
/// GetMember.
Bytes read(const std::string& dotted) {
  Bytes code;
  std::size_t start = 0;
  for (bool first = true;; first = false) {
    const std::size_t dot = dotted.find('.', start);
    code = join({code, push({str(dotted.substr(start, dot - start))}), first ? kGetVariable : kGetMember});
    if (dot == std::string::npos) return code;
    start = dot + 1;
  }
}

/// The object and the name a SetMember of the dotted path takes.
Bytes place(const std::string& dotted) {
  const std::size_t dot = dotted.rfind('.');
  return join({read(dotted.substr(0, dot)), push({str(dotted.substr(dot + 1))})});
}

/// How the compiler reaches a class: through its package, or through _global.
std::string classReference(const std::string& path) {
  return path.find('.') == std::string::npos ? "_global." + path : path;
}

/// DefineFunction2 with its parameters in registers, then its body.
Bytes function2(std::uint8_t flags, const std::vector<std::pair<std::uint8_t, std::string>>& parameters,
                const Bytes& body) {
  std::uint8_t registers = flags == kThisAndSuper ? 3 : 2;
  Bytes fields = join({zstr(""), u16(static_cast<std::int64_t>(parameters.size()))});
  Bytes list;
  for (const auto& [number, name] : parameters) {
    list = join({list, {number}, zstr(name)});
    registers = std::max<std::uint8_t>(registers, number + 1);
  }
  return join({longAction(0x8E, join({fields, {registers, flags, 0}, list, u16(length(body))})), body});
}

/// DefineFunction (no registers), then its body.
Bytes function1(const std::vector<std::string>& parameters, const Bytes& body) {
  Bytes fields = join({zstr(""), u16(static_cast<std::int64_t>(parameters.size()))});
  for (const std::string& name : parameters) fields = join({fields, zstr(name)});
  return join({longAction(0x9B, join({fields, u16(length(body))})), body});
}
const Bytes kEmptyFunction = function1({}, {});

/// if (!_global.P) { body }: the Pop of the body's last statement lies after it, where
/// the If lands.
Bytes guard(const std::string& path, const Bytes& body) {
  return join({read("_global." + path), kNot, kNot, ifJump(length(body)), body, kPop});
}

/// if (!_global.a.b) { _global.a.b = new Object(); }
Bytes package(const std::string& path) {
  return guard(path, join({place("_global." + path), push({dbl(0), str("Object")}), kNewObject, kSetMember}));
}

/// P = _loc1_ = function ...: the constructor stored into the class and kept in register 1.
Bytes constructor(const std::string& path, const Bytes& function) {
  return join({place(classReference(path)), function, storeRegister(1), kSetMember});
}

Bytes extends(const std::string& path, const std::string& superclass) {
  return join({read(classReference(path)), read(superclass), kExtends});
}

/// var _loc2_ = _loc1_.prototype;
const Bytes kPrototype = join({push({reg(1), str("prototype")}), kGetMember, storeRegister(2), kPop});

/// _global.P implements I, J: the interfaces pushed last first, their count, the class.
Bytes implements(const std::string& path, const std::vector<std::string>& interfaces) {
  Bytes code;
  for (auto it = interfaces.rbegin(); it != interfaces.rend(); ++it) code = join({code, read("_global." + *it)});
  return join({code, push({i32(static_cast<std::int32_t>(interfaces.size()))}), read("_global." + path), kImplements});
}

/// _locN_.name = value; register 2 holds the prototype, register 1 the class.
Bytes member(std::uint8_t owner, const std::string& name, const Bytes& value) {
  return join({push({reg(owner), str(name)}), value, kSetMember});
}

/// _locN_.__get__name as an argument of addProperty.
Bytes accessor(std::uint8_t owner, const std::string& name) { return join({push({reg(owner), str(name)}), kGetMember}); }

/// _locN_.addProperty("name", getter, setter), left on the stack as the compiler leaves it.
Bytes addProperty(std::uint8_t owner, const std::string& name, const Bytes& getter, const Bytes& setter) {
  return join({setter, getter, push({str(name), i32(3), reg(owner), str("addProperty")}), kCallMethod});
}

/// ASSetPropFlags(P.prototype, null, flags), its Pop left to the guard.
Bytes propFlags(const std::string& path, std::int32_t flags = 1) {
  return join({push({i32(flags), null()}), read(classReference(path)), push({str("prototype")}), kGetMember,
               push({i32(3), str("ASSetPropFlags")}), kCallFunction});
}

/// The block of a class: its package guards and its guard.
Bytes classBlock(const std::string& path, const Bytes& body) {
  Bytes code;
  for (std::size_t dot = path.find('.'); dot != std::string::npos; dot = path.find('.', dot + 1))
    code = join({code, package(path.substr(0, dot))});
  return join({code, guard(path, body)});
}

/// this.name = register;
Bytes setThis(const std::string& name, const Bytes& value) { return join({push({reg(1), str(name)}), value, kSetMember}); }
/// return this.name;
Bytes returnThis(const std::string& name) { return join({push({reg(1), str(name)}), kGetMember, kReturn}); }
/// The `return this.__get__name();` the compiler appends to a setter.
Bytes returnGetter(const std::string& property) {
  return join({push({i32(0), reg(1), str("__get__" + property)}), kCallMethod, kReturn});
}
/// super(); in a constructor with this in register 1 and super in register 2.
const Bytes kSuperCall = join({push({dbl(0), reg(2), undef()}), kCallMethod, kPop});

Bytes trace(const std::string& text) { return join({push({str(text)}), kTrace}); }

struct Row {
  const char* name;
  Bytes code;
  const char* text;
};

class SourceClass : public ::testing::TestWithParam<Row> {};

TEST_P(SourceClass, PrintsTheClassOrThePlainStatements) { EXPECT_EQ(sourceOf(GetParam().code), GetParam().text); }

const Bytes kMinimal = join({constructor("C", kEmptyFunction), kPrototype});

const Row kRows[] = {
    {"MinimalClass", classBlock("C", join({kMinimal, propFlags("C")})), "class C {\n}\n"},
    {"ClassInPackage", classBlock("a.b.C", join({constructor("a.b.C", kEmptyFunction), kPrototype, propFlags("a.b.C")})),
     "class a.b.C {\n}\n"},
    // The compiler's own constructor of a subclass only calls the superclass's.
    {"ExtendsWithoutConstructor",
     classBlock("a.C", join({constructor("a.C", function2(kThisAndSuper, {}, kSuperCall)), extends("a.C", "x.y.D"),
                             kPrototype, propFlags("a.C")})),
     "class a.C extends x.y.D {\n}\n"},
    {"ConstructorParametersInRegisters",
     classBlock("C", join({constructor("C", function2(kThisAndSuper, {{3, "a"}, {4, "b"}},
                                                      join({push({reg(3), i32(1), reg(2), undef()}), kCallMethod, kPop,
                                                            setThis("sum", join({push({reg(3), reg(4)}), kAdd}))}))),
                           extends("C", "MovieClip"), kPrototype, propFlags("C")})),
     "class C extends MovieClip {\n    function C(a, b) {\n        super(a);\n        this.sum = a + b;\n    }\n}\n"},
    // One compiler passes the constructor through the scratch register 0 and keeps the
    // prototype in register 1: var _loc1_ = (_global.C = function () {}).prototype;
    {"ConstructorThroughTheScratchRegister",
     classBlock("C", join({place("_global.C"), kEmptyFunction, storeRegister(0), kSetMember,
                           push({reg(0), str("prototype")}), kGetMember, storeRegister(1), kPop,
                           member(1, "m", function1({}, trace("m"))), propFlags("C")})),
     "class C {\n    function m() {\n        trace(\"m\");\n    }\n}\n"},
    {"ImplementsOne", classBlock("C", join({kMinimal, implements("C", {"I"}), propFlags("C")})),
     "class C implements I {\n}\n"},
    {"ImplementsTwo",
     classBlock("a.C", join({constructor("a.C", kEmptyFunction), extends("a.C", "B"), kPrototype,
                             implements("a.C", {"a.I", "J"}), propFlags("a.C")})),
     "class a.C extends B implements a.I, J {\n}\n"},
    {"InstanceMethods",
     classBlock("C", join({constructor("C", function2(kThis, {}, setThis("n", push({i32(0)})))), kPrototype,
                           member(2, "add", function2(kThis, {{2, "k"}},
                                                      join({push({reg(1), str("n"), reg(1), str("n")}), kGetMember,
                                                            push({reg(2)}), kAdd, kSetMember, returnThis("n")}))),
                           member(2, "reset", function1({}, trace("reset"))), propFlags("C")})),
     "class C {\n"
     "    function C() {\n        this.n = 0;\n    }\n\n"
     "    function add(k) {\n        this.n += k;\n        return this.n;\n    }\n\n"
     "    function reset() {\n        trace(\"reset\");\n    }\n"
     "}\n"},
    // A getter and setter pair, a getter alone and a setter alone; the setter's return
    // of the getter is the compiler's.
    {"GettersAndSetters",
     classBlock("C", join({kMinimal, member(2, "__get__size", function2(kThis, {}, returnThis("_size"))),
                           member(2, "__set__size",
                                  function2(kThis, {{2, "v"}}, join({setThis("_size", push({reg(2)})), returnGetter("size")}))),
                           member(2, "__get__area", function2(kThis, {}, returnThis("_area"))),
                           member(2, "__set__label",
                                  function2(kThis, {{2, "t"}}, join({setThis("_label", push({reg(2)})), returnGetter("label")}))),
                           member(2, "_size", push({i32(1)})),
                           addProperty(2, "area", accessor(2, "__get__area"), kEmptyFunction),
                           addProperty(2, "label", kEmptyFunction, accessor(2, "__set__label")),
                           addProperty(2, "size", accessor(2, "__get__size"), accessor(2, "__set__size")), propFlags("C")})),
     "class C {\n"
     "    var _size = 1;\n\n"
     "    function get size() {\n        return this._size;\n    }\n\n"
     "    function set size(v) {\n        this._size = v;\n    }\n\n"
     "    function get area() {\n        return this._area;\n    }\n\n"
     "    function set label(t) {\n        this._label = t;\n    }\n"
     "}\n"},
    {"StaticMembers",
     classBlock("a.C", join({constructor("a.C", kEmptyFunction), kPrototype,
                             member(1, "twice", function2(kNothing, {{1, "x"}}, join({push({reg(1), i32(2)}), {0x0C}, kReturn}))),
                             member(1, "__get__total", function1({}, join({read("a.C.count"), kReturn}))),
                             member(1, "count", push({i32(0)})),
                             member(1, "names", join({push({str("b"), str("a"), i32(2)}), {0x42}})),
                             addProperty(1, "total", accessor(1, "__get__total"), kEmptyFunction), propFlags("a.C")})),
     "class a.C {\n"
     "    static var count = 0;\n"
     "    static var names = [\"a\", \"b\"];\n\n"
     "    static function twice(x) {\n        return x * 2;\n    }\n\n"
     "    static function get total() {\n        return a.C.count;\n    }\n"
     "}\n"},
    {"EverythingTogether",
     classBlock("a.b.C",
                join({constructor("a.b.C", function2(kThisAndSuper, {{3, "p"}}, join({kSuperCall, setThis("p", push({reg(3)}))}))),
                      extends("a.b.C", "D"), kPrototype, implements("a.b.C", {"E"}),
                      member(2, "m", function2(kThis, {}, returnThis("x"))),
                      member(2, "__get__name", function2(kThis, {}, returnThis("p"))),
                      member(2, "__set__name",
                             function2(kThis, {{2, "v"}}, join({setThis("p", push({reg(2)})), returnGetter("name")}))),
                      member(1, "f", function1({}, join({read("a.b.C.s"), kReturn}))), member(2, "x", push({i32(5)})),
                      member(1, "s", push({i32(1)})),
                      addProperty(2, "name", accessor(2, "__get__name"), accessor(2, "__set__name")), propFlags("a.b.C")})),
     "class a.b.C extends D implements E {\n"
     "    var x = 5;\n"
     "    static var s = 1;\n\n"
     "    function C(p) {\n        this.p = p;\n    }\n\n"
     "    function m() {\n        return this.x;\n    }\n\n"
     "    function get name() {\n        return this.p;\n    }\n\n"
     "    function set name(v) {\n        this.p = v;\n    }\n\n"
     "    static function f() {\n        return a.b.C.s;\n    }\n"
     "}\n"},
    {"Interface", guard("I", join({place("_global.I"), kEmptyFunction, kSetMember})), "interface I {\n}\n"},
    {"InterfaceExtends",
     join({package("a"), guard("a.J", join({place("_global.a.J"), kEmptyFunction, kSetMember, implements("a.J", {"I", "K"})}))}),
     "interface a.J extends I, K {\n}\n"},
    // The command-line compiler's form: no guard, registers from 0, ASSetPropFlags on the
    // register that holds the prototype; the statements around it stay.
    {"ClassWithoutGuard",
     join({trace("before"), place("_global.T"), function2(kNothing, {}, {}), storeRegister(0), kSetMember,
           push({reg(0), str("prototype")}), kGetMember, storeRegister(1), kPop,
           push({reg(0), str("main")}), function1({}, trace("main")), kSetMember,
           push({reg(1), str("run")}), function1({}, trace("run")), kSetMember,
           push({i32(1), null(), reg(1), i32(3), str("ASSetPropFlags")}), kCallFunction, kPop,
           push({i32(0)}), read("T"), push({str("main")}), kCallMethod, kPop}),
     "trace(\"before\");\n\n"
     "class T {\n"
     "    static function main() {\n        trace(\"main\");\n    }\n\n"
     "    function run() {\n        trace(\"run\");\n    }\n"
     "}\n\n"
     "T.main();\n"},

    // Near misses: the plain statements, the package guards kept.
    {"PropFlagsOtherThanOne", classBlock("a.C", join({constructor("a.C", kEmptyFunction), kPrototype, propFlags("a.C", 2)})),
     "if (!_global.a) {\n    _global.a = new Object();\n}\n"
     "if (!_global.a.C) {\n    a.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    ASSetPropFlags(a.C.prototype, null, 2);\n}\n"},
    {"StatementInsideGuard", classBlock("C", join({kMinimal, trace("x"), propFlags("C")})),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    trace(\"x\");\n    ASSetPropFlags(_global.C.prototype, null, 1);\n}\n"},
    {"ExtendsAfterPrototype", classBlock("C", join({kMinimal, extends("C", "D"), propFlags("C")})),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    _global.C extends D;\n    ASSetPropFlags(_global.C.prototype, null, 1);\n}\n"},
    {"GuardOfAnotherClass", guard("C", join({constructor("B", kEmptyFunction), kPrototype, propFlags("B")})),
     "if (!_global.C) {\n    _global.B = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    ASSetPropFlags(_global.B.prototype, null, 1);\n}\n"},
    {"AccessorOfAnotherName",
     classBlock("C", join({kMinimal, member(2, "__get__other", function1({}, join({push({i32(1)}), kReturn}))),
                           addProperty(2, "size", accessor(2, "__get__other"), kEmptyFunction), propFlags("C")})),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    _loc2_.__get__other = function () {\n        return 1;\n    };\n"
     "    _loc2_.addProperty(\"size\", _loc2_.__get__other, function () {\n    });\n"
     "    ASSetPropFlags(_global.C.prototype, null, 1);\n}\n"},
    {"PackageNotCreated", join({package("a"), guard("a.b.C", join({constructor("a.b.C", kEmptyFunction), kPrototype,
                                                                   propFlags("a.b.C")}))}),
     "if (!_global.a) {\n    _global.a = new Object();\n}\n"
     "if (!_global.a.b.C) {\n    a.b.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    ASSetPropFlags(a.b.C.prototype, null, 1);\n}\n"},
    {"NoPropFlags", classBlock("C", kMinimal),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n}\n"},
    {"VariableReadsRegister", classBlock("C", join({kMinimal, member(1, "self", push({reg(1)})), propFlags("C")})),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    _loc1_.self = _loc1_;\n    ASSetPropFlags(_global.C.prototype, null, 1);\n}\n"},
    {"MethodDefinedTwice",
     classBlock("C", join({kMinimal, member(2, "m", function1({}, trace("1"))), member(2, "m", function1({}, trace("2"))),
                           propFlags("C")})),
     "if (!_global.C) {\n    _global.C = _loc1_ = function () {\n    };\n    var _loc2_ = _loc1_.prototype;\n"
     "    _loc2_.m = function () {\n        trace(\"1\");\n    };\n    _loc2_.m = function () {\n        trace(\"2\");\n    };\n"
     "    ASSetPropFlags(_global.C.prototype, null, 1);\n}\n"},
    {"InterfaceWithBody", guard("I", join({place("_global.I"), function1({}, trace("x")), kSetMember})),
     "if (!_global.I) {\n    _global.I = function () {\n        trace(\"x\");\n    };\n}\n"},
};

INSTANTIATE_TEST_SUITE_P(Table, SourceClass, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

std::size_t linesStartingWith(const std::string& text, const std::string& start) {
  std::size_t count = text.starts_with(start) ? 1 : 0;
  for (std::size_t at = text.find("\n" + start); at != std::string::npos; at = text.find("\n" + start, at + 1)) ++count;
  return count;
}

// The movies of the corpus whose init actions define classes: two made by the authoring
// tool (one with the video components), one by the command-line compiler, one whose
// functions were reassembled by hand. Each definition is a class or an interface.
TEST(SourceClassCorpus, EveryDefinitionIsAClassOrAnInterface) {
  const std::string samples = test::samplesFolder();
  if (samples.empty()) GTEST_SKIP() << "the sample corpus folder is absent";
  for (const char* name : {"jpexs/as2.fws.swf", "ruffle/avm1/netstream_play_flv_screen.fws.swf",
                           "gnash/TestFunction2.fws.swf", "jpexs/as2_definefunc_regs.fws.swf"}) {
    test::ScanFixture fixture;
    ASSERT_EQ(fixture.scan(test::readFile(samples + "/" + name)), ScanStatus::Success) << name;
    std::size_t definitions = 0;
    for (const auto& timeline : fixture.result.timelines()) {
      for (const auto& block : timeline->initActions) {
        RecordingMessageSink messages;
        ActionList records;
        DecodeBlock(block->bytes, records, messages);
        const std::string text = SourceListing(records, block->movieVersion);
        EXPECT_EQ(linesStartingWith(text, "if (!_global."), 0u) << name << ":\n" << text;
        definitions += linesStartingWith(text, "class ") + linesStartingWith(text, "interface ");
      }
    }
    EXPECT_GT(definitions, 0u) << name;
  }
}

}  // namespace
}  // namespace orvane
