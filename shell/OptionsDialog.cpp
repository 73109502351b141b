#include "shell/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

constexpr std::array<const char*, 12> kKindLabels = {
    "JPEG Bits",  "JPEG2",         "JPEG3",          "Lossless",
    "Lossless2",  "Frame Actions", "Button Actions", "Instance Actions",
    "Raw Sounds", "MP3 Sounds",    "ADPCM Sounds",   "Streaming Sounds"};
constexpr std::array<const char*, 3> kGroupLabels = {"Images", "Actions", "Sounds"};
// In the order of kModeRadioOrder.
constexpr std::array<const char*, 7> kModeLabels = {
    "Hex", "Integer", "Character", "Function AS Byte Code", "Action Script Version 4", "Action Script Version 5", "Source"};

template <typename Widget>
Widget* named(const char* label, QWidget* parent) {
  auto* widget = new Widget(QString::fromLatin1(label), parent);
  widget->setObjectName(QString::fromLatin1(label));
  return widget;
}

}  // namespace

OptionsDialog::OptionsDialog(const ScanOptions& options, QWidget* parent)
    : QDialog(parent),
      m_showDetails(named<QCheckBox>("Show Advanced Object Details", this)),
      m_showEmpty(named<QCheckBox>("Show Empty Movie Objects", this)),
      m_letOrvaneDecide(named<QCheckBox>("Let Orvane Decide", this)) {
  setWindowTitle(QStringLiteral("Orvane Options"));
  auto* layout = new QVBoxLayout(this);

  auto* advanced = new QGroupBox(QStringLiteral("Advanced"), this);
  auto* advancedLayout = new QVBoxLayout(advanced);
  advancedLayout->addWidget(m_showDetails);
  advancedLayout->addWidget(m_showEmpty);
  layout->addWidget(advanced);

  auto* objects = new QGroupBox(QStringLiteral("Objects To Scan For"), this);
  auto* objectsLayout = new QHBoxLayout(objects);
  std::array<QVBoxLayout*, 3> groupLayouts{};
  for (std::size_t group = 0; group < kGroupLabels.size(); ++group) {
    auto* box = new QGroupBox(objects);
    groupLayouts[group] = new QVBoxLayout(box);
    m_groups[group] = named<QCheckBox>(kGroupLabels[group], box);
    QFont bold = m_groups[group]->font();
    bold.setBold(true);
    m_groups[group]->setFont(bold);
    groupLayouts[group]->addWidget(m_groups[group]);
    connect(m_groups[group], &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
    objectsLayout->addWidget(box, 0, Qt::AlignTop);
  }
  for (std::size_t bit = 0; bit < kKindLabels.size(); ++bit) {
    const auto group = static_cast<std::size_t>(groupOfBit(static_cast<int>(bit)));
    m_kinds[bit] = named<QCheckBox>(kKindLabels[bit], objects);
    groupLayouts[group]->addWidget(m_kinds[bit]);
  }
  layout->addWidget(objects);

  auto* modes = new QGroupBox(QStringLiteral("Default Action Script Translation Mode"), this);
  auto* modesLayout = new QVBoxLayout(modes);
  auto* radioGroup = new QButtonGroup(this);
  for (std::size_t i = 0; i < kModeLabels.size(); ++i) {
    m_modes[i] = named<QRadioButton>(kModeLabels[i], modes);
    radioGroup->addButton(m_modes[i]);
    modesLayout->addWidget(m_modes[i]);
  }
  modesLayout->addWidget(m_letOrvaneDecide);
  connect(m_letOrvaneDecide, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
  layout->addWidget(modes);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  setForm(OptionsForm::fromOptions(options));
}

void OptionsDialog::setForm(const OptionsForm& form) {
  m_showDetails->setChecked(form.showAdvancedDetails);
  m_showEmpty->setChecked(form.showEmptyMovieObjects);
  for (std::size_t bit = 0; bit < m_kinds.size(); ++bit) m_kinds[bit]->setChecked(form.kindChecked[bit]);
  for (std::size_t group = 0; group < m_groups.size(); ++group) m_groups[group]->setChecked(form.groupChecked[group]);
  for (std::size_t i = 0; i < m_modes.size(); ++i) m_modes[i]->setChecked(form.modeChecked[i]);
  m_letOrvaneDecide->setChecked(form.letOrvaneDecide);
  updateEnabling();
}

OptionsForm OptionsDialog::form() const {
  OptionsForm form;
  form.showAdvancedDetails = m_showDetails->isChecked();
  form.showEmptyMovieObjects = m_showEmpty->isChecked();
  for (std::size_t bit = 0; bit < m_kinds.size(); ++bit) form.kindChecked[bit] = m_kinds[bit]->isChecked();
  for (std::size_t group = 0; group < m_groups.size(); ++group) form.groupChecked[group] = m_groups[group]->isChecked();
  for (std::size_t i = 0; i < m_modes.size(); ++i) form.modeChecked[i] = m_modes[i]->isChecked();
  form.letOrvaneDecide = m_letOrvaneDecide->isChecked();
  return form;
}

void OptionsDialog::updateEnabling() {
  for (std::size_t bit = 0; bit < m_kinds.size(); ++bit) {
    const auto group = static_cast<std::size_t>(groupOfBit(static_cast<int>(bit)));
    m_kinds[bit]->setEnabled(!m_groups[group]->isChecked());
  }
  for (QRadioButton* mode : m_modes) mode->setEnabled(!m_letOrvaneDecide->isChecked());
}

}  // namespace orvane
