// The state of the Caps Lock, Num Lock and Scroll Lock keys, where the platform can tell.
#pragma once

#include <memory>
#include <optional>

namespace orvane {

enum class LockKey { Caps, Num, Scroll };

class LockKeySource {
 public:
  virtual ~LockKeySource() = default;
  /// Whether the key's lock is on; none when the platform cannot tell.
  virtual std::optional<bool> isOn(LockKey key) const = 0;
};

/// The keyboard indicators of the X server the application runs on; a source that can
/// tell nothing on any other platform (Wayland, offscreen).
std::unique_ptr<LockKeySource> platformLockKeys();

}  // namespace orvane
