#include "shell/QtMessageSink.h"

#include <QMessageBox>

#include "shell/DisplayText.h"

namespace orvane {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageSink::show(const Message& message) {
  QMessageBox box(boxIcon(message.icon), displayString(message.title), displayString(message.text), QMessageBox::Ok,
                  m_parent);
  box.exec();
}

}  // namespace orvane
