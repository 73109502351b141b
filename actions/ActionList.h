// Decoding an action block into its records: the factory, the owning list and the walk.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "actions/ActionRecord.h"

namespace orvane {

class MessageSink;

/// The records of one block in block order; the list owns them.
using ActionList = std::vector<std::unique_ptr<ActionRecord>>;

/// A new record of the class for `code` over the `size` bytes at `data` (which must lie
/// inside the block), or none when allocation fails. Code 0x13 (string equality) makes an
/// ActionEquals; codes without a class, 0 included, make a plain ActionRecord.
std::unique_ptr<ActionRecord> CreateRecord(std::uint8_t code, const std::uint8_t* data, std::uint32_t size);

/// The size of the record at `offset` of `block`: 1 for a short action, 3 + its length
/// for a long one; none at the end of the block, or when the record (or the length field
/// of a long one) would run past it.
std::optional<std::uint32_t> recordSizeAt(std::span<const std::uint8_t> block, std::size_t offset);

/// Replaces the list's records with those of `block`. A record that would run past the end
/// of the block (or a long action without room for its length field) ends the walk with
/// the message "Error During Action Script Translation.. Invalid Instruction size found";
/// the records before it stay. The records point into `block`, which must outlive them.
void DecodeBlock(std::span<const std::uint8_t> block, ActionList& list, MessageSink& messages);

}  // namespace orvane
