// Hand assembly of action blocks for the decompiled source tests: records written out one
// by one, branches to named places whose offsets are worked out when the block is joined.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/actions/ActionBytes.h"

namespace orvane::test::assembly {

/// One piece of a block: record bytes, a branch to a place, or a place.
struct Piece {
  // Implicit, so that records stand in a list of pieces as they are.
  Piece(Bytes code) : bytes(std::move(code)) {}
  Piece(std::initializer_list<std::uint8_t> code) : bytes(code) {}

  Bytes bytes;
  std::uint8_t branch = 0;  // 0x99 ActionJump or 0x9D ActionIf
  std::string place;        // the place a branch goes to, or the place marked here
  bool marks = false;
};

/// The place `name` at this point of the block.
inline Piece at(const std::string& name) {
  Piece piece{Bytes{}};
  piece.place = name;
  piece.marks = true;
  return piece;
}
/// ActionJump / ActionIf to the place `name`.
inline Piece jumpTo(const std::string& name) {
  Piece piece{Bytes{}};
  piece.branch = 0x99;
  piece.place = name;
  return piece;
}
inline Piece ifTo(const std::string& name) {
  Piece piece = jumpTo(name);
  piece.branch = 0x9D;
  return piece;
}

/// The pieces joined, each branch's offset counted from the end of its record.
inline Bytes assemble(std::initializer_list<Piece> pieces) {
  std::map<std::string, std::int64_t> places;
  std::int64_t offset = 0;
  for (const Piece& piece : pieces) {
    if (piece.marks) places[piece.place] = offset;
    offset += piece.branch != 0 ? 5 : static_cast<std::int64_t>(piece.bytes.size());
  }
  Bytes block;
  for (const Piece& piece : pieces) {
    if (piece.branch == 0) {
      block.insert(block.end(), piece.bytes.begin(), piece.bytes.end());
      continue;
    }
    const auto found = places.find(piece.place);
    if (found == places.end()) throw std::invalid_argument("no place " + piece.place);
    const auto delta = static_cast<std::uint16_t>(found->second - static_cast<std::int64_t>(block.size()) - 5);
    const Bytes record = longAction(piece.branch, {static_cast<std::uint8_t>(delta), static_cast<std::uint8_t>(delta >> 8)});
    block.insert(block.end(), record.begin(), record.end());
  }
  return block;
}

// Push items beyond strings and integers: those every action test shares, and more.
using test::dbl;
using test::null;
using test::reg;
using test::storeRegister;
using test::u16;
using test::undef;
inline Bytes boolean(bool value) { return {5, static_cast<std::uint8_t>(value ? 1 : 0)}; }
inline Bytes constant(std::uint8_t index) { return {8, index}; }
inline Bytes constant16(std::uint16_t index) { return join({{9}, u16(index)}); }
inline Bytes flt(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, 4);
  return {1, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8), static_cast<std::uint8_t>(bits >> 16),
          static_cast<std::uint8_t>(bits >> 24)};
}
inline Bytes num(std::int32_t value) { return i32(value); }

// Records with fields.
inline Bytes constantPool(std::initializer_list<std::string> names) {
  Bytes body = u16(static_cast<std::uint32_t>(names.size()));
  for (const std::string& name : names) {
    const Bytes text = zstr(name);
    body.insert(body.end(), text.begin(), text.end());
  }
  return longAction(0x88, body);
}
inline Bytes gotoFrame(std::uint16_t index) { return longAction(0x81, u16(index)); }
inline Bytes gotoLabel(const std::string& label) { return longAction(0x8C, zstr(label)); }
inline Bytes gotoFrame2(bool play) { return longAction(0x9F, {static_cast<std::uint8_t>(play ? 1 : 0)}); }
inline Bytes getUrl(const std::string& url, const std::string& target) {
  return longAction(0x83, join({zstr(url), zstr(target)}));
}
inline Bytes getUrl2(std::uint8_t flags) { return longAction(0x9A, {flags}); }
inline Bytes waitForFrame(std::uint16_t index, std::uint8_t skip) {
  return longAction(0x8A, join({u16(index), {skip}}));
}
inline Bytes waitForFrame2(std::uint8_t skip) { return longAction(0x8D, {skip}); }
inline Bytes setTarget(const std::string& name) { return longAction(0x8B, zstr(name)); }
inline Bytes call() { return longAction(0x9E, {}); }
/// ActionWith over `body`.
inline Bytes withBlock(const Bytes& body) {
  return join({longAction(0x94, u16(static_cast<std::uint32_t>(body.size()))), body});
}
/// ActionDefineFunction: name, parameter names, then the body it counts.
inline Bytes defineFunction(const std::string& name, std::initializer_list<std::string> parameters, const Bytes& body) {
  Bytes fields = join({zstr(name), u16(static_cast<std::uint32_t>(parameters.size()))});
  for (const std::string& parameter : parameters) {
    const Bytes text = zstr(parameter);
    fields.insert(fields.end(), text.begin(), text.end());
  }
  const Bytes size = u16(static_cast<std::uint32_t>(body.size()));
  fields.insert(fields.end(), size.begin(), size.end());
  return join({longAction(0x9B, fields), body});
}
/// ActionDefineFunction2: name, register count, the two flag bytes (preload and suppress
/// bits, then the preload-global bit), (register, name) parameters, then the body.
inline Bytes defineFunction2(const std::string& name, std::uint8_t registers, std::uint8_t flags, std::uint8_t global,
                             std::initializer_list<std::pair<std::uint8_t, std::string>> parameters,
                             const Bytes& body) {
  Bytes fields = join({zstr(name), u16(static_cast<std::uint32_t>(parameters.size())), {registers, flags, global}});
  for (const auto& [number, parameter] : parameters) {
    fields.push_back(number);
    const Bytes text = zstr(parameter);
    fields.insert(fields.end(), text.begin(), text.end());
  }
  const Bytes size = u16(static_cast<std::uint32_t>(body.size()));
  fields.insert(fields.end(), size.begin(), size.end());
  return join({longAction(0x8E, fields), body});
}
/// ActionTry: flags (1 catch, 2 finally, 4 catch into a register), the block sizes, the
/// catch name or register, then the three blocks.
inline Bytes tryBlock(std::uint8_t flags, const Bytes& catchInto, const Bytes& body, const Bytes& handler,
                      const Bytes& last) {
  const Bytes fields = join({{flags}, u16(static_cast<std::uint32_t>(body.size())),
                             u16(static_cast<std::uint32_t>(handler.size())),
                             u16(static_cast<std::uint32_t>(last.size())), catchInto});
  return join({longAction(0x8F, fields), body, handler, last});
}

}  // namespace orvane::test::assembly
