// Runs orvane-cli in-process for tests and keeps its exit status, output and messages.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/Verbs.h"
#include "platform/MessageSink.h"

namespace orvane::test {

struct CliOutcome {
  int status = 0;
  std::string out;
  std::string err;
  /// The boxes as orvane-cli prints them on standard error, one line each.
  std::vector<std::string> messages;
};

inline CliOutcome runOrvaneCli(const std::vector<std::string>& arguments) {
  std::ostringstream out;
  std::ostringstream err;
  RecordingMessageSink sink;
  CliOutcome outcome;
  {
    CliContext context(out, err, sink);
    outcome.status = runCli(arguments, context);
  }
  outcome.out = out.str();
  outcome.err = err.str();
  for (const Message& message : sink.messages()) outcome.messages.push_back(formatMessageLine(message));
  return outcome;
}

}  // namespace orvane::test
