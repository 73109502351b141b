// The records that scanning workers hand the archive's writer, decoded from any bytes, and a
// decoded record encoded again must decode to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "archive/RecordCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::optional<orvane::FileRecord> record = orvane::decodeFileRecord(std::span(data, size));
  if (!record) return 0;
  orvane::SentTexts sent;
  const std::vector<std::uint8_t> again = orvane::encodeFileRecord(*record, sent);
  const std::optional<orvane::FileRecord> twice = orvane::decodeFileRecord(again);
  if (!twice) std::abort();
  orvane::SentTexts fresh;
  if (orvane::encodeFileRecord(*twice, fresh) != again) std::abort();
  return 0;
}
