// The decoded content of one ABC block: constant pool, methods, metadata, classes,
// scripts and method bodies, with the indices as the block holds them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "abc/AbcReader.h"

namespace orvane {

namespace nskind {
inline constexpr std::uint8_t kPrivate = 0x05;
inline constexpr std::uint8_t kNamespace = 0x08;
inline constexpr std::uint8_t kPackage = 0x16;
inline constexpr std::uint8_t kPackageInternal = 0x17;
inline constexpr std::uint8_t kProtected = 0x18;
inline constexpr std::uint8_t kExplicit = 0x19;
inline constexpr std::uint8_t kStaticProtected = 0x1A;
}  // namespace nskind

namespace mnkind {
inline constexpr std::uint8_t kQName = 0x07;
inline constexpr std::uint8_t kQNameA = 0x0D;
inline constexpr std::uint8_t kRTQName = 0x0F;
inline constexpr std::uint8_t kRTQNameA = 0x10;
inline constexpr std::uint8_t kRTQNameL = 0x11;
inline constexpr std::uint8_t kRTQNameLA = 0x12;
inline constexpr std::uint8_t kMultiname = 0x09;
inline constexpr std::uint8_t kMultinameA = 0x0E;
inline constexpr std::uint8_t kMultinameL = 0x1B;
inline constexpr std::uint8_t kMultinameLA = 0x1C;
inline constexpr std::uint8_t kTypeName = 0x1D;
}  // namespace mnkind

/// The kinds of a constant value (optional parameters, slot defaults).
namespace constkind {
inline constexpr std::uint8_t kUndefined = 0x00;
inline constexpr std::uint8_t kUtf8 = 0x01;
inline constexpr std::uint8_t kInt = 0x03;
inline constexpr std::uint8_t kUInt = 0x04;
inline constexpr std::uint8_t kDouble = 0x06;
inline constexpr std::uint8_t kFalse = 0x0A;
inline constexpr std::uint8_t kTrue = 0x0B;
inline constexpr std::uint8_t kNull = 0x0C;
}  // namespace constkind

struct AbcNamespace {
  std::uint8_t kind = 0;
  std::uint32_t name = 0;  // string index
};

/// One multiname of any kind; the fields a kind does not have stay 0.
struct AbcMultiname {
  std::uint8_t kind = 0;
  std::uint32_t ns = 0;       // QName(A)
  std::uint32_t name = 0;     // QName(A), RTQName(A), Multiname(A)
  std::uint32_t nsSet = 0;    // Multiname(A), MultinameL(A)
  std::uint32_t base = 0;     // TypeName: the generic type's multiname
  std::vector<std::uint32_t> parameters;  // TypeName: the type parameters' multinames
};

struct AbcConstantPool {
  // Entry 0 of every table is the implied default (0, NaN, "", the any namespace).
  std::vector<std::int32_t> integers{0};
  std::vector<std::uint32_t> unsignedIntegers{0};
  std::vector<double> doubles{0.0};
  std::vector<std::string> strings{""};
  std::vector<AbcNamespace> namespaces{AbcNamespace{}};
  std::vector<std::vector<std::uint32_t>> namespaceSets{{}};
  std::vector<AbcMultiname> multinames{AbcMultiname{}};
};

/// A constant reference: a kind and an index into the pool that kind names.
struct AbcValue {
  std::uint32_t index = 0;
  std::uint8_t kind = 0;
};

namespace methodflag {
inline constexpr std::uint8_t kNeedArguments = 0x01;
inline constexpr std::uint8_t kNeedActivation = 0x02;
inline constexpr std::uint8_t kNeedRest = 0x04;
inline constexpr std::uint8_t kHasOptional = 0x08;
inline constexpr std::uint8_t kSetDxns = 0x40;
inline constexpr std::uint8_t kHasParamNames = 0x80;
}  // namespace methodflag

struct AbcMethod {
  std::uint32_t returnType = 0;
  std::vector<std::uint32_t> parameterTypes;
  std::uint32_t name = 0;
  std::uint8_t flags = 0;
  std::vector<AbcValue> optionalValues;  // for the last parameters
  std::vector<std::uint32_t> parameterNames;
  std::int32_t body = -1;  // index of its body, -1 without one
};

struct AbcMetadata {
  std::uint32_t name = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> items;  // key (0: none), value
};

namespace traitkind {
inline constexpr std::uint8_t kSlot = 0;
inline constexpr std::uint8_t kMethod = 1;
inline constexpr std::uint8_t kGetter = 2;
inline constexpr std::uint8_t kSetter = 3;
inline constexpr std::uint8_t kClass = 4;
inline constexpr std::uint8_t kFunction = 5;
inline constexpr std::uint8_t kConst = 6;
}  // namespace traitkind

namespace traitattr {
inline constexpr std::uint8_t kFinal = 0x1;
inline constexpr std::uint8_t kOverride = 0x2;
inline constexpr std::uint8_t kMetadata = 0x4;
}  // namespace traitattr

struct AbcTrait {
  std::uint32_t name = 0;  // multiname
  std::uint8_t kind = 0;   // low four bits of the kind byte
  std::uint8_t attributes = 0;
  std::uint32_t slotId = 0;  // slot id, or dispatch id of methods
  std::uint32_t type = 0;    // Slot, Const: the type multiname
  AbcValue value;            // Slot, Const: the default value (index 0: none)
  std::uint32_t index = 0;   // Class: class index; Method, Getter, Setter, Function: method index
  std::vector<std::uint32_t> metadata;
};

namespace classflag {
inline constexpr std::uint8_t kSealed = 0x01;
inline constexpr std::uint8_t kFinal = 0x02;
inline constexpr std::uint8_t kInterface = 0x04;
inline constexpr std::uint8_t kProtectedNs = 0x08;
}  // namespace classflag

struct AbcInstance {
  std::uint32_t name = 0;
  std::uint32_t superName = 0;
  std::uint8_t flags = 0;
  std::uint32_t protectedNs = 0;
  std::vector<std::uint32_t> interfaces;
  std::uint32_t initialiser = 0;  // method index of the constructor
  std::vector<AbcTrait> traits;
};

struct AbcClass {
  std::uint32_t initialiser = 0;  // method index of the static initialiser
  std::vector<AbcTrait> traits;
};

struct AbcScript {
  std::uint32_t initialiser = 0;
  std::vector<AbcTrait> traits;
};

struct AbcException {
  std::uint32_t from = 0;
  std::uint32_t to = 0;
  std::uint32_t target = 0;
  std::uint32_t type = 0;      // multiname, 0: any
  std::uint32_t variable = 0;  // multiname, 0: none
};

struct AbcMethodBody {
  std::uint32_t method = 0;
  std::uint32_t maxStack = 0;
  std::uint32_t localCount = 0;
  std::uint32_t initScopeDepth = 0;
  std::uint32_t maxScopeDepth = 0;
  /// Where in the block the body's entry starts, its code starts, its traits start and
  /// the entry ends.
  std::uint32_t entryOffset = 0;
  std::uint32_t codeOffset = 0;
  std::uint32_t traitsOffset = 0;
  std::uint32_t entryEnd = 0;
  std::span<const std::uint8_t> code;
  std::vector<AbcException> exceptions;
  std::vector<AbcTrait> traits;
  /// The faults of this body (indices past their tables); the others do not depend on them.
  std::vector<AbcError> errors;
};

/// Where one table of the constant pool lies in the block: its count, its first entry and
/// its end. Tables the reading did not reach stay at 0.
struct AbcTableSpan {
  std::uint32_t countOffset = 0;
  std::uint32_t entriesOffset = 0;
  std::uint32_t end = 0;
};

/// The tables of the constant pool in block order.
enum class AbcPoolTable : std::uint8_t { kInt, kUInt, kDouble, kString, kNamespace, kNamespaceSet, kMultiname };
inline constexpr std::size_t kAbcPoolTables = 7;

/// Refers to the block's bytes (the code of each body); the block must outlive it.
struct AbcFile {
  std::uint16_t minorVersion = 0;
  std::uint16_t majorVersion = 0;
  AbcConstantPool pool;
  std::array<AbcTableSpan, kAbcPoolTables> poolTables{};
  std::vector<AbcMethod> methods;
  std::vector<AbcMetadata> metadata;
  std::vector<AbcInstance> instances;
  std::vector<AbcClass> classes;
  std::vector<AbcScript> scripts;
  std::vector<AbcMethodBody> bodies;
  /// Faults outside the bodies: the first fault that ended the reading (what was read
  /// before it stays) and indices past their tables.
  std::vector<AbcError> errors;
};

}  // namespace orvane
