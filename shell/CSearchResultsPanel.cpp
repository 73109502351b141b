#include "shell/CSearchResultsPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <array>

#include "movie/MovieObject.h"
#include "search/MovieSearch.h"
#include "shell/DisplayText.h"

namespace orvane {

namespace {

constexpr std::array kModes = {TranslationMode::Source, TranslationMode::ActionScript5,     TranslationMode::ActionScript4,
                               TranslationMode::FunctionCode,      TranslationMode::ByteCodeHex,
                               TranslationMode::ByteCodeCharacter, TranslationMode::ByteCodeInteger,
                               TranslationMode::Assembly};

constexpr int kLocationRole = Qt::UserRole;

}  // namespace

CSearchResultsPanel::CSearchResultsPanel(QWidget* parent)
    : QWidget(parent),
      m_pattern(new QLineEdit(this)),
      m_mode(new QComboBox(this)),
      m_regex(new QCheckBox(QStringLiteral("Regular expression"), this)),
      m_ignoreCase(new QCheckBox(QStringLiteral("Ignore case"), this)),
      m_find(new QPushButton(QStringLiteral("Find"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_progress(new QProgressBar(this)),
      m_status(new QLabel(this)),
      m_hits(new QListWidget(this)) {
  setObjectName(QStringLiteral("searchResults"));
  m_pattern->setObjectName(QStringLiteral("searchPattern"));
  m_pattern->setPlaceholderText(QStringLiteral("Find in Movie"));
  for (const TranslationMode mode : kModes) {
    m_mode->addItem(QString::fromLatin1(modeMenuText(mode)), static_cast<int>(mode));
  }
  m_mode->setCurrentIndex(m_mode->findData(static_cast<int>(defaultSearchMode())));
  m_hits->setObjectName(QStringLiteral("searchHits"));
  m_hits->setFont(QFont(QStringLiteral("Courier New"), 9));
  m_hits->setUniformItemSizes(true);
  m_progress->setTextVisible(false);
  m_progress->setMaximumHeight(m_pattern->sizeHint().height() / 2);
  m_cancel->setEnabled(false);

  auto* controls = new QHBoxLayout;
  controls->addWidget(m_pattern, 1);
  controls->addWidget(m_mode);
  controls->addWidget(m_regex);
  controls->addWidget(m_ignoreCase);
  controls->addWidget(m_find);
  controls->addWidget(m_cancel);
  auto* state = new QHBoxLayout;
  state->addWidget(m_status, 1);
  state->addWidget(m_progress, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(controls);
  layout->addLayout(state);
  layout->addWidget(m_hits, 1);

  connect(m_pattern, &QLineEdit::returnPressed, this, &CSearchResultsPanel::start);
  connect(m_find, &QPushButton::clicked, this, &CSearchResultsPanel::start);
  connect(m_cancel, &QPushButton::clicked, this, &CSearchResultsPanel::stop);
  connect(m_hits, &QListWidget::itemActivated, this, &CSearchResultsPanel::onActivated);
}

CSearchResultsPanel::~CSearchResultsPanel() { stop(); }

void CSearchResultsPanel::setScanResult(const ScanResult* result) {
  stop();
  ++m_generation;
  m_result = result;
  m_hits->clear();
  m_status->clear();
  m_progress->reset();
}

void CSearchResultsPanel::focusPattern() {
  m_pattern->selectAll();
  m_pattern->setFocus();
}

void CSearchResultsPanel::start() {
  stop();
  const unsigned generation = ++m_generation;
  m_hits->clear();
  m_progress->reset();
  if (m_result == nullptr) {
    m_status->setText(QStringLiteral("No movie is loaded"));
    return;
  }
  auto matcher = std::make_shared<TextMatcher>(SearchQuery{m_pattern->text().toStdString(), m_regex->isChecked(),
                                                           m_ignoreCase->isChecked(), false});
  if (!matcher->valid()) {
    m_status->setText(QStringLiteral("Bad pattern: %1").arg(QString::fromStdString(matcher->error())));
    return;
  }
  const auto mode = static_cast<TranslationMode>(m_mode->currentData().toInt());
  m_status->setText(QStringLiteral("Searching..."));
  m_stopFlag = std::make_shared<std::atomic<bool>>(false);
  auto search = std::make_shared<MovieSearch>(*m_result, mode);
  const std::shared_ptr<std::atomic<bool>> stopFlag = m_stopFlag;
  // The worker posts what it finds; the panel is the context, so nothing arrives after it is gone.
  m_thread = QThread::create([this, generation, mode, matcher, search, stopFlag] {
    const bool complete = search->run(
        *matcher,
        [&](const SearchHit& hit) {
          const QString text = displayString(hitText(hit));
          const HitLocation location{hit.object.viewKind, hit.object.object->serial, mode, hit.line.lineOffset,
                                     hit.line.match};
          QMetaObject::invokeMethod(
              this, [this, generation, text, location] { addHit(generation, text, location); }, Qt::QueuedConnection);
        },
        [&](std::size_t done, std::size_t total) {
          QMetaObject::invokeMethod(
              this,
              [this, generation, done, total] {
                showProgress(generation, static_cast<int>(done), static_cast<int>(total));
              },
              Qt::QueuedConnection);
          return !stopFlag->load();
        });
    QMetaObject::invokeMethod(
        this, [this, generation, complete] { finish(generation, complete); }, Qt::QueuedConnection);
  });
  m_cancel->setEnabled(true);
  m_thread->start();
}

void CSearchResultsPanel::stop() {
  if (m_thread == nullptr) return;
  m_stopFlag->store(true);
  m_thread->wait();
  delete m_thread;
  m_thread = nullptr;
  m_cancel->setEnabled(false);
}

void CSearchResultsPanel::addHit(unsigned generation, const QString& text, const HitLocation& location) {
  if (generation != m_generation) return;
  auto* item = new QListWidgetItem(text, m_hits);
  item->setData(kLocationRole, QVariant::fromValue(location));
}

void CSearchResultsPanel::showProgress(unsigned generation, int done, int total) {
  if (generation != m_generation) return;
  m_progress->setMaximum(total);
  m_progress->setValue(done);
}

void CSearchResultsPanel::finish(unsigned generation, bool complete) {
  if (generation != m_generation) return;
  if (m_thread != nullptr) {
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
  }
  m_cancel->setEnabled(false);
  showCount(complete ? QString() : QStringLiteral(" (cancelled)"));
  emit searchFinished();
}

void CSearchResultsPanel::showCount(const QString& suffix) {
  const int count = m_hits->count();
  m_status->setText((count == 1 ? QStringLiteral("1 hit") : QStringLiteral("%1 hits").arg(count)) + suffix);
}

HitLocation CSearchResultsPanel::location(int row) const {
  const QListWidgetItem* item = m_hits->item(row);
  return item == nullptr ? HitLocation{} : item->data(kLocationRole).value<HitLocation>();
}

void CSearchResultsPanel::onActivated(QListWidgetItem* item) {
  emit hitActivated(item->data(kLocationRole).value<HitLocation>());
}

}  // namespace orvane
