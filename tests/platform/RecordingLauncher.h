// A program launcher for tests: records what would be started and answers capture() from a table.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ProcessLauncher.h"

namespace orvane::test {

class RecordingLauncher : public ProgramLauncher {
 public:
  bool start(const std::vector<std::string>& arguments) override {
    started.push_back(arguments);
    return startSucceeds;
  }
  std::optional<std::string> capture(const std::vector<std::string>& arguments) override {
    captured.push_back(arguments);
    const auto answer = answers.find(arguments);
    if (answer == answers.end()) return std::nullopt;
    return answer->second;
  }

  bool startSucceeds = true;
  std::map<std::vector<std::string>, std::string> answers;
  std::vector<std::vector<std::string>> started;
  std::vector<std::vector<std::string>> captured;
};

}  // namespace orvane::test
