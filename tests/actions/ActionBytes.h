// Builders of action block bytes for the action tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace orvane::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

/// A long action: code, 16-bit little-endian body length, body.
inline Bytes longAction(std::uint8_t code, const Bytes& body) {
  // Sized first and filled in place: GCC 12 reports an insert after a short initializer
  // list as out of bounds when optimising.
  Bytes record(3 + body.size());
  record[0] = code;
  record[1] = static_cast<std::uint8_t>(body.size() & 0xFF);
  record[2] = static_cast<std::uint8_t>(body.size() >> 8);
  std::copy(body.begin(), body.end(), record.begin() + 3);
  return record;
}

/// Zero-terminated text.
inline Bytes zstr(const std::string& text) {
  Bytes bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

/// Push items.
inline Bytes str(const std::string& text) {
  Bytes item;
  item.reserve(text.size() + 2);
  item.push_back(0);
  for (const char c : text) item.push_back(static_cast<std::uint8_t>(c));
  item.push_back(0);
  return item;
}
inline Bytes i32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {7, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}

/// Push items: a register, a double (its high word first), null, undefined.
inline Bytes reg(std::uint8_t number) { return {4, number}; }
inline Bytes dbl(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, 8);
  Bytes item{6};
  for (int shift : {32, 40, 48, 56, 0, 8, 16, 24}) item.push_back(static_cast<std::uint8_t>(bits >> shift));
  return item;
}
inline Bytes null() { return {2}; }
inline Bytes undef() { return {3}; }

inline Bytes push(std::initializer_list<Bytes> items) { return longAction(0x96, join(items)); }
inline Bytes u16(std::int64_t value) {
  const auto bits = static_cast<std::uint16_t>(value);
  return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8)};
}
/// ActionIf over `offset` bytes from the next record.
inline Bytes ifJump(std::int64_t offset) { return longAction(0x9D, u16(offset)); }
inline Bytes storeRegister(std::uint8_t number) { return longAction(0x87, {number}); }
/// A variable read: push the name, ActionGetVariable (the name without quotes).
inline Bytes var(const std::string& name) { return join({push({str(name)}), {0x1C}}); }

}  // namespace orvane::test
