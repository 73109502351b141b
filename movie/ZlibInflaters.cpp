#include "movie/ZlibInflaters.h"

#include <libdeflate.h>
#include <zlib.h>

#include <array>
#include <memory>

namespace orvane {

namespace {

struct DecompressorFree {
  void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

}  // namespace

Inflated inflateWithLibdeflate(std::span<const std::uint8_t> stream, std::span<std::uint8_t> output) {
  const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(libdeflate_alloc_decompressor());
  if (!decompressor) return {InflateOutcome::OutOfMemory, ""};
  std::size_t written = 0;
  const libdeflate_result result = libdeflate_zlib_decompress_ex(
      decompressor.get(), stream.data(), stream.size(), output.data(), output.size(), nullptr, &written);
  switch (result) {
    case LIBDEFLATE_SUCCESS:
      return {written == output.size() ? InflateOutcome::Complete : InflateOutcome::EndsEarly, ""};
    case LIBDEFLATE_INSUFFICIENT_SPACE:
      return {InflateOutcome::RunsPast, ""};
    default:
      return {InflateOutcome::Corrupt, ""};
  }
}

Inflated inflateWithZlib(std::span<const std::uint8_t> stream, std::span<std::uint8_t> output) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {InflateOutcome::OutOfMemory, ""};
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = output.data();
  z.avail_out = static_cast<uInt>(output.size());
  const int status = inflate(&z, Z_FINISH);
  Inflated result;
  switch (status) {
    case Z_STREAM_END:
      result.outcome = z.avail_out == 0 ? InflateOutcome::Complete : InflateOutcome::EndsEarly;
      break;
    case Z_BUF_ERROR:
      // No progress possible: either the input ran out, or the output is full.
      result.outcome = z.avail_in == 0 ? InflateOutcome::Truncated : InflateOutcome::RunsPast;
      break;
    case Z_MEM_ERROR:
      result.outcome = InflateOutcome::OutOfMemory;
      break;
    case Z_NEED_DICT:
      result.detail = "it needs a preset dictionary";
      break;
    default:
      result.detail = z.msg != nullptr ? z.msg : "error";
      break;
  }
  inflateEnd(&z);
  return result;
}

std::optional<std::uint64_t> zlibStreamLength(std::FILE* file, std::uint64_t expectedOutput) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return std::nullopt;
  std::array<std::uint8_t, 64 * 1024> input;
  std::array<std::uint8_t, 64 * 1024> output;
  std::uint64_t consumed = 0;
  std::uint64_t produced = 0;
  int status = Z_OK;
  while (status == Z_OK && produced <= expectedOutput) {
    if (z.avail_in == 0) {
      z.avail_in = static_cast<uInt>(std::fread(input.data(), 1, input.size(), file));
      z.next_in = input.data();
      if (z.avail_in == 0) break;
    }
    const uInt before = z.avail_in;
    z.next_out = output.data();
    z.avail_out = static_cast<uInt>(output.size());
    status = inflate(&z, Z_NO_FLUSH);
    consumed += before - z.avail_in;
    produced += output.size() - z.avail_out;
  }
  inflateEnd(&z);
  if (status != Z_STREAM_END || produced != expectedOutput) return std::nullopt;
  return consumed;
}

}  // namespace orvane
