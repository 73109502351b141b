// The tables of an archive index and the opening of an archive file for writing or reading.
#pragma once

#include <string>

#include "archive/Sqlite.h"

namespace orvane {

/// The layout's version, kept in the file's user_version.
inline constexpr int kArchiveLayout = 1;

/// Sets the connection up for writing an archive (WAL journal, synchronous commits, foreign
/// keys) and creates the tables in a new or empty file; an existing file must be an archive
/// of this layout.
void prepareArchiveForWriting(Database& db);

/// Checks that a file opened for reading is an archive of this layout.
void checkArchive(const Database& db);

/// Deletes the texts that no object shows any more, with their full-text rows.
void dropUnusedTexts(Database& db);

}  // namespace orvane
