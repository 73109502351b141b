// The folder for temporary object files: private to the user, never a link or someone else's.
#pragma once

#include <optional>
#include <string>

namespace orvane {

/// Returns ${TMPDIR:-/tmp}/orvane-<uid>, creating it with mode 0700 when it is missing.
/// Refuses (nullopt, reason in `error`) a folder that is a symbolic link, is not a
/// directory, is owned by another user or is open to other users.
std::optional<std::string> privateTempFolder(std::string& error);

/// The same checks for a folder the caller chose; creates it with mode 0700 when missing.
std::optional<std::string> prepareTempFolder(const std::string& folder, std::string& error);

}  // namespace orvane
