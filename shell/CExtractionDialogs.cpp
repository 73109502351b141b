#include "shell/CExtractionDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "shell/DisplayText.h"

namespace orvane {

namespace {

// The list rows in the order ExtractionSettings names them.
constexpr std::array<const char*, 4> kGroupNames{"Images", "Sounds", "ActionScripts", "Button ActionScripts"};

struct ModeButton {
  ExtractionMode mode;
  const char* label;
};
constexpr std::array<ModeButton, 5> kModeButtons{{
    {ExtractionMode::ActionScript5, "Extract As Action Script Version 5"},
    {ExtractionMode::ActionScript4, "Extract As Action Script Version 4"},
    {ExtractionMode::InstructionCode, "Extract As Instruction Code"},
    {ExtractionMode::ByteCode, "Extract As Byte Code"},
    {ExtractionMode::Source, "Extract As Source"},
}};

QIcon groupIcon(std::size_t row, const QStyle* style) {
  switch (row) {
    case 0:
      return style->standardIcon(QStyle::SP_FileDialogContentsView);
    case 1:
      return style->standardIcon(QStyle::SP_MediaVolume);
    default:
      return style->standardIcon(QStyle::SP_FileIcon);
  }
}

}  // namespace

CExtractionSettingsDialog::CExtractionSettingsDialog(const std::string& directory, QWidget* parent)
    : QDialog(parent),
      m_groups(new QListWidget(this)),
      m_preserve(new QCheckBox(QStringLiteral("Preserve originals"), this)),
      m_assets(new QCheckBox(QStringLiteral("Vector assets"), this)),
      m_directory(new QLineEdit(this)) {
  setWindowTitle(QStringLiteral("Extraction Settings"));
  auto* layout = new QVBoxLayout(this);

  for (std::size_t row = 0; row < kGroupNames.size(); ++row) {
    auto* item = new QListWidgetItem(groupIcon(row, style()), QString::fromLatin1(kGroupNames[row]), m_groups);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
  m_groups->setMaximumHeight(m_groups->sizeHintForRow(0) * 5);
  layout->addWidget(m_groups);

  auto* modes = new QGroupBox(QStringLiteral("Action Script Extraction Settings"), this);
  auto* modeLayout = new QVBoxLayout(modes);
  for (const ModeButton& entry : kModeButtons) {
    auto* button = new QRadioButton(QString::fromLatin1(entry.label), modes);
    modeLayout->addWidget(button);
    m_modes.at(static_cast<std::size_t>(entry.mode)) = button;
  }
  modeButton(ExtractionMode::ActionScript5)->setChecked(true);
  layout->addWidget(modes);

  m_preserve->setToolTip(
      QStringLiteral("Also write lossless pictures and pictures with alpha as PNG, and video streams and "
                     "Nellymoser, G.711 and Speex sounds as FLV"));
  layout->addWidget(m_preserve);
  m_assets->setToolTip(
      QStringLiteral("Also write shapes, morph shapes and texts as SVG, fonts as TrueType or OpenType, and each "
                     "timeline's frames as PNG"));
  layout->addWidget(m_assets);

  auto* folderRow = new QHBoxLayout;
  folderRow->addWidget(new QLabel(QStringLiteral("Extraction Directory :"), this));
  m_directory->setText(displayString(directory));
  folderRow->addWidget(m_directory, 1);
  auto* browseButton = new QPushButton(QStringLiteral("Browse..."), this);
  connect(browseButton, &QPushButton::clicked, this, &CExtractionSettingsDialog::browse);
  folderRow->addWidget(browseButton);
  layout->addLayout(folderRow);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Extract"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

ExtractionSettings CExtractionSettingsDialog::settings() const {
  const auto checked = [this](int row) { return m_groups->item(row)->checkState() == Qt::Checked; };
  ExtractionSettings settings;
  settings.directory = m_directory->text().toStdString();
  settings.images = checked(0);
  settings.sounds = checked(1);
  settings.actions = checked(2);
  settings.buttons = checked(3);
  settings.preserve = m_preserve->isChecked();
  if (m_assets->isChecked()) settings.assets = AssetKinds::all();
  for (const ModeButton& entry : kModeButtons) {
    if (modeButton(entry.mode)->isChecked()) settings.mode = entry.mode;
  }
  return settings;
}

void CExtractionSettingsDialog::browse() {
  const QString folder = QFileDialog::getExistingDirectory(this, QString(), m_directory->text());
  if (!folder.isEmpty()) m_directory->setText(folder);
}

CExtractionReportDialog::CExtractionReportDialog(const std::string& report, QWidget* parent)
    : QDialog(parent), m_lines(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Orvane - [Extraction Report]"));
  auto* layout = new QVBoxLayout(this);
  for (const std::string& line : reportDialogLines(report)) m_lines->addItem(displayString(line));
  layout->addWidget(m_lines);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(620, 420);
}

}  // namespace orvane
