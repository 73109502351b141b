// The `index` verb: the archive of every movie under some folders, brought up to date, and
// the merging of the shards of one archive.
#include <charconv>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>

#include "archive/ArchiveMerge.h"
#include "archive/ArchiveQueries.h"
#include "archive/ArchiveSchema.h"
#include "archive/IndexRun.h"
#include "cli/DecimalArgument.h"
#include "cli/JsonText.h"
#include "cli/ProgressBar.h"
#include "cli/Verbs.h"

namespace orvane {

namespace {

constexpr std::uint64_t kDefaultMemoryMegabytes = 2048;
constexpr int kInterrupted = 130;

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string movieJson(const WalkedFile& file, const MovieRecord& movie) {
  std::size_t texts = 0;
  for (const ObjectRecord& object : movie.objects) texts += object.hasText ? 1 : 0;
  JsonObject json;
  json.field("path", movieName(file.path, movie.position))
      .field("status", std::string(movieStatusName(movie.status)))
      .field("error", movie.error)
      .field("fileSize", static_cast<long long>(file.size));
  if (movie.scanStatus != 0) json.field("scanStatus", static_cast<long long>(movie.scanStatus));
  if (movie.sha256) json.field("sha256", hexDigest(*movie.sha256));
  if (movie.header) {
    const MovieHeader& header = *movie.header;
    json.field("signature", header.signature)
        .field("compression", header.compression)
        .field("version", static_cast<long long>(header.version))
        .field("fileLength", static_cast<long long>(header.fileLength));
    if (header.hasStage)
      json.field("width", static_cast<long long>(header.width))
          .field("height", static_cast<long long>(header.height))
          .raw("frameRate", number(header.frameRate))
          .field("frameCount", static_cast<long long>(header.frameCount));
  }
  return json.field("objects", static_cast<long long>(movie.objects.size()))
      .field("texts", static_cast<long long>(texts))
      .field("classes", static_cast<long long>(movie.classes.size()))
      .done();
}

/// Shows a run: a progress bar when standard error is a terminal, one JSON line per movie
/// (and per removed file) with --jsonl, problems on standard error.
class CliIndexObserver final : public IndexObserver {
 public:
  CliIndexObserver(CliContext& context, bool jsonLines) : m_context(context), m_jsonLines(jsonLines) {
    if (ProgressBar::fitsOn(context.err())) m_bar = std::make_unique<ProgressBar>(context.err(), "files");
  }

  void walked(std::size_t, std::size_t) override {}
  void fileRead(const WalkedFile& file, const FileRecord& record) override {
    if (!m_jsonLines) return;
    for (const MovieRecord& movie : record.movies) m_context.out() << movieJson(file, movie) << "\n";
    m_context.out().flush();
  }
  void fileRemoved(const std::string& path) override {
    if (m_jsonLines)
      m_context.out() << JsonObject().field("path", path).field("status", std::string("removed")).done() << "\n";
  }
  void problem(const std::string& text) override { m_context.err() << "orvane-cli: " << text << "\n"; }
  void progress(std::size_t done, std::size_t total) override {
    if (m_bar) m_bar->show(done, total);
  }
  void finish() {
    if (m_bar) m_bar->finish();
  }

 private:
  CliContext& m_context;
  bool m_jsonLines;
  std::unique_ptr<ProgressBar> m_bar;
};

/// "I/N" with 1 <= I <= N.
std::optional<Shard> parseShard(const std::string& text) {
  const std::size_t slash = text.find('/');
  if (slash == std::string::npos) return std::nullopt;
  Shard shard;
  if (!parseDecimal(text.substr(0, slash), shard.index) || !parseDecimal(text.substr(slash + 1), shard.count))
    return std::nullopt;
  if (shard.count == 0 || shard.index == 0 || shard.index > shard.count) return std::nullopt;
  return shard;
}

int runMerge(CliContext& context, const std::string& output, const std::vector<std::string>& inputs) {
  if (inputs.empty()) return context.usage("index --merge takes the output archive and one or more archives to merge");
  Database db(output, Database::Mode::ReadWrite);
  prepareArchiveForWriting(db);
  for (const std::string& input : inputs) mergeArchive(db, input);
  return exitcode::kSuccess;
}

std::string summaryText(const IndexSummary& summary) {
  return "Read " + std::to_string(summary.read) + " files: " + std::to_string(summary.movies) + " movies (" +
         std::to_string(summary.damaged) + " damaged, " + std::to_string(summary.stopped) + " stopped); " +
         std::to_string(summary.unchanged) + " unchanged, " + std::to_string(summary.removed) + " removed\n";
}

}  // namespace

int runIndex(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--db=", "--jobs=", "--timeout=", "--memory-limit=", "--shard=", "--jsonl", "--merge="},
                      parsed, error))
    return context.usage(error);
  try {
    if (parsed.has("--merge")) return runMerge(context, parsed.value("--merge"), parsed.positional);

    IndexOptions options;
    options.folders = parsed.positional;
    options.archive = parsed.value("--db");
    if (options.folders.empty() || options.archive.empty()) return context.usage("index takes DIR... --db ARCHIVE");
    options.jobs = availableProcessors();
    if (parsed.has("--jobs") && (!parseDecimal(parsed.value("--jobs"), options.jobs) || options.jobs == 0 ||
                                 options.jobs > 256))
      return context.usage("--jobs takes a number of workers from 1 to 256");
    double seconds = 60;
    if (parsed.has("--timeout") && (!parseDecimal(parsed.value("--timeout"), seconds) || !(seconds > 0)))
      return context.usage("--timeout takes a number of seconds above 0");
    options.limits.timeout = std::chrono::milliseconds(static_cast<long long>(seconds * 1000 + 0.5));
    std::uint64_t megabytes = kDefaultMemoryMegabytes;
    if (parsed.has("--memory-limit") && (!parseDecimal(parsed.value("--memory-limit"), megabytes) || megabytes == 0 ||
                                         megabytes > (std::uint64_t{1} << 24)))
      return context.usage("--memory-limit takes a number of megabytes above 0");
    options.limits.memoryBytes = megabytes << 20;
    if (parsed.has("--shard")) {
      const std::optional<Shard> shard = parseShard(parsed.value("--shard"));
      if (!shard) return context.usage("--shard takes I/N, the I-th of N parts (1 <= I <= N)");
      options.shard = *shard;
    }

    const bool jsonLines = parsed.has("--jsonl");
    CliIndexObserver observer(context, jsonLines);
    MovieFileScanner scanner;
    const IndexSummary summary = indexFolders(options, scanner, observer);
    observer.finish();
    if (summary.interrupted) {
      context.err() << "orvane-cli: interrupted; the archive keeps the " << summary.read
                    << " files read, the next run goes on from there\n";
      return kInterrupted;
    }
    if (!jsonLines) context.out() << summaryText(summary);
    return exitcode::kSuccess;
  } catch (const std::exception& failure) {
    context.err() << "orvane-cli: " << failure.what() << "\n";
    return exitcode::kFailure;
  }
}

}  // namespace orvane
