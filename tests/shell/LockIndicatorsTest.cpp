#include "shell/LockIndicators.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <map>

#include "tests/shell/ShellTestSupport.h"

namespace orvane {
namespace {

/// Answers what the test sets; a key it has not set is one the platform cannot tell.
class ScriptedLockKeys : public LockKeySource {
 public:
  explicit ScriptedLockKeys(std::map<LockKey, bool>& states) : m_states(states) {}
  std::optional<bool> isOn(LockKey key) const override {
    const auto found = m_states.find(key);
    return found == m_states.end() ? std::nullopt : std::optional<bool>(found->second);
  }

 private:
  std::map<LockKey, bool>& m_states;
};

TEST(LockIndicators, PanesFollowTheLocksAndStayDimmedWhereThePlatformCannotTell) {
  test::qtApplication();
  std::map<LockKey, bool> states{{LockKey::Caps, true}, {LockKey::Num, false}};
  LockIndicators indicators(std::make_unique<ScriptedLockKeys>(states));
  EXPECT_EQ(indicators.pane(LockKey::Caps)->text(), QStringLiteral("CAP"));
  EXPECT_EQ(indicators.pane(LockKey::Num)->text(), QStringLiteral("NUM"));
  EXPECT_EQ(indicators.pane(LockKey::Scroll)->text(), QStringLiteral("SCRL"));
  EXPECT_TRUE(indicators.pane(LockKey::Caps)->isEnabled());
  EXPECT_FALSE(indicators.pane(LockKey::Num)->isEnabled());
  EXPECT_FALSE(indicators.pane(LockKey::Scroll)->isEnabled());

  states = {{LockKey::Caps, false}, {LockKey::Num, true}, {LockKey::Scroll, true}};
  indicators.refresh();
  EXPECT_FALSE(indicators.pane(LockKey::Caps)->isEnabled());
  EXPECT_TRUE(indicators.pane(LockKey::Num)->isEnabled());
  EXPECT_TRUE(indicators.pane(LockKey::Scroll)->isEnabled());

  // The timer asks again without being told.
  states = {{LockKey::Caps, true}};
  EXPECT_TRUE(QTest::qWaitFor([&] { return indicators.pane(LockKey::Caps)->isEnabled(); }, 2000));
  EXPECT_FALSE(indicators.pane(LockKey::Num)->isEnabled());

  // Off X11 (the tests draw off-screen) nothing is known: every pane stays dimmed.
  LockIndicators platform(platformLockKeys());
  for (const LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll}) EXPECT_FALSE(platform.pane(key)->isEnabled());
}

}  // namespace
}  // namespace orvane
