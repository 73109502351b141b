// Where the core's message boxes go: the shell shows them, the command-line tool prints them.
#pragma once

#include <string>
#include <vector>

namespace orvane {

enum class MessageIcon { None, Information, Warning, Error };

struct Message {
  std::string title;  // empty: the box has no title of its own
  std::string text;
  MessageIcon icon = MessageIcon::None;

  bool operator==(const Message&) const = default;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void show(const Message& message) = 0;
};

/// Drops every message: for work that reads texts and shows no boxes.
class QuietMessageSink : public MessageSink {
 public:
  void show(const Message&) override {}
};

/// Keeps every message, in order; for tests.
class RecordingMessageSink : public MessageSink {
 public:
  void show(const Message& message) override { m_messages.push_back(message); }
  const std::vector<Message>& messages() const { return m_messages; }
  void clear() { m_messages.clear(); }

 private:
  std::vector<Message> m_messages;
};

/// Writes "TITLE: TEXT" (or "TEXT" for a box without a title) as one line to standard error.
class StderrMessageSink : public MessageSink {
 public:
  void show(const Message& message) override;
};

/// Formats a message the way the command-line tool prints it, without the line feed.
std::string formatMessageLine(const Message& message);

}  // namespace orvane
