#include "tests/support/SampleManifest.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/TestFiles.h"

namespace orvane::test {

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::string field;
  std::istringstream stream(line);
  while (std::getline(stream, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

}  // namespace

std::vector<SampleMovie> sampleMovies() {
  const std::string folder = samplesFolder();
  if (folder.empty()) return {};
  std::ifstream manifest(folder + "/MANIFEST.tsv");
  std::string line;
  if (!std::getline(manifest, line)) return {};
  const std::vector<std::string> header = splitTabs(line);
  auto column = [&](const std::string& name) {
    for (std::size_t i = 0; i < header.size(); ++i)
      if (header[i] == name) return i;
    return header.size();
  };
  const std::size_t pathColumn = column("path"), signatureColumn = column("signature"),
                    versionColumn = column("version"), tagsColumn = column("tags"),
                    placesColumn = column("clip_action_places"), statusColumn = column("status");
  std::vector<SampleMovie> movies;
  while (std::getline(manifest, line)) {
    const std::vector<std::string> fields = splitTabs(line);
    if (fields.size() < header.size()) continue;
    SampleMovie movie;
    movie.path = folder + "/" + fields[pathColumn];
    movie.signature = fields[signatureColumn];
    movie.version = std::stoi(fields[versionColumn]);
    movie.clipActionPlaces = std::stoi(fields[placesColumn]);
    movie.status = fields[statusColumn];
    std::istringstream tags(fields[tagsColumn]);
    std::string pair;
    while (tags >> pair) {
      const auto colon = pair.find(':');
      if (colon != std::string::npos) movie.tagCounts[std::stoi(pair.substr(0, colon))] = std::stoi(pair.substr(colon + 1));
    }
    movies.push_back(std::move(movie));
  }
  return movies;
}

std::vector<std::string> corpusMovieFiles() {
  std::vector<std::string> files;
  for (const SampleMovie& movie : sampleMovies())
    if (movie.signature == "FWS" && movie.status == "ok") files.push_back(movie.path);
  const std::filesystem::path visual = std::filesystem::path(samplesFolder()) / ".." / "visual" / "tests";
  if (!samplesFolder().empty() && std::filesystem::is_directory(visual))
    for (const auto& entry : std::filesystem::recursive_directory_iterator(visual))
      if (entry.path().filename() == "test.swf") files.push_back(entry.path().string());
  return files;
}

std::vector<std::string> moviesWithAbc() {
  std::vector<std::string> paths;
  for (const SampleMovie& movie : sampleMovies())
    if (!movie.path.ends_with(".fws.swf")) paths.push_back(movie.path);
  const std::filesystem::path as3 = std::filesystem::path(samplesFolder()) / "as3";
  if (std::filesystem::is_directory(as3))
    for (const auto& entry : std::filesystem::recursive_directory_iterator(as3))
      if (entry.path().extension() == ".swf" && !entry.path().string().ends_with(".fws.swf"))
        paths.push_back(entry.path().string());
  return paths;
}

}  // namespace orvane::test
