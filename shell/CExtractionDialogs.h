// "Extraction Settings" (what "Extract All Objects" extracts, how and where) and
// "Orvane - [Extraction Report]" (the report of the run, line by line).
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "objects/ExtractionRun.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace orvane {

class CExtractionSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  /// Opens with every group checked, ActionScript 5 chosen, "Preserve originals" and
  /// "Vector assets" clear and `directory` in the field.
  explicit CExtractionSettingsDialog(const std::string& directory, QWidget* parent = nullptr);

  /// The choices as they stand.
  ExtractionSettings settings() const;

  QListWidget* groupList() const { return m_groups; }
  QLineEdit* directoryField() const { return m_directory; }
  QCheckBox* preserveBox() const { return m_preserve; }
  QCheckBox* assetsBox() const { return m_assets; }
  QRadioButton* modeButton(ExtractionMode mode) const { return m_modes.at(static_cast<std::size_t>(mode)); }

 private:
  void browse();

  QListWidget* m_groups;
  std::array<QRadioButton*, 5> m_modes{};  // by ExtractionMode
  QCheckBox* m_preserve;
  QCheckBox* m_assets;
  QLineEdit* m_directory;
};

class CExtractionReportDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CExtractionReportDialog(const std::string& report, QWidget* parent = nullptr);

  QListWidget* lines() const { return m_lines; }

 private:
  QListWidget* m_lines;
};

}  // namespace orvane
