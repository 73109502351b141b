// Compressed movies (CWS through zlib, ZWS through LZMA) written out as uncompressed FWS movies.
#pragma once

#include <string>

namespace orvane {

/// Writes `source`, a CWS or ZWS movie, to `destination` as an FWS movie: its first eight
/// bytes with the signature "FWS" (version and declared length kept), then the decoded
/// body. The body must decode to exactly the declared length less the eight header bytes;
/// anything else fails. Memory use is a few fixed blocks plus, for ZWS, the LZMA
/// dictionary (refused above 256 MiB). On failure `error` says why and no destination is
/// left behind; `destination` naming `source` itself is refused.
[[nodiscard]] bool decompressMovie(const std::string& source, const std::string& destination, std::string& error);

}  // namespace orvane
