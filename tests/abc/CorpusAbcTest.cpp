#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "abc/AbcObjectText.h"
#include "abcsource/AbcTexts.h"
#include "abc/AbcObjects.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

/// The marks of a fault in a listing: a block or body fault, an unknown opcode, an
/// instruction cut short (and the bytes after either), a name past its table.
bool hasFault(const std::string& text) {
  for (const char* mark : {"// error at offset", "  op 0x", "// truncated instruction", "  bytes ", "?>"})
    if (text.find(mark) != std::string::npos) return true;
  return false;
}

TEST(CorpusAbc, EveryMovieWithDoAbcListsItsClassesAndDisassemblesEveryMethod) {
  const std::vector<test::SampleMovie> movies = test::sampleMovies();
  if (movies.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::set<std::string> withAbc;
  for (const test::SampleMovie& movie : movies) {
    // Compressed movies open through their image, so the twins are read like their originals.
    if (movie.path.ends_with(".fws.swf")) continue;
    test::ScanFixture scanned;
    (void)scanned.scanFile(movie.path);
    ScanResult& result = scanned.result;
    if (result.timelines().empty()) continue;
    collectAbcObjects(result);
    const TimelineNode& main = *result.firstTimeline();
    if (main.abcTags.empty()) continue;
    SCOPED_TRACE(movie.path);
    withAbc.insert(movie.path.substr(test::samplesFolder().size() + 1));

    std::size_t classes = 0;
    for (const auto& tag : main.abcTags) {
      const AbcTagTexts texts(*tag);
      std::ostringstream written;
      texts.writeEverything(written);
      const std::string everything = written.str();
      EXPECT_FALSE(hasFault(everything)) << everything;
      EXPECT_TRUE(texts.file().errors.empty());
      // Every body is listed once: as a class's or script's method, a literal or a leftover.
      std::size_t listed = 0;
      for (std::size_t at = everything.find("// body "); at != std::string::npos;
           at = everything.find("// body ", at + 1))
        ++listed;
      EXPECT_EQ(listed, texts.file().bodies.size());
      EXPECT_GT(texts.file().bodies.size(), 0u);
    }
    AbcTexts texts;
    for (const auto& object : main.abcObjects) {
      if (object->kind == AbcObject::Kind::Class) {
        ++classes;
        EXPECT_FALSE(object->className.empty());
        EXPECT_FALSE(hasFault(object->className)) << object->className;
      }
      for (const TranslationMode mode : {TranslationMode::ActionScript5, TranslationMode::ByteCodeHex})
        EXPECT_FALSE(hasFault(texts.windowText(*object, mode)));
    }
    EXPECT_GT(classes, 0u);
  }
  EXPECT_EQ(withAbc, (std::set<std::string>{"jpexs/run_as3.swf", "ruffle/from_shumway/bitmapbuttons.swf",
                                            "ruffle/swf-crate/DefineBitsJpeg3.swf",
                                            "ruffle/swf-crate/DefineBitsLossless.swf",
                                            "ruffle/swf-crate/DefineBitsLossless2.swf",
                                            "ruffle/swf-crate/DefineSound.swf"}));
}

}  // namespace
}  // namespace orvane
