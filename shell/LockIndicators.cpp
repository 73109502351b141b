#include "shell/LockIndicators.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

namespace orvane {

namespace {
constexpr int kRefreshMs = 250;
constexpr std::array<const char*, 3> kPaneTexts = {"CAP", "NUM", "SCRL"};
}  // namespace

LockIndicators::LockIndicators(std::unique_ptr<LockKeySource> source, QWidget* parent)
    : QWidget(parent), m_source(std::move(source)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  for (std::size_t i = 0; i < m_panes.size(); ++i) {
    m_panes[i] = new QLabel(QString::fromLatin1(kPaneTexts[i]), this);
    layout->addWidget(m_panes[i]);
  }
  refresh();
  // The locks change in other programs too: ask a few times a second.
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, &LockIndicators::refresh);
  timer->start(kRefreshMs);
}

void LockIndicators::refresh() {
  for (const LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll}) {
    pane(key)->setEnabled(m_source->isOn(key).value_or(false));
  }
}

}  // namespace orvane
