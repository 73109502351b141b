// A thin owner of an SQLite connection and its prepared statements; failures are thrown.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace orvane {

/// A database that cannot be opened, read or written; what() says why.
class ArchiveError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// One prepared statement. Parameters are numbered from 1, columns from 0; texts and blobs
/// bound to it are copied by SQLite.
class SqlStatement {
 public:
  SqlStatement(sqlite3* db, std::string_view sql);
  ~SqlStatement();
  SqlStatement(SqlStatement&& other) noexcept;
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;
  SqlStatement& operator=(SqlStatement&&) = delete;

  SqlStatement& bind(int index, std::int64_t value);
  SqlStatement& bind(int index, double value);
  SqlStatement& bind(int index, std::string_view text);
  SqlStatement& bindBlob(int index, std::span<const std::uint8_t> bytes);
  SqlStatement& bindNull(int index);

  /// Steps once: true when a row is ready.
  bool step();
  /// Steps until done, then resets the statement for its next run.
  void run();
  /// Makes it ready to run again; the bindings stay.
  void reset();

  std::int64_t integer(int column) const;
  double real(int column) const;
  /// Valid until the next step or reset.
  std::string_view text(int column) const;
  bool isNull(int column) const;
  int columns() const;

 private:
  sqlite3* m_db = nullptr;
  sqlite3_stmt* m_statement = nullptr;
};

class Database {
 public:
  enum class Mode { ReadOnly, ReadWrite };

  /// Opens (and in ReadWrite mode creates) the database file.
  Database(const std::string& path, Mode mode);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  sqlite3* handle() const { return m_db; }
  const std::string& path() const { return m_path; }
  /// Runs one or more statements that return no rows.
  void execute(std::string_view sql);
  SqlStatement prepare(std::string_view sql) const { return SqlStatement(m_db, sql); }
  std::int64_t lastRowId() const;
  /// The single integer the query returns (0 when it returns no row).
  std::int64_t scalar(std::string_view sql) const;

 private:
  sqlite3* m_db = nullptr;
  std::string m_path;
};

/// BEGIN IMMEDIATE on construction; ROLLBACK on destruction unless committed.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Database& m_db;
  bool m_open = true;
};

}  // namespace orvane
