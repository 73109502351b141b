// Writes ABC blocks field by field for tests and benchmarks, and generates large ones.
#pragma once

#include <cstdint>
#include <string>

#include "abc/AbcWriter.h"
#include "tests/support/MovieBuilder.h"

namespace orvane::test {

using orvane::AbcWriter;

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
