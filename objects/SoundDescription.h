// The five lines the sound window shows for a WAV or MP3 object file, and what Play does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class MessageSink;
class ProgramLauncher;

/// The value texts of the sound window; every value starts as "unknown...".
struct SoundDescription {
  std::string size = "unknown...";
  std::string type = "unknown...";
  std::string format = "unknown...";
  std::string length = "unknown...";
  std::string rate = "unknown...";
  std::string error;

  /// Describes the file at `path` by its last four characters (".mp3" or ".wav", compared
  /// exactly); true when a description was made. A missing file sets `error` and leaves
  /// the values as they were. A file too short for its header is unreadable: false, values
  /// unchanged for MP3, "Invalid Format..." for WAV.
  [[nodiscard]] bool load(const std::string& path);

  /// "Size (bytes)<TAB>...", "Type<TAB>...", "Format<TAB>...", "Length<TAB>...",
  /// "Rate<TAB>...", each ended by a line feed, in the order the window shows them.
  std::string lines() const;

  static constexpr const char* kMissingFile = "Error, File not found or does not exist";
  static constexpr const char* kInvalidFormat = "Invalid Format...";
};

/// The description of the first four bytes of an MPEG audio file of `fileLength` bytes.
void describeMp3(const unsigned char (&head)[4], std::uint64_t fileLength, SoundDescription& description);
/// The description of the 16 "fmt " bytes at offset 20 of a WAV file of `fileLength` bytes;
/// false for any format other than PCM.
bool describeWave(const unsigned char (&format)[16], std::uint64_t fileLength, SoundDescription& description);

/// What Play does with a sound file.
enum class PlayRoute {
  None,            // a path shorter than two characters
  ExternalPlayer,  // an MP3 file, handed to the desktop's player
  WavePlayer,      // anything else: the caller plays it as WAV
};

/// Play: for an MP3 file shows "This is an MP3 file and an extrenal play must be used."
/// and starts the external player.
PlayRoute playSound(const std::string& path, MessageSink& sink, ProgramLauncher& launcher);

/// Opens `path` with the desktop's opener; failing that, with the default application of
/// audio/mpeg found in `applicationFolders`. Silent when neither can be started; false then.
bool openInExternalPlayer(const std::string& path, ProgramLauncher& launcher,
                          const std::vector<std::string>& applicationFolders);

}  // namespace orvane
