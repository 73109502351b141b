#include "objects/MovieDecompressor.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/FileTools.h"

namespace orvane {

namespace {

constexpr std::size_t kBlock = 64 * 1024;
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kLzmaPropertiesSize = 5;
constexpr std::uint32_t kLargestDictionary = 256u << 20;

using Block = std::array<std::uint8_t, kBlock>;

/// Where decoded bytes go: at most `expected` of them reach the file.
class BodyWriter {
 public:
  BodyWriter(std::FILE* file, std::uint64_t expected) : m_file(file), m_expected(expected) {}

  /// False when the bytes would pass the declared length or cannot be written.
  bool write(const std::uint8_t* bytes, std::size_t count, std::string& error) {
    if (count > m_expected - m_written) {
      error = "the movie decodes to more bytes than its header declares";
      return false;
    }
    if (count != 0 && std::fwrite(bytes, 1, count, m_file) != count) {
      error = "cannot write the uncompressed movie";
      return false;
    }
    m_written += count;
    return true;
  }
  bool complete() const { return m_written == m_expected; }

 private:
  std::FILE* m_file;
  std::uint64_t m_expected;
  std::uint64_t m_written = 0;
};

bool inflateBody(std::FILE* in, BodyWriter& body, std::string& error) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) {
    error = "out of memory";
    return false;
  }
  Block input;
  Block output;
  int status = Z_OK;
  bool ok = true;
  bool inputEnded = false;
  while (ok && status != Z_STREAM_END) {
    if (stream.avail_in == 0 && !inputEnded) {
      stream.avail_in = static_cast<uInt>(std::fread(input.data(), 1, input.size(), in));
      stream.next_in = input.data();
      inputEnded = stream.avail_in == 0;
    }
    stream.next_out = output.data();
    stream.avail_out = static_cast<uInt>(output.size());
    status = inflate(&stream, Z_NO_FLUSH);
    // Without more input and without output, the stream cannot go on.
    if (status == Z_BUF_ERROR && inputEnded) break;
    if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
      error = "the compressed data is damaged (zlib: " + std::string(stream.msg ? stream.msg : "error") + ")";
      ok = false;
    } else {
      ok = body.write(output.data(), output.size() - stream.avail_out, error);
    }
  }
  inflateEnd(&stream);
  if (ok && status != Z_STREAM_END) {
    error = "the compressed data ends too early";
    ok = false;
  }
  return ok;
}

bool lzmaBody(std::FILE* in, BodyWriter& body, std::uint64_t expected, std::string& error) {
  // After the header: the compressed length (4 bytes, not needed) and the LZMA properties.
  std::array<std::uint8_t, 4 + kLzmaPropertiesSize> head;
  if (std::fread(head.data(), 1, head.size(), in) != head.size()) {
    error = "the file ends inside its LZMA header";
    return false;
  }
  lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
  if (lzma_properties_decode(&filters[0], nullptr, head.data() + 4, kLzmaPropertiesSize) != LZMA_OK) {
    error = "the LZMA properties are invalid";
    return false;
  }
  auto* options = static_cast<lzma_options_lzma*>(filters[0].options);
  // The dictionary need never be larger than the whole output; past that the movie
  // would only ask for memory it cannot use.
  if (options->dict_size > expected) options->dict_size = static_cast<std::uint32_t>(std::max<std::uint64_t>(expected, 4096));
  if (options->dict_size > kLargestDictionary) {
    std::free(options);
    error = "the LZMA dictionary is too large";
    return false;
  }
  // Movies write the stream with or without an end marker after the declared length.
  filters[0].id = LZMA_FILTER_LZMA1EXT;
  options->ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
  lzma_set_ext_size(*options, expected);

  lzma_stream stream = LZMA_STREAM_INIT;
  const lzma_ret initialised = lzma_raw_decoder(&stream, filters);
  std::free(options);
  if (initialised != LZMA_OK) {
    error = "the LZMA properties are invalid";
    return false;
  }
  Block input;
  Block output;
  lzma_ret status = LZMA_OK;
  bool ok = true;
  lzma_action action = LZMA_RUN;
  while (ok && status != LZMA_STREAM_END) {
    if (stream.avail_in == 0 && action == LZMA_RUN) {
      stream.avail_in = std::fread(input.data(), 1, input.size(), in);
      stream.next_in = input.data();
      if (stream.avail_in == 0) action = LZMA_FINISH;
    }
    stream.next_out = output.data();
    stream.avail_out = output.size();
    status = lzma_code(&stream, action);
    if (status != LZMA_OK && status != LZMA_STREAM_END) {
      error = status == LZMA_BUF_ERROR ? "the compressed data ends too early" : "the compressed data is damaged";
      ok = false;
    } else {
      ok = body.write(output.data(), output.size() - stream.avail_out, error);
    }
  }
  lzma_end(&stream);
  return ok;
}

std::uint32_t declaredLength(const std::uint8_t* header) {
  return header[4] | (header[5] << 8) | (header[6] << 16) | (static_cast<std::uint32_t>(header[7]) << 24);
}

bool decode(std::FILE* in, std::FILE* out, std::string& error) {
  std::array<std::uint8_t, kHeaderSize> header;
  if (std::fread(header.data(), 1, header.size(), in) != header.size()) {
    error = "not a movie (shorter than a movie header)";
    return false;
  }
  const bool zlib = header[0] == 'C' && header[1] == 'W' && header[2] == 'S';
  const bool lzma = header[0] == 'Z' && header[1] == 'W' && header[2] == 'S';
  if (!zlib && !lzma) {
    error = header[0] == 'F' && header[1] == 'W' && header[2] == 'S' ? "the movie is not compressed"
                                                                     : "not a compressed movie (no CWS or ZWS signature)";
    return false;
  }
  const std::uint32_t declared = declaredLength(header.data());
  if (declared < kHeaderSize) {
    error = "the header declares a length of " + std::to_string(declared) + " bytes, less than the header itself";
    return false;
  }
  header[0] = 'F';
  if (std::fwrite(header.data(), 1, header.size(), out) != header.size()) {
    error = "cannot write the uncompressed movie";
    return false;
  }
  const std::uint64_t expected = declared - kHeaderSize;
  BodyWriter body(out, expected);
  if (!(zlib ? inflateBody(in, body, error) : lzmaBody(in, body, expected, error))) return false;
  if (!body.complete()) {
    error = "the movie decodes to fewer bytes than its header declares";
    return false;
  }
  return true;
}

}  // namespace

bool decompressMovie(const std::string& source, const std::string& destination, std::string& error) {
  FileHandle in = openFile(source, "rb");
  if (!in) {
    error = "cannot open " + source;
    return false;
  }
  if (isSameFile(source, destination)) {
    error = "the uncompressed movie cannot replace its own source";
    return false;
  }
  FileHandle out = openFile(destination, "wb");
  if (!out) {
    error = "cannot create " + destination;
    return false;
  }
  bool ok = decode(in.get(), out.get(), error);
  if (!closeFile(out) && ok) {
    error = "cannot write " + destination;
    ok = false;
  }
  if (!ok) {
    std::error_code ignored;
    std::filesystem::remove(destination, ignored);
  }
  return ok;
}

}  // namespace orvane
