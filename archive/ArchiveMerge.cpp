#include "archive/ArchiveMerge.h"

#include "archive/ArchiveSchema.h"

namespace orvane {

namespace {

// The input's movies matched to the ones just copied, by path and position.
constexpr const char* kMovieMatch =
    " JOIN input.movies AS m ON m.id = o.movie_id JOIN input.files AS f ON f.id = m.file_id"
    " JOIN main.files AS mf ON mf.path = f.path"
    " JOIN main.movies AS mm ON mm.file_id = mf.id AND mm.position = m.position";

constexpr const char* kCopyFilesAndMovies = R"sql(
DELETE FROM main.files WHERE path IN (SELECT path FROM input.files);
INSERT INTO main.files (path, size, mtime_ns, walk_hash, kind)
  SELECT path, size, mtime_ns, walk_hash, kind FROM input.files ORDER BY id;
INSERT INTO main.movies (file_id, position, sha256, signature, compression, version, file_length, width, height,
                         frame_rate, frame_count, status, scan_status, error, warnings)
  SELECT mf.id, m.position, m.sha256, m.signature, m.compression, m.version, m.file_length, m.width, m.height,
         m.frame_rate, m.frame_count, m.status, m.scan_status, m.error, m.warnings
  FROM input.movies AS m JOIN input.files AS f ON f.id = m.file_id JOIN main.files AS mf ON mf.path = f.path
  ORDER BY m.id;
CREATE TEMP TABLE merged_texts AS
  SELECT t.id AS input_id, t.sha256 AS sha256, t.length AS length FROM input.texts AS t
  WHERE NOT EXISTS (SELECT 1 FROM main.texts AS mt WHERE mt.sha256 = t.sha256);
INSERT INTO main.texts (sha256, length) SELECT sha256, length FROM temp.merged_texts ORDER BY input_id;
INSERT INTO main.text_search (rowid, text)
  SELECT mt.id, s.text FROM temp.merged_texts AS n JOIN main.texts AS mt ON mt.sha256 = n.sha256
  JOIN input.text_search AS s ON s.rowid = n.input_id;
DROP TABLE temp.merged_texts;
)sql";

}  // namespace

void mergeArchive(Database& db, const std::string& inputPath) {
  {
    const Database input(inputPath, Database::Mode::ReadOnly);
    checkArchive(input);
  }
  SqlStatement attach = db.prepare("ATTACH DATABASE ?1 AS input");
  attach.bind(1, inputPath).run();
  try {
    Transaction transaction(db);
    db.execute(kCopyFilesAndMovies);
    db.execute(std::string("INSERT INTO main.objects (movie_id, serial, kind, character_id, frame, type_name, name,"
                           " length, sha256, text_id)"
                           " SELECT mm.id, o.serial, o.kind, o.character_id, o.frame, o.type_name, o.name, o.length,"
                           " o.sha256, mt.id FROM input.objects AS o") +
               kMovieMatch +
               " LEFT JOIN input.texts AS it ON it.id = o.text_id LEFT JOIN main.texts AS mt ON mt.sha256 = it.sha256"
               " ORDER BY o.id");
    db.execute(std::string("INSERT INTO main.classes (object_id, package, name, super_class, interfaces)"
                           " SELECT mo.id, c.package, c.name, c.super_class, c.interfaces FROM input.classes AS c"
                           " JOIN input.objects AS o ON o.id = c.object_id") +
               kMovieMatch + " JOIN main.objects AS mo ON mo.movie_id = mm.id AND mo.serial = o.serial");
    dropUnusedTexts(db);
    transaction.commit();
  } catch (...) {
    db.execute("DETACH DATABASE input");
    throw;
  }
  db.execute("DETACH DATABASE input");
}

}  // namespace orvane
