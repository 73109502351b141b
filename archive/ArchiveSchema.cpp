#include "archive/ArchiveSchema.h"

namespace orvane {

namespace {

// "ORVN": marks the file as an archive index.
constexpr std::int64_t kApplicationId = 0x4F52564E;

constexpr const char* kTables = R"sql(
CREATE TABLE files (
  id INTEGER PRIMARY KEY,
  path TEXT NOT NULL UNIQUE,
  size INTEGER NOT NULL,
  mtime_ns INTEGER NOT NULL,
  walk_hash INTEGER NOT NULL,
  kind TEXT NOT NULL
);
CREATE TABLE movies (
  id INTEGER PRIMARY KEY,
  file_id INTEGER NOT NULL REFERENCES files(id) ON DELETE CASCADE,
  position INTEGER NOT NULL,
  sha256 TEXT,
  signature TEXT,
  compression TEXT,
  version INTEGER,
  file_length INTEGER,
  width INTEGER,
  height INTEGER,
  frame_rate REAL,
  frame_count INTEGER,
  status TEXT NOT NULL,
  scan_status INTEGER,
  error TEXT,
  warnings TEXT,
  UNIQUE (file_id, position)
);
CREATE TABLE texts (
  id INTEGER PRIMARY KEY,
  sha256 TEXT NOT NULL UNIQUE,
  length INTEGER NOT NULL
);
CREATE VIRTUAL TABLE text_search USING fts5(text, tokenize = "unicode61 remove_diacritics 0 tokenchars '_'");
CREATE TABLE objects (
  id INTEGER PRIMARY KEY,
  movie_id INTEGER NOT NULL REFERENCES movies(id) ON DELETE CASCADE,
  serial INTEGER NOT NULL,
  kind TEXT NOT NULL,
  character_id INTEGER NOT NULL,
  frame INTEGER NOT NULL,
  type_name TEXT NOT NULL,
  name TEXT NOT NULL,
  length INTEGER NOT NULL,
  sha256 TEXT NOT NULL,
  text_id INTEGER REFERENCES texts(id)
);
CREATE INDEX objects_movie ON objects (movie_id, serial);
CREATE INDEX objects_sha256 ON objects (sha256, kind);
CREATE INDEX objects_text ON objects (text_id);
CREATE TABLE classes (
  object_id INTEGER PRIMARY KEY REFERENCES objects(id) ON DELETE CASCADE,
  package TEXT NOT NULL,
  name TEXT NOT NULL,
  super_class TEXT NOT NULL,
  interfaces TEXT NOT NULL
);
CREATE INDEX classes_name ON classes (name);
CREATE INDEX classes_package ON classes (package);
CREATE VIEW packages AS
  SELECT objects.movie_id AS movie_id, classes.package AS package, count(*) AS classes
  FROM classes JOIN objects ON objects.id = classes.object_id
  GROUP BY objects.movie_id, classes.package;
CREATE TRIGGER texts_unused AFTER DELETE ON texts BEGIN
  DELETE FROM text_search WHERE rowid = old.id;
END;
)sql";

void checkLayout(const Database& db) {
  if (db.scalar("PRAGMA application_id") != kApplicationId)
    throw ArchiveError(db.path() + " is not an Orvane archive");
  if (db.scalar("PRAGMA user_version") != kArchiveLayout)
    throw ArchiveError(db.path() + " is an archive of another layout (" +
                       std::to_string(db.scalar("PRAGMA user_version")) + ", this program writes " +
                       std::to_string(kArchiveLayout) + ")");
}

}  // namespace

void prepareArchiveForWriting(Database& db) {
  db.execute("PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON;");
  Transaction transaction(db);
  const bool empty = db.scalar("SELECT count(*) FROM sqlite_schema") == 0;
  if (empty) {
    db.execute(kTables);
    db.execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    db.execute("PRAGMA user_version = " + std::to_string(kArchiveLayout));
  }
  checkLayout(db);
  transaction.commit();
}

void checkArchive(const Database& db) { checkLayout(db); }

void dropUnusedTexts(Database& db) {
  db.execute("DELETE FROM texts WHERE NOT EXISTS (SELECT 1 FROM objects WHERE objects.text_id = texts.id)");
}

}  // namespace orvane
