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

/// The movies of the corpus that may hold ActionScript 3: every movie of the manifest and
/// of samples/as3, compressed ones once (not their twins); empty when the corpus is absent.
std::vector<std::string> moviesWithAbc();

}  // namespace orvane::test
