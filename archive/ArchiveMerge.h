// Joining archives: the shards of one archive made on several machines become one.
#pragma once

#include <string>

#include "archive/Sqlite.h"

namespace orvane {

/// Adds every file of the archive at `inputPath`, with its movies, objects, texts and
/// classes, to `db` (prepared for writing), in one transaction; a file of the same path that
/// `db` holds is replaced. Texts both archives hold are kept once.
void mergeArchive(Database& db, const std::string& inputPath);

}  // namespace orvane
