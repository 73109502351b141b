// Walks a movie's tag stream once, descending into sprites, and collects its objects.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "movie/ActionTagLayout.h"
#include "movie/ObjectFileWriter.h"
#include "movie/ScanResult.h"
#include "movie/ScanStatus.h"
#include "movie/SwfMovie.h"

namespace orvane {

class MessageSink;

/// Owns the movie. Every tag body is read through a reader bounded by that body, and a
/// sprite's tags are bounded by the DefineSprite body, so a bad length never makes a
/// handler read into the next tag or outside the movie. Sprites are walked with an
/// explicit stack: nesting depth costs memory in proportion to the input, never stack.
class TagWalker {
 public:
  TagWalker(ObjectFileWriter& writer, MessageSink& sink) : m_writer(writer), m_sink(sink) {}

  /// Opens the movie file (FWS, CWS or ZWS) and forgets the JPEG tables, the current stream
  /// and timeline. A damaged compressed movie gives 113 with errorText() saying how.
  [[nodiscard]] ScanStatus open(const std::string& path);
  /// The same for an uncompressed movie image already in memory, which its file stores
  /// with `compression`.
  [[nodiscard]] ScanStatus openBytes(std::vector<std::uint8_t> bytes, const std::string& path,
                                     MovieCompression compression = MovieCompression::None);
  /// Walks the opened movie into the result; call only after open returned 106.
  [[nodiscard]] ScanStatus scan(std::uint32_t flags);

  void setTempFolder(std::string folder) { m_tempFolder = std::move(folder); }
  void setResult(ScanResult* result) { m_result = result; }
  const std::string& tempFolder() const { return m_tempFolder; }
  const SwfMovie& movie() const { return m_movie; }
  /// Copies the header values of the opened movie into `result`.
  void copyHeaderInto(ScanResult& result) const;
  const std::string& errorText() const { return m_errorText; }

  /// Process-wide counters: they start at 0 and are never reset, not even by a new scan.
  static std::uint32_t frameActionCounter() { return s_frameActionCounter; }
  static std::uint32_t streamSoundCounter() { return s_streamSoundCounter; }

 private:
  struct Walk {
    std::uint64_t limit = 0;  // the body end of the DefineSprite, or the end of the movie
    std::int32_t frame = 0;
    std::string label;
    TimelineNode* timeline = nullptr;
    TimelineNode* outerTimeline = nullptr;
  };

  void forgetMovieState();
  [[nodiscard]] ScanStatus walkTimelines();
  void handleTag(const TagHeader& header, std::vector<Walk>& walks);
  void disposeStatus();

  void collectCommon(MovieObject& object, const TagHeader& header, std::int32_t frame) const;
  std::span<const std::uint8_t> bodyOf(const TagHeader& header) const;

  void handleFrameAction(const TagHeader& header, const Walk& walk);
  void handleInitAction(const TagHeader& header, const Walk& walk);
  /// Records a DoABC or DoABC1 tag; its scripts and classes are listed later.
  void handleDoAbc(const TagHeader& header, const Walk& walk);
  /// DefineButton and DefineButton2, with their condition actions.
  void handleButton(const TagHeader& header, const Walk& walk);
  /// PlaceObject2 and PlaceObject3 with clip actions.
  void handlePlacement(const TagHeader& header, const Walk& walk);
  /// A new object that `add` appends to the walk's timeline, with the tag's offsets, the
  /// walk's frame and label and `typeName`; none (and status 108) when it cannot be added.
  template <class Object>
  Object* collect(Object* (TimelineNode::*add)(std::int32_t), const TagHeader& header, const Walk& walk,
                  const char* typeName);
  /// One condition action per block of the layout, in its order.
  void addConditionActions(ButtonObject& owner, std::span<const std::uint8_t> body, const ActionTagLayout& layout,
                           const Walk& walk) const;
  void handleJpegTables(const TagHeader& header, const Walk& walk);
  void handleImage(const TagHeader& header, const Walk& walk);
  void handleDefineSound(const TagHeader& header, const Walk& walk);
  void handleStreamHead(const TagHeader& header, const Walk& walk);
  void handleStreamBlock(const TagHeader& header);
  void handleVideoStream(const TagHeader& header, const Walk& walk);
  void handleVideoFrame(const TagHeader& header);
  void handleDefineSprite(const TagHeader& header, std::vector<Walk>& walks);
  void recordDisplayTag(const TagHeader& header, const Walk& walk);
  void handleBackground(const TagHeader& header);
  /// A new asset that `add` appends to the walk's timeline, with the tag's code, body and
  /// offsets and its character id; none (and status 108) when it cannot be added.
  template <class Asset>
  Asset* collectAsset(Asset* (TimelineNode::*add)(), const TagHeader& header, const Walk& walk,
                      const char* typeName);
  void handleDefineFont(const TagHeader& header, const Walk& walk);
  /// Attaches a DefineFontInfo, DefineFontInfo2, DefineFontAlignZones or DefineFontName to its font.
  void handleFontPart(const TagHeader& header);

  ObjectFileWriter& m_writer;
  MessageSink& m_sink;
  SwfMovie m_movie;
  ScanResult* m_result = nullptr;
  std::string m_tempFolder;  // empty: the private temp folder, found at the first scan
  std::uint32_t m_flags = 0;
  TimelineNode* m_currentTimeline = nullptr;
  ScanStatus m_status = ScanStatus::Success;
  std::string m_errorText;
  std::vector<std::uint8_t> m_jpegTables;
  bool m_hasJpegTables = false;
  SoundObject* m_currentStream = nullptr;
  /// The video streams of this scan by character id; a later definition of an id wins.
  std::unordered_map<std::uint16_t, VideoObject*> m_videoStreams;
  /// The fonts of this scan by character id, for the tags that describe them; a later one wins.
  std::unordered_map<std::uint16_t, FontObject*> m_fonts;
  bool m_backgroundSeen = false;

  static std::uint32_t s_frameActionCounter;
  static std::uint32_t s_streamSoundCounter;
};

}  // namespace orvane
