#include "archive/ArchiveStore.h"

#include <algorithm>
#include <unordered_map>

#include "archive/ArchiveSchema.h"

namespace orvane {

namespace {

/// The bounds of the paths below `root`: from "root/" up to, not including, "root0".
std::pair<std::string, std::string> pathsBelow(const std::string& root) {
  std::string low = root == "/" ? "/" : root + "/";
  std::string high = low;
  high.back() = static_cast<char>('/' + 1);
  return {low, high};
}

}  // namespace

ArchiveStore::ArchiveStore(Database& db)
    : m_db(db),
      m_findFile(db.prepare("SELECT id, size, mtime_ns FROM files WHERE path = ?1")),
      m_deleteFile(db.prepare("DELETE FROM files WHERE path = ?1")),
      m_insertFile(db.prepare("INSERT INTO files (path, size, mtime_ns, walk_hash, kind) VALUES (?1, ?2, ?3, ?4, ?5)")),
      m_insertMovie(db.prepare(
          "INSERT INTO movies (file_id, position, sha256, signature, compression, version, file_length, width, height,"
          " frame_rate, frame_count, status, scan_status, error, warnings)"
          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15)")),
      m_findText(db.prepare("SELECT id FROM texts WHERE sha256 = ?1")),
      m_insertText(db.prepare("INSERT INTO texts (sha256, length) VALUES (?1, ?2)")),
      m_insertTextSearch(db.prepare("INSERT INTO text_search (rowid, text) VALUES (?1, ?2)")),
      m_insertObject(db.prepare(
          "INSERT INTO objects (movie_id, serial, kind, character_id, frame, type_name, name, length, sha256, text_id)"
          " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)")),
      m_insertClass(db.prepare(
          "INSERT INTO classes (object_id, package, name, super_class, interfaces) VALUES (?1, ?2, ?3, ?4, ?5)")) {}

ArchiveStore::~ArchiveStore() = default;

std::optional<KnownFile> ArchiveStore::known(const std::string& path) {
  m_findFile.bind(1, path);
  std::optional<KnownFile> file;
  if (m_findFile.step())
    file = KnownFile{m_findFile.integer(0), static_cast<std::uint64_t>(m_findFile.integer(1)), m_findFile.integer(2)};
  m_findFile.reset();
  return file;
}

void ArchiveStore::beginBatch() {
  if (m_batch) return;
  m_batch = std::make_unique<Transaction>(m_db);
  m_batchSize = 0;
  m_batchStart = std::chrono::steady_clock::now();
}

std::chrono::steady_clock::duration ArchiveStore::batchAge() const {
  return m_batch ? std::chrono::steady_clock::now() - m_batchStart : std::chrono::steady_clock::duration{};
}

void ArchiveStore::commitBatch() {
  if (!m_batch) return;
  m_batch->commit();
  m_batch.reset();
  m_batchSize = 0;
}

std::int64_t ArchiveStore::textId(const ObjectRecord& object) {
  const std::string digest = hexDigest(object.textSha256);
  m_findText.bind(1, digest);
  const bool found = m_findText.step();
  const std::int64_t id = found ? m_findText.integer(0) : 0;
  m_findText.reset();
  if (found) return id;
  if (!object.text) throw ArchiveError("the text " + digest + " of " + object.name + " never arrived");
  m_insertText.bind(1, digest).bind(2, static_cast<std::int64_t>(object.text->size())).run();
  const std::int64_t inserted = m_db.lastRowId();
  m_insertTextSearch.bind(1, inserted).bind(2, *object.text).run();
  return inserted;
}

std::int64_t ArchiveStore::store(const WalkedFile& file, const FileRecord& record) {
  beginBatch();
  m_deleteFile.bind(1, file.path).run();
  m_insertFile.bind(1, file.path)
      .bind(2, static_cast<std::int64_t>(file.size))
      .bind(3, file.mtimeNs)
      .bind(4, file.walkHash)
      .bind(5, std::string_view(fileKindName(record.kind)))
      .run();
  const std::int64_t fileId = m_db.lastRowId();
  for (const MovieRecord& movie : record.movies) {
    SqlStatement& insert = m_insertMovie;
    insert.bind(1, fileId).bind(2, static_cast<std::int64_t>(movie.position));
    if (movie.sha256) insert.bind(3, hexDigest(*movie.sha256)); else insert.bindNull(3);
    if (movie.header) {
      const MovieHeader& header = *movie.header;
      insert.bind(4, header.signature).bind(5, header.compression);
      insert.bind(6, std::int64_t{header.version}).bind(7, std::int64_t{header.fileLength});
      if (header.hasStage)
        insert.bind(8, std::int64_t{header.width}).bind(9, std::int64_t{header.height}).bind(10, header.frameRate)
            .bind(11, std::int64_t{header.frameCount});
      else
        insert.bindNull(8).bindNull(9).bindNull(10).bindNull(11);
    } else {
      for (int column = 4; column <= 11; ++column) insert.bindNull(column);
    }
    insert.bind(12, std::string_view(movieStatusName(movie.status)));
    if (movie.scanStatus != 0) insert.bind(13, std::int64_t{movie.scanStatus}); else insert.bindNull(13);
    insert.bind(14, movie.error).bind(15, movie.warnings).run();
    const std::int64_t movieId = m_db.lastRowId();

    std::unordered_map<std::int32_t, std::int64_t> objectIds;
    for (const ObjectRecord& object : movie.objects) {
      m_insertObject.bind(1, movieId)
          .bind(2, std::int64_t{object.serial})
          .bind(3, object.kind)
          .bind(4, std::int64_t{object.characterId})
          .bind(5, std::int64_t{object.frame})
          .bind(6, object.typeName)
          .bind(7, object.name)
          .bind(8, static_cast<std::int64_t>(object.length))
          .bind(9, hexDigest(object.sha256));
      if (object.hasText) m_insertObject.bind(10, textId(object)); else m_insertObject.bindNull(10);
      m_insertObject.run();
      objectIds.emplace(object.serial, m_db.lastRowId());
    }
    for (const ClassRecord& record : movie.classes) {
      const auto object = objectIds.find(record.serial);
      if (object == objectIds.end()) continue;
      m_insertClass.bind(1, object->second)
          .bind(2, record.package)
          .bind(3, record.name)
          .bind(4, record.superClass)
          .bind(5, record.interfaces)
          .run();
    }
  }
  ++m_batchSize;
  return fileId;
}

std::vector<std::string> ArchiveStore::removeOthers(const std::vector<std::string>& roots, const Shard& shard,
                                                    std::vector<std::int64_t> seen) {
  std::sort(seen.begin(), seen.end());
  std::vector<std::pair<std::int64_t, std::string>> gone;
  SqlStatement below = m_db.prepare("SELECT id, path, walk_hash FROM files WHERE (path >= ?1 AND path < ?2) OR path = ?3");
  for (const std::string& root : roots) {
    const auto [low, high] = pathsBelow(root);
    below.bind(1, low).bind(2, high).bind(3, root);
    while (below.step()) {
      const std::int64_t id = below.integer(0);
      if (shard.holds(below.integer(2)) && !std::binary_search(seen.begin(), seen.end(), id))
        gone.emplace_back(id, std::string(below.text(1)));
    }
    below.reset();
  }
  std::vector<std::string> paths;
  if (gone.empty()) return paths;
  beginBatch();
  SqlStatement remove = m_db.prepare("DELETE FROM files WHERE id = ?1");
  for (auto& [id, path] : gone) {
    remove.bind(1, id).run();
    paths.push_back(std::move(path));
  }
  commitBatch();
  return paths;
}

void ArchiveStore::dropUnusedTexts() {
  beginBatch();
  orvane::dropUnusedTexts(m_db);
  commitBatch();
}

}  // namespace orvane
