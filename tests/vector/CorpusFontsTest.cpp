#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <gtest/gtest.h>
#include <librsvg/rsvg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fonts/FontDecoder.h"
#include "fonts/FontLibrary.h"
#include "fonts/TrueTypeWriter.h"
#include "movie/TagHeader.h"
#include "tests/support/SampleManifest.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/TestFiles.h"
#include "vector/TextAssets.h"
#include "vector/TextSvg.h"

namespace orvane {
namespace {

// Glyphs are drawn 64 pixels to the em on a canvas that holds 2.25 ems to the right of
// the origin and 1.75 above it.
constexpr int kEm = 64;
constexpr int kWidth = 192;
constexpr int kHeight = 160;
constexpr int kOriginX = 48;
constexpr int kOriginY = 112;

using Coverage = std::vector<std::uint8_t>;

Coverage freeTypeCoverage(FT_Library library, FT_Face face, unsigned glyph) {
  Coverage pixels(kWidth * kHeight, 0);
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) return pixels;
  FT_Outline& outline = face->glyph->outline;
  FT_Outline_Translate(&outline, kOriginX * 64, (kHeight - kOriginY) * 64);
  FT_Bitmap bitmap{};
  bitmap.rows = kHeight;
  bitmap.width = kWidth;
  bitmap.pitch = kWidth;
  bitmap.buffer = pixels.data();
  bitmap.num_grays = 256;
  bitmap.pixel_mode = FT_PIXEL_MODE_GRAY;
  FT_Outline_Get_Bitmap(library, &outline, &bitmap);
  return pixels;
}

Coverage svgCoverage(const std::string& svg) {
  Coverage pixels(kWidth * kHeight, 0);
  RsvgHandle* handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), nullptr);
  if (handle == nullptr) return pixels;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  cairo_t* cairo = cairo_create(surface);
  const RsvgRectangle viewport{0, 0, kWidth, kHeight};
  rsvg_handle_render_document(handle, cairo, &viewport, nullptr);
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      pixels[y * kWidth + x] = data[y * stride + 4 * x + 3];  // alpha of native-endian ARGB
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
  g_object_unref(handle);
  return pixels;
}

// Pixels whose coverage differs by more than a quarter: edges anti-aliased alike differ
// by less.
int differingPixels(const Coverage& a, const Coverage& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.size(); ++i) count += std::abs(a[i] - b[i]) > 64;
  return count;
}

// Runs a command line; its standard error (and output) when it printed any or failed.
std::string complaintsOf(const std::string& command) {
  const std::string log = command + " 2>&1";
  FILE* pipe = popen(log.c_str(), "r");
  if (pipe == nullptr) return "cannot run " + command;
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = pclose(pipe);
  return status == 0 ? output : output + "(exit status " + std::to_string(status) + ")";
}

// Calls `visit(font, where)` for every font the corpus defines but DefineFont4 (whose
// OpenType data is kept as it is), `where` naming the movie and the font; the fonts read
// without a fault. How many fonts there were.
template <typename Visit>
std::size_t forEachCorpusFont(const std::vector<std::string>& files, Visit visit) {
  std::size_t fonts = 0;
  for (const std::string& file : files) {
    test::ScanFixture fixture;
    if (fixture.scanFile(file) != ScanStatus::Success) continue;
    const std::span<const std::uint8_t> bytes = fixture.walker.movie().bytes();
    for (const auto& timeline : fixture.result.timelines()) {
      for (const auto& object : timeline->fonts) {
        const SwfFont font = fontOf(*object, bytes, static_cast<std::uint8_t>(fixture.result.version));
        const std::string where = file + ", font " + std::to_string(font.id);
        EXPECT_EQ(font.faults, std::vector<std::string>{}) << where;
        if (font.isDefineFont4()) continue;
        ++fonts;
        visit(font, where);
      }
    }
  }
  return fonts;
}

TEST(CorpusFonts, EveryFontAsTrueTypeOpensInFreeTypeAndDrawsAsItsGlyphSvgs) {
  const std::vector<std::string> files = test::corpusMovieFiles();
  if (files.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  FT_Library library = nullptr;
  ASSERT_EQ(FT_Init_FreeType(&library), 0);
  std::size_t glyphs = 0;
  const std::size_t fonts = forEachCorpusFont(files, [&](const SwfFont& font, const std::string& where) {
    SCOPED_TRACE(where);
    const std::vector<std::uint8_t> ttf = writeTrueType(font);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Memory_Face(library, ttf.data(), static_cast<FT_Long>(ttf.size()), 0, &face), 0);
    ASSERT_EQ(face->num_glyphs, static_cast<FT_Long>(font.glyphs.size() + 1));
    FT_Set_Pixel_Sizes(face, kEm, kEm);
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
      const Coverage expected =
          svgCoverage(glyphSvg(font.glyphs[i].outline, font.emUnits, kEm, kOriginX, kOriginY, kWidth, kHeight));
      const Coverage actual = freeTypeCoverage(library, face, static_cast<unsigned>(i + 1));
      EXPECT_LE(differingPixels(expected, actual), 8) << "glyph " << i;
      ++glyphs;
    }
    FT_Done_Face(face);
  });
  FT_Done_FreeType(library);
  EXPECT_GT(fonts, 30u);
  EXPECT_GT(glyphs, 1000u);
}

// ttx reads the fonts of one run in a batch (each start-up of Python costs more than a
// font); a batch that complains is read again font by font to name the font.
void expectSilentRoundTrips(const test::ScratchFolder& scratch, const std::vector<std::string>& names,
                            const std::vector<std::string>& wheres) {
  const auto run = [&](const std::vector<std::size_t>& batch) {
    std::string dump = "ttx -q -d " + scratch.file("ttx");
    std::string back = "ttx -q -d " + scratch.file("back");
    for (const std::size_t i : batch) {
      dump += ' ' + scratch.file(names[i] + ".ttf");
      back += ' ' + scratch.file("ttx/" + names[i] + ".ttx");
    }
    std::string complaints = complaintsOf(dump);
    return complaints.empty() ? complaintsOf(back) : complaints;
  };
  std::filesystem::create_directories(scratch.file("ttx"));
  std::filesystem::create_directories(scratch.file("back"));
  constexpr std::size_t kBatch = 64;
  for (std::size_t first = 0; first < names.size(); first += kBatch) {
    std::vector<std::size_t> batch;
    for (std::size_t i = first; i < std::min(names.size(), first + kBatch); ++i) batch.push_back(i);
    if (run(batch).empty()) continue;
    for (const std::size_t i : batch) EXPECT_EQ(run({i}), "") << wheres[i];
  }
}

TEST(CorpusFonts, EveryFontAsTrueTypeRoundTripsThroughFontToolsWithoutAWarning) {
  const std::vector<std::string> files = test::corpusMovieFiles();
  if (files.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  if (std::system("command -v ttx >/dev/null 2>&1") != 0) GTEST_SKIP() << "fontTools' ttx is absent";
  const test::ScratchFolder scratch;
  std::vector<std::string> names;
  std::vector<std::string> wheres;
  forEachCorpusFont(files, [&](const SwfFont& font, const std::string& where) {
    names.push_back("font" + std::to_string(names.size()));
    wheres.push_back(where);
    test::writeFile(scratch.file(names.back() + ".ttf"), writeTrueType(font));
  });
  expectSilentRoundTrips(scratch, names, wheres);
  EXPECT_GT(names.size(), 30u);
}

bool svgParses(const std::string& svg) {
  GError* error = nullptr;
  RsvgHandle* handle =
      rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &error);
  if (error != nullptr) g_error_free(error);
  if (handle == nullptr) return false;
  g_object_unref(handle);
  return true;
}

TEST(CorpusTexts, EveryTextReadsWholeAndItsSvgParses) {
  const std::vector<std::string> files = test::corpusMovieFiles();
  if (files.empty()) GTEST_SKIP() << "the sample corpus (../shared/samples) is absent";
  std::size_t statics = 0;
  std::size_t edits = 0;
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    test::ScanFixture fixture;
    if (fixture.scanFile(file) != ScanStatus::Success) continue;
    const std::span<const std::uint8_t> bytes = fixture.walker.movie().bytes();
    const auto version = static_cast<std::uint8_t>(fixture.result.version);
    const FontLibrary fonts(fixture.result, bytes);
    const TextAssets texts(bytes, version, fonts);
    for (const auto& timeline : fixture.result.timelines()) {
      for (const auto& object : timeline->texts) {
        SCOPED_TRACE("text " + std::to_string(object->characterId));
        EXPECT_EQ(texts.picture(*object).faults, std::vector<std::string>{});
        EXPECT_TRUE(svgParses(texts.svg(*object)));
        if (object->code == tag::kDefineEditText) {
          ++edits;
        } else {
          EXPECT_EQ(texts.characters(*object).find("\xEF\xBF\xBD"), std::string::npos);
          ++statics;
        }
      }
    }
  }
  EXPECT_GT(statics, 50u);
  EXPECT_GT(edits, 50u);
}

}  // namespace
}  // namespace orvane
