// The rows of the sample corpus manifest that corpus tests compare against.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orvane::test {

struct SampleMovie {
  std::string path;       // absolute
  std::string signature;  // FWS, CWS or ZWS
  int version = 0;
  std::map<int, int> tagCounts;  // tag code -> count, sprites included
  int clipActionPlaces = 0;
  std::string status;  // "ok" or what is wrong with the movie
};

/// Every row of MANIFEST.tsv in the samples folder; empty when the folder is absent.
std::vector<SampleMovie> sampleMovies();

/// The readable movies of the corpus and of the frame check beside it, each once
/// (compressed ones through their uncompressed twins); empty when the corpus is absent.
std::vector<std::string> corpusMovieFiles();

}  // namespace orvane::test
