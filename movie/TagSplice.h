// A movie image with one tag given a new body: the tag's header, the DefineSprite tags
// around it and the movie's declared length follow; every other byte stays.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

/// The whole uncompressed image with the body of the tag whose header starts at
/// `headerOffset` replaced by `body`. The tag keeps the long header form when it had it
/// (and takes it when the body reaches 63 bytes); so does each DefineSprite that holds the
/// tag, whose length changes by the same difference. Tags are found by walking the headers
/// from `firstTagOffset`; none (with `error` set) when no tag starts at `headerOffset`,
/// a header runs past the image, or the movie would pass 4 GiB.
std::optional<std::vector<std::uint8_t>> replaceTagBody(std::span<const std::uint8_t> image,
                                                        std::uint32_t firstTagOffset, std::uint32_t headerOffset,
                                                        std::span<const std::uint8_t> body, std::string& error);

}  // namespace orvane
