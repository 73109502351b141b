// The message sink of the desktop program: every core message becomes a message box.
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/MessageSink.h"

namespace orvane {

class QtMessageSink : public MessageSink {
 public:
  explicit QtMessageSink(QWidget* parent = nullptr) : m_parent(parent) {}
  void setParent(QWidget* parent) { m_parent = parent; }
  void show(const Message& message) override;

 private:
  QPointer<QWidget> m_parent;
};

}  // namespace orvane
