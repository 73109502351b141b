// "Search Results": Find in Movie over the scanned movie, run off the interface thread,
// with its hits listed as they are found.
#pragma once

#include <QWidget>
#include <atomic>
#include <cstddef>
#include <memory>

#include "actions/TranslationMode.h"
#include "search/TextMatcher.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QThread;

namespace orvane {

class ScanResult;
struct SearchHit;

/// Where a hit is: the object's window and the line of the text in the searched mode.
struct HitLocation {
  int viewKind = 0;
  int serial = 0;
  TranslationMode mode = TranslationMode::ActionScript5;
  std::size_t lineOffset = 0;
  TextMatch match;
};

class CSearchResultsPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CSearchResultsPanel(QWidget* parent = nullptr);
  ~CSearchResultsPanel() override;

  /// The movie to search (not owned; none after a failed scan). Stops a running search and
  /// empties the list: its hits belong to the previous scan.
  void setScanResult(const ScanResult* result);
  /// Starts a search with the panel's pattern, mode and options; a bad pattern shows why.
  void start();
  /// Stops a running search and waits for it; the hits found so far stay.
  void stop();
  bool running() const { return m_thread != nullptr; }
  /// Puts the focus into the pattern field.
  void focusPattern();

  QLineEdit* patternField() const { return m_pattern; }
  QComboBox* modeBox() const { return m_mode; }
  QCheckBox* regexBox() const { return m_regex; }
  QCheckBox* ignoreCaseBox() const { return m_ignoreCase; }
  QListWidget* hitList() const { return m_hits; }
  QProgressBar* progressBar() const { return m_progress; }
  QLabel* statusLabel() const { return m_status; }
  QPushButton* cancelButton() const { return m_cancel; }
  /// Where the hit of `row` is.
  HitLocation location(int row) const;

 signals:
  /// A hit was double-clicked (or chosen with Enter).
  void hitActivated(const HitLocation& location);
  /// A search came to its end, complete or stopped.
  void searchFinished();

 private:
  void addHit(unsigned generation, const QString& text, const HitLocation& location);
  void showProgress(unsigned generation, int done, int total);
  void finish(unsigned generation, bool complete);
  void showCount(const QString& suffix);
  void onActivated(QListWidgetItem* item);

  const ScanResult* m_result = nullptr;
  QLineEdit* m_pattern;
  QComboBox* m_mode;
  QCheckBox* m_regex;
  QCheckBox* m_ignoreCase;
  QPushButton* m_find;
  QPushButton* m_cancel;
  QProgressBar* m_progress;
  QLabel* m_status;
  QListWidget* m_hits;
  QThread* m_thread = nullptr;
  std::shared_ptr<std::atomic<bool>> m_stopFlag;
  // Results posted by an earlier search, still queued when a new one starts, are dropped.
  unsigned m_generation = 0;
};

}  // namespace orvane

Q_DECLARE_METATYPE(orvane::HitLocation)
