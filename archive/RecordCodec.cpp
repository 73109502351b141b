#include "archive/RecordCodec.h"

#include <bit>
#include <cstring>

#include "movie/BitReader.h"

namespace orvane {

namespace {

constexpr std::size_t kForgetAfter = std::size_t{1} << 20;

class RecordWriter {
 public:
  void u8(std::uint8_t value) { m_bytes.push_back(value); }
  void u32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
  }
  void u64(std::uint64_t value) {
    u32(static_cast<std::uint32_t>(value));
    u32(static_cast<std::uint32_t>(value >> 32));
  }
  void real(double value) { u64(std::bit_cast<std::uint64_t>(value)); }
  void text(const std::string& value) {
    u32(static_cast<std::uint32_t>(value.size()));
    m_bytes.insert(m_bytes.end(), value.begin(), value.end());
  }
  void digest(const Digest& value) { m_bytes.insert(m_bytes.end(), value.begin(), value.end()); }
  std::vector<std::uint8_t> take() { return std::move(m_bytes); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

/// Reads what RecordWriter wrote; a read past the end marks the whole record as bad.
class RecordReader {
 public:
  explicit RecordReader(std::span<const std::uint8_t> bytes) : m_reader(bytes) {}
  bool good() const { return !m_reader.exhausted() && !m_bad; }
  bool atEnd() const { return m_reader.remaining() == 0; }

  std::uint8_t u8() { return m_reader.readU8(); }
  std::uint32_t u32() { return m_reader.readU32(); }
  std::uint64_t u64() {
    const std::uint64_t low = m_reader.readU32();
    return low | std::uint64_t{m_reader.readU32()} << 32;
  }
  double real() { return std::bit_cast<double>(u64()); }
  std::string text() {
    const std::uint32_t size = u32();
    if (size > m_reader.remaining()) {
      m_bad = true;
      return {};
    }
    const std::span<const std::uint8_t> bytes = m_reader.bytesAt(m_reader.position(), size);
    m_reader.skip(size);
    return std::string(bytes.begin(), bytes.end());
  }
  Digest digest() {
    Digest value{};
    if (m_reader.remaining() < value.size()) {
      m_bad = true;
      return value;
    }
    const std::span<const std::uint8_t> bytes = m_reader.bytesAt(m_reader.position(), value.size());
    std::memcpy(value.data(), bytes.data(), value.size());
    m_reader.skip(static_cast<std::uint32_t>(value.size()));
    return value;
  }
  /// A count of items that each take at least `itemSize` bytes.
  std::uint32_t count(std::uint32_t itemSize) {
    const std::uint32_t value = u32();
    if (value > m_reader.remaining() / itemSize) m_bad = true;
    return m_bad ? 0 : value;
  }
  /// A value of an enumeration with `limit` members.
  template <typename Enum>
  Enum member(std::uint8_t limit) {
    const std::uint8_t value = u8();
    if (value >= limit) m_bad = true;
    return static_cast<Enum>(value);
  }

 private:
  BitReader m_reader;
  bool m_bad = false;
};

void writeObject(RecordWriter& out, const ObjectRecord& object, SentTexts& sent) {
  out.text(object.kind);
  out.u32(static_cast<std::uint32_t>(object.serial));
  out.u32(object.characterId);
  out.u32(static_cast<std::uint32_t>(object.frame));
  out.text(object.typeName);
  out.text(object.name);
  out.u64(object.length);
  out.digest(object.sha256);
  out.u8(object.hasText ? 1 : 0);
  if (!object.hasText) return;
  out.digest(object.textSha256);
  const bool withText = object.text.has_value() && sent.firstTime(object.textSha256);
  out.u8(withText ? 1 : 0);
  if (withText) out.text(*object.text);
}

ObjectRecord readObject(RecordReader& in) {
  ObjectRecord object;
  object.kind = in.text();
  object.serial = static_cast<std::int32_t>(in.u32());
  object.characterId = static_cast<std::uint16_t>(in.u32());
  object.frame = static_cast<std::int32_t>(in.u32());
  object.typeName = in.text();
  object.name = in.text();
  object.length = in.u64();
  object.sha256 = in.digest();
  object.hasText = in.u8() != 0;
  if (!object.hasText) return object;
  object.textSha256 = in.digest();
  if (in.u8() != 0) object.text = in.text();
  return object;
}

void writeHeader(RecordWriter& out, const MovieHeader& header) {
  out.text(header.signature);
  out.text(header.compression);
  out.u32(header.version);
  out.u32(header.fileLength);
  out.u8(header.hasStage ? 1 : 0);
  out.u32(static_cast<std::uint32_t>(header.width));
  out.u32(static_cast<std::uint32_t>(header.height));
  out.real(header.frameRate);
  out.u32(header.frameCount);
}

MovieHeader readHeader(RecordReader& in) {
  MovieHeader header;
  header.signature = in.text();
  header.compression = in.text();
  header.version = in.u32();
  header.fileLength = in.u32();
  header.hasStage = in.u8() != 0;
  header.width = static_cast<std::int32_t>(in.u32());
  header.height = static_cast<std::int32_t>(in.u32());
  header.frameRate = in.real();
  header.frameCount = in.u32();
  return header;
}

void writeMovie(RecordWriter& out, const MovieRecord& movie, SentTexts& sent) {
  out.u64(movie.position);
  out.u8(static_cast<std::uint8_t>(movie.status));
  out.u32(movie.scanStatus);
  out.text(movie.error);
  out.text(movie.warnings);
  out.u8(movie.sha256 ? 1 : 0);
  if (movie.sha256) out.digest(*movie.sha256);
  out.u8(movie.header ? 1 : 0);
  if (movie.header) writeHeader(out, *movie.header);
  out.u32(static_cast<std::uint32_t>(movie.objects.size()));
  for (const ObjectRecord& object : movie.objects) writeObject(out, object, sent);
  out.u32(static_cast<std::uint32_t>(movie.classes.size()));
  for (const ClassRecord& record : movie.classes) {
    out.u32(static_cast<std::uint32_t>(record.serial));
    out.text(record.package);
    out.text(record.name);
    out.text(record.superClass);
    out.text(record.interfaces);
  }
}

MovieRecord readMovie(RecordReader& in) {
  MovieRecord movie;
  movie.position = in.u64();
  movie.status = in.member<MovieStatus>(5);
  movie.scanStatus = in.u32();
  movie.error = in.text();
  movie.warnings = in.text();
  if (in.u8() != 0) movie.sha256 = in.digest();
  if (in.u8() != 0) movie.header = readHeader(in);
  // The smallest object and class take these many bytes.
  constexpr std::uint32_t kObjectBytes = 4 + 4 + 4 + 4 + 4 + 4 + 8 + 32 + 1;
  constexpr std::uint32_t kClassBytes = 4 + 4 * 4;
  const std::uint32_t objects = in.count(kObjectBytes);
  for (std::uint32_t i = 0; i < objects && in.good(); ++i) movie.objects.push_back(readObject(in));
  const std::uint32_t classes = in.count(kClassBytes);
  for (std::uint32_t i = 0; i < classes && in.good(); ++i) {
    ClassRecord& record = movie.classes.emplace_back();
    record.serial = static_cast<std::int32_t>(in.u32());
    record.package = in.text();
    record.name = in.text();
    record.superClass = in.text();
    record.interfaces = in.text();
  }
  return movie;
}

}  // namespace

bool SentTexts::firstTime(const Digest& digest) {
  if (m_sent.size() >= kForgetAfter) m_sent.clear();
  return m_sent.insert(digest).second;
}

std::size_t SentTexts::DigestHash::operator()(const Digest& digest) const {
  std::size_t value = 0;
  std::memcpy(&value, digest.data(), sizeof value);
  return value;
}

std::vector<std::uint8_t> encodeFileRecord(const FileRecord& file, SentTexts& sent) {
  RecordWriter out;
  out.u8(static_cast<std::uint8_t>(file.kind));
  out.text(file.readError);
  out.u32(static_cast<std::uint32_t>(file.movies.size()));
  for (const MovieRecord& movie : file.movies) writeMovie(out, movie, sent);
  return out.take();
}

std::optional<FileRecord> decodeFileRecord(std::span<const std::uint8_t> bytes) {
  RecordReader in(bytes);
  FileRecord file;
  file.kind = in.member<FileKind>(3);
  file.readError = in.text();
  constexpr std::uint32_t kMovieBytes = 8 + 1 + 4 + 4 + 4 + 1 + 1 + 4 + 4;
  const std::uint32_t movies = in.count(kMovieBytes);
  for (std::uint32_t i = 0; i < movies && in.good(); ++i) file.movies.push_back(readMovie(in));
  if (!in.good() || !in.atEnd()) return std::nullopt;
  return file;
}

}  // namespace orvane
