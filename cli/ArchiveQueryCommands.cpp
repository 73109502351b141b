// The `search` and `dupes` verbs: questions asked of an archive.
#include <ostream>

#include "archive/ArchiveQueries.h"
#include "archive/ArchiveSchema.h"
#include "cli/DecimalArgument.h"
#include "cli/JsonText.h"
#include "cli/Verbs.h"

namespace orvane {

namespace {

constexpr const char* kKinds[] = {"action", "initAction", "abcClass", "abcScript", "button", "instance"};

/// The kinds named in a comma-separated list; false when one is not a kind with actions.
bool parseKinds(const std::string& list, std::vector<std::string>& kinds) {
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string kind = list.substr(start, comma - start);
    if (std::find(std::begin(kKinds), std::end(kKinds), kind) == std::end(kKinds)) return false;
    kinds.push_back(kind);
    start = comma + 1;
  }
  return true;
}

std::string hitJson(const ArchiveHit& hit) {
  return JsonObject()
      .field("movie", hit.movie)
      .field("serial", static_cast<long long>(hit.serial))
      .field("kind", hit.kind)
      .field("object", hit.object)
      .field("line", static_cast<long long>(hit.line))
      .field("text", hit.text)
      .done();
}

std::string sharedJson(const SharedObject& shared) {
  std::vector<std::string> places;
  for (const ObjectPlace& place : shared.places)
    places.push_back(JsonObject()
                         .field("movie", place.movie)
                         .field("serial", static_cast<long long>(place.serial))
                         .field("object", place.object)
                         .done());
  return JsonObject()
      .field("kind", shared.kind)
      .field("sha256", shared.sha256)
      .field("length", static_cast<long long>(shared.length))
      .field("movies", static_cast<long long>(shared.movies))
      .raw("places", jsonArray(places))
      .done();
}

}  // namespace

int runSearch(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--kind=", "--limit=", "--json"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 2) return context.usage("search takes an archive and a query");
  ArchiveQuery query;
  query.match = parsed.positional[1];
  if (parsed.has("--kind") && !parseKinds(parsed.value("--kind"), query.kinds))
    return context.usage("--kind takes a list of action, initAction, abcClass, abcScript, button, instance");
  if (parsed.has("--limit") && (!parseDecimal(parsed.value("--limit"), query.limit) || query.limit == 0))
    return context.usage("--limit takes a number of hits above 0");
  const bool json = parsed.has("--json");
  try {
    const Database db(parsed.positional[0], Database::Mode::ReadOnly);
    checkArchive(db);
    std::vector<std::string> items;
    const std::size_t hits = searchArchive(db, query, [&](const ArchiveHit& hit) {
      if (json)
        items.push_back(hitJson(hit));
      else
        context.out() << hit.movie << " : " << hit.object << " : " << hit.line << " : " << hit.text << "\n";
    });
    if (json) context.out() << jsonArray(items) << "\n";
    return hits > 0 ? exitcode::kSuccess : exitcode::kFailure;
  } catch (const BadQuery& bad) {
    return context.usage(bad.what());
  } catch (const std::exception& failure) {
    context.err() << "orvane-cli: " << failure.what() << "\n";
    return exitcode::kFailure;
  }
}

int runDupes(CliContext& context, const VerbArguments& arguments) {
  ParsedArguments parsed;
  std::string error;
  if (!parseArguments(arguments, {"--json"}, parsed, error)) return context.usage(error);
  if (parsed.positional.size() != 1) return context.usage("dupes takes an archive");
  try {
    const Database db(parsed.positional[0], Database::Mode::ReadOnly);
    checkArchive(db);
    const std::vector<SharedObject> shared = sharedObjects(db);
    if (parsed.has("--json")) {
      std::vector<std::string> items;
      for (const SharedObject& object : shared) items.push_back(sharedJson(object));
      context.out() << jsonArray(items) << "\n";
      return exitcode::kSuccess;
    }
    for (const SharedObject& object : shared) {
      context.out() << object.kind << " " << object.sha256 << " : " << object.length << " bytes in " << object.movies
                    << " movies\n";
      for (const ObjectPlace& place : object.places) context.out() << "  " << place.movie << " : " << place.object << "\n";
    }
    return exitcode::kSuccess;
  } catch (const std::exception& failure) {
    context.err() << "orvane-cli: " << failure.what() << "\n";
    return exitcode::kFailure;
  }
}

}  // namespace orvane
