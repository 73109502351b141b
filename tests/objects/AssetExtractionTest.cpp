#include "objects/AssetExtraction.h"

#include <gtest/gtest.h>

#include "movie/TagHeader.h"
#include "objects/RgbImage.h"
#include "platform/MessageSink.h"
#include "tests/support/AssetMovie.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/ShapeBuilder.h"
#include "tests/support/TestFiles.h"
#include "vector/SvgRasterizer.h"

namespace orvane {
namespace {

using test::Bytes;

struct Rgb {
  std::uint8_t red, green, blue;
  bool operator==(const Rgb&) const = default;
};

/// The pixel at (x, y) of a PNG file.
Rgb pixelAt(const std::string& path, std::uint32_t x, std::uint32_t y) {
  RgbImage image;
  if (image.Load(path) != 0 || x >= image.width() || y >= image.height()) return {1, 2, 3};
  const std::uint8_t* pixel = image.pixels().data() + (static_cast<std::size_t>(y) * image.width() + x) * 3;
  return {pixel[0], pixel[1], pixel[2]};
}

std::string readText(const std::string& path) {
  const Bytes bytes = test::readFile(path);
  return {bytes.begin(), bytes.end()};
}

std::string extractAssets(test::ScanFixture& scan, const AssetKinds& kinds, const std::string& directory,
                          std::size_t& total) {
  ExtractionSettings settings;
  settings.directory = directory;
  settings.images = settings.sounds = settings.actions = settings.buttons = settings.videos = false;
  settings.assets = kinds;
  RecordingMessageSink sink;
  return ExtractAllObjects(scan.result, settings, sink, [&total](std::size_t, std::size_t all) { total = all; },
                           PreservationSource::of(scan.walker.movie()), directory);
}

TEST(AssetExtraction, EveryKindInItsSectionWithALinePerFile) {
  test::ScanFixture scan;
  ASSERT_EQ(scan.scan(test::assetMovie()), ScanStatus::Success);
  test::ScratchFolder target;
  std::size_t total = 0;
  const std::string report = extractAssets(scan, AssetKinds::all(), target.path(), total);
  const std::string main = target.path() + "/Main Movie Stage/";
  EXPECT_EQ(report, "\n Extraction Report\n-----------------------\nExtraction Directory : " + target.path() + " \n"
                    "\n- Extracting Shapes - \n" +
                    main + "shape1.svgDrawing And Extracting... Success\n" +
                    // The missing bitmap leaves the square unfilled, as the player shows it.
                    main + "shape9.svgDrawing And Extracting... Success\n"
                    "\n- Extracting Morph Shapes - \n" +
                    main + "morphshape2 start.svgDrawing And Extracting... Success\n" +
                    main + "morphshape2 end.svgDrawing And Extracting... Success\n" +
                    main + "morphshape2.svgDrawing And Extracting... Success\n"
                    "\n- Extracting Fonts - \n" +
                    main + "font3.ttfConverting And Extracting... Success\n"
                    "\n- Extracting Texts - \n" +
                    main + "text4.svgDrawing And Extracting... Success\n" +
                    main + "text5.svgDrawing And Extracting... Success\n"
                    "\n- Extracting Frames - \n" +
                    main + "frame0.pngDrawing And Extracting... Success\n" +
                    main + "frame1.pngDrawing And Extracting... Success\n" +
                    main + "frame2.pngDrawing And Extracting... Success\n"
                    "\n Finished Extraction");
  EXPECT_EQ(total, 11u);
  EXPECT_EQ(readText(target.path() + "/Extraction Report Log.txt"), report);

  for (const char* svg :
       {"shape1.svg", "shape9.svg", "morphshape2 start.svg", "morphshape2 end.svg", "morphshape2.svg", "text4.svg"})
    EXPECT_EQ(checkSvg(readText(main + svg)), "") << svg;
  // The start is the red 10-pixel square, the end the blue 20-pixel one.
  EXPECT_NE(readText(main + "morphshape2 start.svg").find(R"(width="10")"), std::string::npos);
  EXPECT_NE(readText(main + "morphshape2 end.svg").find("#0000ff"), std::string::npos);
  EXPECT_NE(readText(main + "morphshape2.svg").find(R"(<animate attributeName="fill" values="#ff0000;#0000ff")"),
            std::string::npos);
  EXPECT_EQ(test::readFile(main + "font3.ttf").at(1), 0x01);  // the TrueType version 1.0

  // The red square at the stage's top left in frames 0 and 1, gone in frame 2; the
  // stage is white around it.
  EXPECT_EQ(pixelAt(main + "frame0.png", 5, 5), (Rgb{255, 0, 0}));
  EXPECT_EQ(pixelAt(main + "frame0.png", 50, 50), (Rgb{255, 255, 255}));
  EXPECT_EQ(pixelAt(main + "frame1.png", 5, 5), (Rgb{255, 0, 0}));
  EXPECT_EQ(pixelAt(main + "frame2.png", 5, 5), (Rgb{255, 255, 255}));
}

TEST(AssetExtraction, DamagedShapesFailAndEachTimelineGetsItsOwnFrames) {
  test::ShapeBuilder square;
  square.fill(test::solidFill({0, 0, 255}, false))
      .change({.move = true, .x = 0, .y = 0, .fill1 = 1})
      .lineTo(400, 0)
      .lineTo(0, 400)
      .lineTo(-400, 0)
      .lineTo(0, -400);
  Bytes cut = square.defineShape(7, test::rectBytes(0, 400, 0, 400));
  cut.resize(cut.size() - 3);  // the last edges and the end record
  test::TagList sprite;
  sprite.placeObject2Plain(1, 6).showFrame().showFrame().end();
  test::MovieBuilder movie(8);
  movie.rect(0, 400, 0, 400)
      .frameCount(1)
      .tag(tag::kDefineShape, square.defineShape(6, test::rectBytes(0, 400, 0, 400)))
      .tag(tag::kDefineShape, cut)
      .defineSprite(8, 2, sprite)
      .placeObject2Plain(1, 8)
      .showFrame()
      .end();
  test::ScanFixture scan;
  ASSERT_EQ(scan.scan(movie.build()), ScanStatus::Success);
  test::ScratchFolder target;
  AssetKinds kinds;
  kinds.shapes = kinds.frames = true;
  std::size_t total = 0;
  const std::string report = extractAssets(scan, kinds, target.path(), total);
  const std::string main = target.path() + "/Main Movie Stage/";
  // A sprite's folder is named by its timeline's number, as the specified folders are.
  const std::string own = target.path() + "/Movie Object (ID 1)/";
  EXPECT_EQ(report, "\n Extraction Report\n-----------------------\nExtraction Directory : " + target.path() + " \n"
                    "\n- Extracting Shapes - \n" +
                    main + "shape6.svgDrawing And Extracting... Success\n" +
                    main + "shape7.svgDrawing And Extracting... Failed\n"
                    "\n- Extracting Frames - \n" +
                    main + "frame0.pngDrawing And Extracting... Success\n"
                    "\n- Extracting Shapes - \n"
                    "\n- Extracting Frames - \n" +
                    own + "frame0.pngDrawing And Extracting... Success\n" +
                    own + "frame1.pngDrawing And Extracting... Success\n"
                    "\n Finished Extraction");
  EXPECT_EQ(total, 5u);
  // The damaged shape is still written as far as it reads.
  EXPECT_EQ(checkSvg(readText(main + "shape7.svg")), "");
  EXPECT_EQ(pixelAt(main + "frame0.png", 10, 10), (Rgb{0, 0, 255}));
  EXPECT_EQ(pixelAt(own + "frame1.png", 10, 10), (Rgb{0, 0, 255}));
}

}  // namespace
}  // namespace orvane
