// "Orvane Options": the scan flags, the two display options and the default translation mode.
#pragma once

#include <QDialog>
#include <array>

#include "shell/OptionsForm.h"

class QCheckBox;
class QRadioButton;

namespace orvane {

/// Widgets carry their label as object name, so that they can be found by it.
class OptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OptionsDialog(const ScanOptions& options, QWidget* parent = nullptr);

  /// The marks as they stand.
  OptionsForm form() const;

 private:
  void setForm(const OptionsForm& form);
  void updateEnabling();

  QCheckBox* m_showDetails;
  QCheckBox* m_showEmpty;
  std::array<QCheckBox*, 12> m_kinds{};
  std::array<QCheckBox*, 3> m_groups{};
  std::array<QRadioButton*, 7> m_modes{};
  QCheckBox* m_letOrvaneDecide;
};

}  // namespace orvane
