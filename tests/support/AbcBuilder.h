// Writes ABC blocks field by field for tests and benchmarks, and generates large ones.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/MovieBuilder.h"

namespace orvane::test {

/// The field encodings of an ABC block.
class AbcWriter {
 public:
  AbcWriter& u8(std::uint32_t value);
  AbcWriter& u16(std::uint32_t value);
  AbcWriter& s24(std::int32_t value);
  /// The variable-length encoding of u30, u32 and s32 (s32 as its 32 bits).
  AbcWriter& u30(std::uint32_t value);
  AbcWriter& s32(std::int32_t value) { return u30(static_cast<std::uint32_t>(value)); }
  AbcWriter& d64(double value);
  /// u30 length, then the bytes.
  AbcWriter& string(const std::string& text);
  AbcWriter& bytes(const Bytes& data);
  std::uint32_t size() const { return static_cast<std::uint32_t>(m_data.size()); }
  const Bytes& data() const { return m_data; }

 private:
  Bytes m_data;
};

/// A class com.example::Foo extends flash.display::Sprite with a trait of every kind
/// (static var, var = 5, const = "a", an overriding method with an optional parameter and a
/// rest, a getter with metadata, a setter), its class initialiser and constructor, and the
/// script that defines it with a function without a body: 7 methods, 6 bodies.
Bytes exampleAbc();

/// A block of `classCount` classes in package "bench" with ten methods each (the
/// constructor, the class initialiser, eight methods with branches, a lookupswitch, pool
/// constants and an exception handler), one script that defines them, about 200 bytes
/// per method in all.
Bytes generatedAbc(std::uint32_t classCount);

}  // namespace orvane::test
