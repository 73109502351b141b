#include "shell/ObjectSaveCommand.h"

#include <QStringList>

#include "shell/ShellPrompts.h"

namespace orvane {

QString objectSaveFilter(const std::string& tempPath) {
  // The core gives the filter as "description|pattern|"; Qt wants "description (pattern)".
  const QStringList parts = QString::fromStdString(objectFileFilter(objectFileExtension(tempPath))).split(u'|');
  return parts.value(0) + QStringLiteral(" (") + parts.value(1) + u')';
}

std::optional<std::string> saveObjectAs(QWidget* parent, ShellPrompts& prompts, MessageSink& messages,
                                        const std::string& tempPath, ObjectWindow window) {
  const std::optional<std::string> chosen = prompts.savePath(parent, objectSaveFilter(tempPath), std::string());
  if (!chosen) return std::nullopt;
  return SaveObjectFile(tempPath, *chosen, window, messages);
}

}  // namespace orvane
