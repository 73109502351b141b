// How long the largest action window of the corpus takes to show its first screen, to change
// its mode and to scroll, once its text is translated: the 813 KB text of ActionScript 5 and the
// 2.5 MB of version 4 (QTest benchmarks: run with -median 5).
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "actions/ActionTranslator.h"
#include "shell/CActionView.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {

class ActionWindowBench : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    const std::string samples = test::samplesFolder();
    const std::string path = samples + "/open-flash/mt-hf-game.fws.swf";
    if (samples.empty() || !std::filesystem::exists(path)) QSKIP("sample corpus not present");
    test::ScanFixture scanned;
    QCOMPARE(scanned.walker.open(path), ScanStatus::Success);
    scanned.walker.copyHeaderInto(scanned.result);
    QCOMPARE(scanned.walker.scan(0xFFF), ScanStatus::Success);
    const ActionObject* largest = nullptr;
    for (const auto& timeline : scanned.result.timelines())
      for (const auto& action : timeline->actions)
        if (largest == nullptr || action->length() > largest->length()) largest = action.get();
    QVERIFY(largest != nullptr);
    for (const int version : {5, 4}) {
      const TranslationMode mode = version == 5 ? TranslationMode::ActionScript5 : TranslationMode::ActionScript4;
      m_texts[version] = ActionWindowText(largest, mode, scanned.sink);
      m_tables[version].load(version, SyntaxColours{});
      qInfo("largest block: %u bytes, %zu bytes of version %d text", largest->length(), m_texts[version].size(),
            version);
    }
    m_view.resize(900, 700);
    m_view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_view));
  }

  void firstScreen_data() { versions(); }
  // A new window: from the translated text to the first screen painted.
  void firstScreen() {
    QFETCH(int, version);
    QBENCHMARK { openWindow(version).viewport()->repaint(); }
  }

  void modeChange_data() { versions(); }
  // A window that shows the other version's text switches to this one.
  void modeChange() {
    QFETCH(int, version);
    QBENCHMARK {
      m_view.showText(m_texts[version == 5 ? 4 : 5], m_tables[version == 5 ? 4 : 5]);
      m_view.showText(m_texts[version], m_tables[version]);
      m_view.viewport()->repaint();
    }
  }

  void cleanup() { m_windows.clear(); }

  void scrolling_data() { versions(); }
  // Forty screens down from the top, each painted.
  void scrolling() {
    QFETCH(int, version);
    m_view.showText(m_texts[version], m_tables[version]);
    m_view.viewport()->repaint();
    QScrollBar* bar = m_view.verticalScrollBar();
    QBENCHMARK {
      bar->setValue(0);
      for (int page = 0; page < 40; ++page) {
        bar->setValue(bar->value() + bar->pageStep());
        m_view.viewport()->repaint();
      }
    }
  }

 private:
  /// A new view of the window's size showing that text; it stays until the test function ends.
  CActionView& openWindow(int version) {
    auto& view = *m_windows.emplace_back(std::make_unique<CActionView>());
    view.resize(m_view.size());
    view.show();
    view.showText(m_texts[version], m_tables[version]);
    return view;
  }

  static void versions() {
    QTest::addColumn<int>("version");
    QTest::newRow("as5") << 5;
    QTest::newRow("as4") << 4;
  }

  std::map<int, std::string> m_texts;
  std::map<int, KeywordTable> m_tables;
  CActionView m_view;
  std::vector<std::unique_ptr<CActionView>> m_windows;
};

}  // namespace orvane

QTEST_MAIN(orvane::ActionWindowBench)
#include "action_window_qbench.moc"
