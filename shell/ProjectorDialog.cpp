#include "shell/ProjectorDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

#include "shell/DisplayText.h"
#include "shell/ShellPrompts.h"

namespace orvane {

ProjectorDialog::ProjectorDialog(const std::string& executable, const std::string& tempFolder, MessageSink& messages,
                                 ProgramLauncher& launcher, ShellPrompts& prompts, QWidget* parent)
    : QDialog(parent),
      m_executable(executable),
      m_tempFolder(tempFolder),
      m_prompts(prompts),
      m_search(messages, launcher),
      m_file(new QLineEdit(displayString(executable), this)),
      m_list(new QTreeWidget(this)),
      m_save(new QPushButton(QStringLiteral("Save Movie As..."), this)),
      m_preview(new QPushButton(QStringLiteral("Preview Movie"), this)),
      m_scan(new QPushButton(QStringLiteral("Scan Movie"), this)) {
  setWindowTitle(QStringLiteral("Orvane - EXE To SWF Scan"));
  m_file->setReadOnly(true);
  m_list->setColumnCount(4);
  m_list->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("SWF Version"), QStringLiteral("At Byte Position"),
                           QStringLiteral("Size (bytes)")});
  const std::array widths = {40, 95, 95, 95};
  for (int column = 0; column < 4; ++column) m_list->setColumnWidth(column, widths[column]);
  m_list->setRootIsDecorated(false);
  m_list->setSelectionBehavior(QAbstractItemView::SelectRows);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("File:"), this), 0, 0);
  layout->addWidget(m_file, 0, 1, 1, 2);
  layout->addWidget(m_list, 1, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  for (QPushButton* button : {m_save, m_preview, m_scan, close}) buttons->addWidget(button);
  buttons->addStretch();
  layout->addLayout(buttons, 1, 2);
  layout->addWidget(
      new QLabel(QStringLiteral("Best matches are listed first. Select a scan result then save it as a file."), this),
      2, 0, 1, 3);

  connect(m_list, &QTreeWidget::itemSelectionChanged, this, &ProjectorDialog::updateButtons);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, &ProjectorDialog::onDoubleClick);
  connect(m_save, &QPushButton::clicked, this, &ProjectorDialog::saveMovieAs);
  connect(m_preview, &QPushButton::clicked, this, &ProjectorDialog::previewMovie);
  connect(m_scan, &QPushButton::clicked, this, &ProjectorDialog::scanMovie);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  updateButtons();
}

bool ProjectorDialog::searchExecutable() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool found = m_search.search(m_executable);
  QApplication::restoreOverrideCursor();
  m_list->clear();
  for (const MovieCandidate& candidate : m_search.candidates()) {
    QStringList texts;
    for (const std::string& text : ProjectorSearch::rowTexts(candidate)) texts << QString::fromStdString(text);
    new QTreeWidgetItem(m_list, texts);
  }
  return found;
}

std::optional<std::string> ProjectorDialog::run() {
  if (!searchExecutable()) return std::nullopt;
  if (exec() != QDialog::Accepted) return std::nullopt;
  return m_moviePath;
}

std::optional<std::int32_t> ProjectorDialog::selectedItem() const {
  const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
  if (selected.isEmpty()) return std::nullopt;
  return selected.front()->text(0).toInt();
}

void ProjectorDialog::updateButtons() {
  const std::optional<std::int32_t> item = selectedItem();
  m_save->setEnabled(item.has_value());
  const bool saved = item.has_value() && m_search.previewEnabled(item);
  m_preview->setEnabled(saved);
  m_scan->setEnabled(saved);
}

void ProjectorDialog::onDoubleClick() {
  if (m_preview->isEnabled()) {
    previewMovie();
  } else {
    saveMovieAs();
  }
}

void ProjectorDialog::saveMovieAs() {
  MovieCandidate* candidate = m_search.candidateToSave(selectedItem());
  if (candidate == nullptr) return;
  const std::optional<std::string> name = m_prompts.savePath(this, QStringLiteral("SWF Files (.swf) (*.swf)"), "");
  if (!name) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::optional<std::string> written = m_search.saveCandidateAs(*candidate, *name);
  QApplication::restoreOverrideCursor();
  if (written) {
    m_preview->setEnabled(true);
    m_scan->setEnabled(true);
  }
}

void ProjectorDialog::previewMovie() { m_search.previewCandidate(selectedItem()); }

void ProjectorDialog::scanMovie() {
  m_moviePath = m_search.scanCandidate(selectedItem(), m_tempFolder);
  if (m_moviePath) QDialog::accept();
}

}  // namespace orvane
