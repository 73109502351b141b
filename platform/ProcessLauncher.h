// Starts other programs with an argument vector, never through a shell.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  /// Starts arguments[0] (looked up in PATH) with the whole vector as its arguments and
  /// does not wait for it; false when it could not be started.
  [[nodiscard]] virtual bool start(const std::vector<std::string>& arguments) = 0;
  /// Runs the program to its end and returns what it wrote on standard output (at most
  /// 64 KiB are kept); none when it could not be started or did not exit with status 0.
  virtual std::optional<std::string> capture(const std::vector<std::string>& arguments) = 0;
};

/// Runs real processes with posix_spawnp; a started program is reaped by a detached
/// thread, so no zombie stays behind.
class SystemLauncher : public ProgramLauncher {
 public:
  [[nodiscard]] bool start(const std::vector<std::string>& arguments) override;
  std::optional<std::string> capture(const std::vector<std::string>& arguments) override;
};

}  // namespace orvane
