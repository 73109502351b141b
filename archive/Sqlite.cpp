#include "archive/Sqlite.h"

#include <sqlite3.h>

namespace orvane {

namespace {

[[noreturn]] void fail(sqlite3* db, std::string_view what) {
  throw ArchiveError(std::string(what) + ": " + (db != nullptr ? sqlite3_errmsg(db) : "out of memory"));
}

}  // namespace

SqlStatement::SqlStatement(sqlite3* db, std::string_view sql) : m_db(db) {
  if (sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &m_statement,
                         nullptr) != SQLITE_OK)
    fail(db, "cannot prepare a statement");
}

SqlStatement::~SqlStatement() { sqlite3_finalize(m_statement); }

SqlStatement::SqlStatement(SqlStatement&& other) noexcept : m_db(other.m_db), m_statement(other.m_statement) {
  other.m_statement = nullptr;
}

SqlStatement& SqlStatement::bind(int index, std::int64_t value) {
  if (sqlite3_bind_int64(m_statement, index, value) != SQLITE_OK) fail(m_db, "cannot bind a value");
  return *this;
}

SqlStatement& SqlStatement::bind(int index, double value) {
  if (sqlite3_bind_double(m_statement, index, value) != SQLITE_OK) fail(m_db, "cannot bind a value");
  return *this;
}

SqlStatement& SqlStatement::bind(int index, std::string_view text) {
  if (sqlite3_bind_text64(m_statement, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
    fail(m_db, "cannot bind a text");
  return *this;
}

SqlStatement& SqlStatement::bindBlob(int index, std::span<const std::uint8_t> bytes) {
  if (sqlite3_bind_blob64(m_statement, index, bytes.data(), bytes.size(), SQLITE_TRANSIENT) != SQLITE_OK)
    fail(m_db, "cannot bind a value");
  return *this;
}

SqlStatement& SqlStatement::bindNull(int index) {
  if (sqlite3_bind_null(m_statement, index) != SQLITE_OK) fail(m_db, "cannot bind a value");
  return *this;
}

bool SqlStatement::step() {
  const int result = sqlite3_step(m_statement);
  if (result == SQLITE_ROW) return true;
  if (result == SQLITE_DONE) return false;
  sqlite3_reset(m_statement);
  fail(m_db, "the database refused a statement");
}

void SqlStatement::run() {
  while (step()) {
  }
  reset();
}

void SqlStatement::reset() { sqlite3_reset(m_statement); }

std::int64_t SqlStatement::integer(int column) const { return sqlite3_column_int64(m_statement, column); }

double SqlStatement::real(int column) const { return sqlite3_column_double(m_statement, column); }

std::string_view SqlStatement::text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column))};
}

int SqlStatement::columns() const { return sqlite3_column_count(m_statement); }

bool SqlStatement::isNull(int column) const { return sqlite3_column_type(m_statement, column) == SQLITE_NULL; }

Database::Database(const std::string& path, Mode mode) : m_path(path) {
  const int flags = mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  if (sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
    const std::string reason = m_db != nullptr ? sqlite3_errmsg(m_db) : "out of memory";
    sqlite3_close(m_db);
    throw ArchiveError("cannot open " + path + ": " + reason);
  }
  sqlite3_extended_result_codes(m_db, 1);
  // Another process (a second run, a reader) may hold the database for a moment.
  sqlite3_busy_timeout(m_db, 10000);
}

Database::~Database() { sqlite3_close_v2(m_db); }

void Database::execute(std::string_view sql) {
  const std::string statements(sql);
  char* message = nullptr;
  if (sqlite3_exec(m_db, statements.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string reason = message != nullptr ? message : sqlite3_errmsg(m_db);
    sqlite3_free(message);
    throw ArchiveError("the database refused a statement: " + reason);
  }
}

std::int64_t Database::lastRowId() const { return sqlite3_last_insert_rowid(m_db); }

std::int64_t Database::scalar(std::string_view sql) const {
  SqlStatement statement(m_db, sql);
  return statement.step() ? statement.integer(0) : 0;
}

Transaction::Transaction(Database& db) : m_db(db) { m_db.execute("BEGIN IMMEDIATE"); }

Transaction::~Transaction() {
  if (m_open) sqlite3_exec(m_db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  m_db.execute("COMMIT");
  m_open = false;
}

}  // namespace orvane
