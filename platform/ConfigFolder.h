// The folder that holds the settings file and the docking layout.
#pragma once

#include <string>

namespace orvane {

/// $XDG_CONFIG_HOME/orvane, or ~/.config/orvane when XDG_CONFIG_HOME is unset or empty.
/// The folder is not created here.
std::string configFolder();

/// Creates the configuration folder (and its parents) when missing; false on failure.
[[nodiscard]] bool ensureConfigFolder(const std::string& folder);

}  // namespace orvane
