// The archive's rows for the objects of one scan: kind, serial, names, the digest of each
// object's bytes and the Source text of the objects with actions.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace orvane {

class ScanResult;

/// Where the walk's process-wide counters stood when the scan began: frame actions and
/// streaming sounds take their character ids from them, and the index records the ids a
/// scan of the movie alone gives (counted from 0).
struct CounterBase {
  std::uint32_t frameActions = 0;
  std::uint32_t streamSounds = 0;
};

/// One record per object in the order of `scan --json` (per timeline: frame actions, init
/// actions, ActionScript 3 objects, buttons, instances, images, sounds, videos). `movie` is
/// the uncompressed image the scan walked. What is hashed: an action block's bytes; a
/// button's or clip's condition actions, each after its 32-bit event flags and key code; an
/// image's, event sound's or video stream's tag body after the character id (a video with
/// each frame's body after its stream id); a streaming sound's head and block bodies; the
/// ABC block of an ActionScript 3 class or script. The texts are the Source mode's, made
/// as `actions --all` makes them.
std::vector<ObjectRecord> objectRecords(const ScanResult& result, std::span<const std::uint8_t> movie,
                                        const CounterBase& counters);

}  // namespace orvane
