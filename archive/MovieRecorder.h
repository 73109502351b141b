// Reads one movie for the archive: its header, the scan's status, objects, texts and classes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "archive/ArchiveRecords.h"

namespace orvane {

/// Decodes and scans the movie `bytes` (FWS, CWS or ZWS, as stored at `position` of the file
/// `path`) with the walk's full flags and a dry run of the object file writers, then lists
/// its ActionScript 3 objects, as `orvane-cli scan` does. A movie that cannot be decoded or
/// whose walk stops is "damaged" with the message the command-line tool shows, keeping what
/// the walk collected; one that runs out of memory is "memory". Throws std::bad_alloc when
/// memory runs out outside the scan.
MovieRecord recordMovie(std::span<const std::uint8_t> bytes, const std::string& path, std::uint64_t position);

/// Whether a decoded movie opens at all (its header reads): how a projector's candidates
/// that are no movie are told apart.
bool opensAsMovie(std::span<const std::uint8_t> bytes);

}  // namespace orvane
