#include "movie/MovieRewriter.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <filesystem>

#include "movie/BitWriter.h"
#include "movie/MovieCompressor.h"
#include "movie/MovieFileCheck.h"
#include "movie/ProjectorSearch.h"
#include "movie/ScanResult.h"
#include "platform/FileTools.h"
#include "platform/MessageSink.h"

namespace orvane {

namespace {

constexpr std::int32_t kLargestSide = 3270;
constexpr std::int32_t kFastestRate = 100;
constexpr const char* kNotInteger = "Please enter an integer.";
constexpr const char* kOpenMovieFailed = "Error : Unable to Open SWF File For Reading";
constexpr const char* kOpenTempFailed = "Error : Unable to Open Temp SWF File For Writing";
constexpr const char* kMovieChanged = "Error : The SWF File has changed since it was scanned, please scan it again";
constexpr const char* kWriteTempFailed = "Error : Unable to Write Temp SWF File, the SWF File was not changed";

/// An integer as the dialog reads it: blanks around it and a sign are allowed.
bool parseInteger(const std::string& text, std::int32_t& value) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  if (begin < end && text[begin] == '+') ++begin;
  const auto [stop, error] = std::from_chars(text.data() + begin, text.data() + end, value);
  return begin < end && error == std::errc() && stop == text.data() + end;
}

std::optional<PropertyProblem> checkField(PropertyField field, const std::string& text, std::int32_t low,
                                          std::int32_t high, std::int32_t& value) {
  if (!parseInteger(text, value)) return PropertyProblem{field, kNotInteger};
  if (value < low || value > high)
    return PropertyProblem{field, "Please enter an integer between " + std::to_string(low) + " and " +
                                      std::to_string(high) + "."};
  return std::nullopt;
}

void putU16(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void showError(MessageSink& sink, const char* text) { sink.show({"", text, MessageIcon::Error}); }

}  // namespace

std::optional<PropertyProblem> validateMovieProperties(const std::string& width, const std::string& height,
                                                       const std::string& frameRate, MovieProperties& properties) {
  if (auto problem = checkField(PropertyField::Width, width, 1, kLargestSide, properties.width)) return problem;
  if (auto problem = checkField(PropertyField::Height, height, 1, kLargestSide, properties.height)) return problem;
  return checkField(PropertyField::FrameRate, frameRate, 1, kFastestRate, properties.frameRate);
}

std::array<std::uint8_t, kRewrittenHeaderLength> rewrittenHeader(const ScanResult& scan,
                                                                 const MovieProperties& properties) {
  std::array<std::uint8_t, kRewrittenHeaderLength> header{};
  header[0] = 'F';
  header[1] = 'W';
  header[2] = 'S';
  header[3] = static_cast<std::uint8_t>(scan.version);
  const std::uint32_t length = scan.fileLength - scan.headerLength + kRewrittenHeaderLength;
  putU16(&header[4], length & 0xFFFFu);
  putU16(&header[6], length >> 16);
  BitWriter rect;
  rect.writeBits(20, 5);
  rect.writeBits(0, 20);
  rect.writeBits(static_cast<std::uint32_t>(properties.width) * 20, 20);
  rect.writeBits(0, 20);
  rect.writeBits(static_cast<std::uint32_t>(properties.height) * 20, 20);
  rect.flush();
  std::copy(rect.bytes().begin(), rect.bytes().end(), header.begin() + 8);
  header[19] = 0;
  header[20] = static_cast<std::uint8_t>(properties.frameRate);
  putU16(&header[21], scan.frameCount);
  return header;
}

bool editMovieProperties(const std::string& path, const ScanResult& scan, const MovieProperties& properties,
                         MessageSink& sink) {
  DiskMovieImage movie;
  if (!movie.open(path)) {
    showError(sink, kOpenMovieFailed);
    return false;
  }
  const auto onDisk = readDiskMovieHeader(movie.get());
  if (!onDisk || !matchesScan(*onDisk, scan)) {
    showError(sink, kMovieChanged);
    return false;
  }
  const std::string tempPath = path + "t";
  FileHandle temp = createFileNoFollow(tempPath);
  if (!temp) {
    showError(sink, kOpenTempFailed);
    return false;
  }
  const auto header = rewrittenHeader(scan, properties);
  bool written = std::fwrite(header.data(), 1, header.size(), temp.get()) == header.size() &&
                 std::fseek(movie.get(), static_cast<long>(scan.headerLength), SEEK_SET) == 0 &&
                 copyStream(movie.get(), temp.get()).ok;
  const MovieCompression compression = movie.compression();
  movie.close();
  // The rewritten movie is stored the way the original was.
  written = closeFile(temp) && written && compressMovieFile(tempPath, compression);
  // The movie is replaced in one step, and only by a complete file.
  if (!written || !replaceFile(tempPath, path)) {
    std::remove(tempPath.c_str());
    showError(sink, kWriteTempFailed);
    return false;
  }
  return true;
}

std::optional<std::string> saveMovieAs(const std::string& currentPath, const std::string& name, MessageSink& sink) {
  const std::string destination = name.size() > 1 ? withSwfExtension(name) : name;
  // Copying a file onto itself would first truncate it; it already holds the movie.
  bool saved = isSameFile(currentPath, destination);
  if (!saved) {
    std::error_code error;
    saved = std::filesystem::copy_file(currentPath, destination, std::filesystem::copy_options::overwrite_existing,
                                       error);
  }
  if (!saved) {
    showError(sink, kSaveFailed);
    return std::nullopt;
  }
  sink.show({"Orvane", kSaveAsSucceeded, MessageIcon::Information});
  return destination;
}

}  // namespace orvane
