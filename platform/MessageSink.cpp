#include "platform/MessageSink.h"

#include <cstdio>

namespace orvane {

std::string formatMessageLine(const Message& message) {
  if (message.title.empty()) return message.text;
  return message.title + ": " + message.text;
}

void StderrMessageSink::show(const Message& message) {
  const std::string line = formatMessageLine(message) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace orvane
