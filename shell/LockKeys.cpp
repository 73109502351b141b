#include "shell/LockKeys.h"

#include <QGuiApplication>
#include <array>

// Xlib's macros (None, Bool, Status...) clash with Qt's names: it comes after every Qt header.
#include <X11/XKBlib.h>

namespace orvane {

namespace {

class UnknownLockKeys final : public LockKeySource {
 public:
  std::optional<bool> isOn(LockKey) const override { return std::nullopt; }
};

/// Reads the named keyboard indicators of the X server through the display Qt opened.
class X11LockKeys final : public LockKeySource {
 public:
  explicit X11LockKeys(Display* display) : m_display(display) {
    const std::array<const char*, 3> names = {"Caps Lock", "Num Lock", "Scroll Lock"};
    for (std::size_t i = 0; i < names.size(); ++i) m_atoms[i] = XInternAtom(m_display, names[i], True);
  }

  std::optional<bool> isOn(LockKey key) const override {
    const Atom atom = m_atoms[static_cast<std::size_t>(key)];
    Bool on = False;
    if (atom == 0 || !XkbGetNamedIndicator(m_display, atom, nullptr, &on, nullptr, nullptr)) return std::nullopt;
    return on != False;
  }

 private:
  Display* m_display;
  std::array<Atom, 3> m_atoms{};  // 0: the server knows no such indicator
};

}  // namespace

std::unique_ptr<LockKeySource> platformLockKeys() {
  const auto* x11 = qGuiApp == nullptr ? nullptr : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 != nullptr && x11->display() != nullptr) return std::make_unique<X11LockKeys>(x11->display());
  return std::make_unique<UnknownLockKeys>();
}

}  // namespace orvane
