// Builders of action block bytes for the action tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace orvane::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

/// A long action: code, 16-bit little-endian body length, body.
inline Bytes longAction(std::uint8_t code, const Bytes& body) {
  Bytes record{code, static_cast<std::uint8_t>(body.size() & 0xFF), static_cast<std::uint8_t>(body.size() >> 8)};
  record.insert(record.end(), body.begin(), body.end());
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
  Bytes item{0};
  item.insert(item.end(), text.begin(), text.end());
  item.push_back(0);
  return item;
}
inline Bytes i32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return {7, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}

inline Bytes push(std::initializer_list<Bytes> items) { return longAction(0x96, join(items)); }
/// A variable read: push the name, ActionGetVariable (the name without quotes).
inline Bytes var(const std::string& name) { return join({push({str(name)}), {0x1C}}); }

}  // namespace orvane::testing
