#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "shell/CExtractionDialogs.h"
#include "shell/CImageReplaceDialog.h"
#include "shell/ColourDialog.h"
#include "shell/DisplayText.h"
#include "shell/OptionsDialog.h"
#include "shell/ProjectorDialog.h"
#include "shell/PropertiesDialog.h"
#include "shell/ShellPrompts.h"

namespace orvane {

std::optional<std::string> DialogPrompts::openPath(QWidget* parent) {
  const QString path = QFileDialog::getOpenFileName(
      parent, QString(), QString(),
      QStringLiteral("All Supported Formats (*.swf *.exe);;Shock Wave FLASH files (*.swf);;"
                     "Projector\\Program files (*.exe)"));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> DialogPrompts::savePath(QWidget* parent, const QString& filter,
                                                   const std::string& proposed) {
  const QString path = QFileDialog::getSaveFileName(parent, QString(), displayString(proposed), filter, nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

std::optional<std::string> DialogPrompts::projectorMovie(QWidget* parent, const std::string& executable,
                                                         const std::string& tempFolder) {
  ProjectorDialog dialog(executable, tempFolder, m_messages, m_launcher, *this, parent);
  return dialog.run();
}

std::optional<MovieProperties> DialogPrompts::movieProperties(QWidget* parent, const ScanResult& scan) {
  PropertiesDialog dialog(scan, m_messages, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.properties();
}

bool DialogPrompts::editOptions(QWidget* parent, ScanOptions& options) {
  OptionsDialog dialog(options, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.form().applyTo(options);
  return true;
}

bool DialogPrompts::editColours(QWidget* parent, SyntaxColours& colours) {
  ColourDialog dialog(colours, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  colours = dialog.colours();
  return true;
}

std::optional<std::string> DialogPrompts::replacementPicture(QWidget* parent, const std::string& originalPath) {
  CImageReplaceDialog dialog(originalPath, m_messages, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.selectedPath();
}

std::optional<ExtractionSettings> DialogPrompts::extractionSettings(QWidget* parent, const std::string& directory) {
  CExtractionSettingsDialog dialog(directory, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.settings();
}

void DialogPrompts::showExtractionReport(QWidget* parent, const std::string& report) {
  CExtractionReportDialog dialog(report, parent);
  dialog.exec();
}

ChangesAnswer DialogPrompts::askAboutChanges(QWidget* parent, const QString& question, const QString& keepLabel) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Orvane"), question, QMessageBox::NoButton, parent);
  QPushButton* keep = box.addButton(keepLabel, QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("Discard"), QMessageBox::DestructiveRole);
  box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(keep);
  box.exec();
  if (box.clickedButton() == keep) return ChangesAnswer::Keep;
  return box.clickedButton() == discard ? ChangesAnswer::Discard : ChangesAnswer::Cancel;
}

}  // namespace orvane
