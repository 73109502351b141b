#include "objects/PreservedForms.h"

#include <gtest/gtest.h>

#include "movie/TagWalker.h"
#include "objects/ExtractionRun.h"
#include "objects/ObjectFileWriters.h"
#include "objects/VideoFlv.h"
#include "platform/MessageSink.h"
#include "tests/objects/PreservationTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixel = std::array<int, 4>;

/// A movie scanned with the real writers into a temp folder of its own.
struct ScannedMovie {
  explicit ScannedMovie(const Bytes& movie) {
    walker.setResult(&result);
    walker.setTempFolder(temp.path());
    if (walker.openBytes(movie, temp.file("movie.swf")) == ScanStatus::Success) {
      walker.copyHeaderInto(result);
      status = walker.scan(0xFFF);
    }
  }

  std::string extract(const std::string& directory, bool preserve) {
    ExtractionSettings settings;
    settings.directory = directory;
    settings.actions = settings.buttons = false;
    settings.preserve = preserve;
    return ExtractAllObjects(result, settings, sink, {}, PreservationSource::of(walker.movie()));
  }

  test::ScratchFolder temp;
  ObjectFileWriters writers;
  RecordingMessageSink sink;
  ScanResult result;
  TagWalker walker{writers, sink};
  ScanStatus status = ScanStatus::InvalidFileFormat;
};

const Bytes kPngFile{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R', 1, 2, 3};
const Bytes kGifFile{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0};

TEST(PreservedForms, ExtractionReportsEveryPreservedFileBesideTheCopies) {
  test::MovieBuilder movie(8);
  movie.defineBitsLossless(false, 1, 5, 1, 1, 0, test::zlibCompress({0, 9, 8, 7}))
      .defineBitsJpeg2(2, test::solidJpeg(8, 8, {10, 20, 30}))
      .defineBitsJpeg2(3, kPngFile)
      .defineBitsJpeg3(4, test::solidJpeg(8, 8, {40, 50, 60}), test::zlibCompress(Bytes(64, 0x80)))
      .defineBitsJpeg3(5, test::solidJpeg(8, 8, {70, 80, 90}), {})
      .defineBitsJpeg3(11, kGifFile, {})
      .defineSound(6, 6, 1, true, false, 256, Bytes(64, 0x11))
      .defineSound(7, 3, 1, true, false, 2, {1, 0, 2, 0})
      .defineVideoStream(8, 1, 16, 16, 0, false, 4)
      .videoFrame(8, 0, {0x00, 0x55})
      .defineVideoStream(9, 0, 16, 16, 0, false, 4)  // no frames of its own: nothing to keep
      .showFrame()
      .end();
  ScannedMovie scanned(movie.build());
  ASSERT_EQ(scanned.status, ScanStatus::Success);
  test::ScratchFolder target;
  const std::string d = target.file("out");
  const std::string main = d + "/Main Movie Stage/";

  const std::string header = "\n Extraction Report\n-----------------------\nExtraction Directory : " + d + " \n";
  EXPECT_EQ(scanned.extract(d, true),
            header + "\n- Extracting Images - \n" +                            //
                "OK Copied To " + main + "swfextract1.jpg \n" +                //
                "OK Preserved As " + main + "swfextract1.png \n" +             //
                "OK Copied To " + main + "swfextract2.jpg \n" +                //
                "OK Copied To " + main + "swfextract3.jpg \n" +                //
                "OK Preserved As " + main + "swfextract3.png \n" +             //
                "OK Copied To " + main + "swfextract4.jpg \n" +                //
                "OK Preserved As " + main + "swfextract4.png \n" +             //
                "OK Copied To " + main + "swfextract5.jpg \n" +                //
                "OK Copied To " + main + "swfextract11.jpg \n" +               //
                "OK Preserved As " + main + "swfextract11.gif \n" +            //
                "\n- Extracting Sounds - \n" +                                 //
                "OK Preserved As " + main + "swfextract6.flv \n" +             //
                "OK Copied To " + main + "swfextract7.wav \n" +                //
                "\n- Extracting Videos - \n" +                                 //
                "OK Preserved As " + main + "swfextract8.flv \n" +             //
                "\n Finished Extraction");
  // The data inside the JPEG2 and JPEG3 tags, byte for byte.
  EXPECT_EQ(test::readFile(main + "swfextract3.png"), kPngFile);
  EXPECT_EQ(test::readFile(main + "swfextract11.gif"), kGifFile);
  const auto lossless = test::readPng(main + "swfextract1.png");
  ASSERT_TRUE(lossless);
  EXPECT_EQ(lossless->at(0, 0), (Pixel{9, 8, 7, 255}));

  // Without the option the run is the one it always was, and adds no file.
  test::ScratchFolder plainTarget;
  const std::string p = plainTarget.file("out");
  const std::string pmain = p + "/Main Movie Stage/";
  std::string expected = "\n Extraction Report\n-----------------------\nExtraction Directory : " + p + " \n" +
                         "\n- Extracting Images - \n";
  for (const char* id : {"1", "2", "3", "4", "5", "11"}) expected += "OK Copied To " + pmain + "swfextract" + id + ".jpg \n";
  expected += "\n- Extracting Sounds - \nOK Copied To " + pmain + "swfextract7.wav \n\n Finished Extraction";
  EXPECT_EQ(scanned.extract(p, false), expected);
  EXPECT_FALSE(test::fileExists(pmain + "swfextract1.png"));
  EXPECT_FALSE(test::fileExists(pmain + "swfextract8.flv"));
  EXPECT_TRUE(scanned.sink.messages().empty());
}

TEST(PreservedForms, JpegWithAlphaBecomesOnePngOfTheDecodedColoursAndTheAlphaPlane) {
  // 4 x 2 pixels; the alpha plane counts 0, 1, 2, ... and ends two pixels early.
  const Bytes alpha{0, 1, 127, 128, 254, 255};
  test::MovieBuilder movie(10);
  movie.defineBitsJpeg3(4, test::solidJpeg(4, 2, {200, 100, 50}), test::zlibCompress(alpha))
      .defineBitsJpeg4(5, 0x0180, test::solidJpeg(4, 2, {20, 40, 60}), test::zlibCompress(alpha))
      .end();
  ScannedMovie scanned(movie.build());
  ASSERT_EQ(scanned.status, ScanStatus::Success);
  const auto& images = scanned.result.timelines()[0]->images;
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[1]->typeName, "DefineBitsJPEG4");
  EXPECT_EQ(images[1]->formatName, "JPEG");
  EXPECT_EQ(images[1]->deblocking, 0x0180);

  const PreservedForms forms(PreservationSource::of(scanned.walker.movie()));
  for (std::size_t i = 0; i < 2; ++i) {
    const ImageObject& image = *images[i];
    const std::string path = scanned.temp.file("alpha" + std::to_string(i) + ".png");
    ASSERT_TRUE(forms.write(image, path)) << image.typeName;
    const auto png = test::readPng(path);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->colourType, PNG_COLOR_TYPE_RGB_ALPHA);
    ASSERT_EQ(png->width, 4u);
    ASSERT_EQ(png->height, 2u);
    const std::array<int, 3> colour = i == 0 ? std::array<int, 3>{200, 100, 50} : std::array<int, 3>{20, 40, 60};
    for (std::uint32_t p = 0; p < 8; ++p) {
      const Pixel pixel = png->at(p % 4, p / 4);
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], colour[c], 3) << "pixel " << p;
      EXPECT_EQ(pixel[3], p < alpha.size() ? alpha[p] : 0) << "pixel " << p;
    }
  }
}

TEST(PreservedForms, VideoStreamParsesBackToItsFramesWithTheirTimes) {
  test::TagList sprite;
  sprite.videoFrame(8, 2, {0x80, 0x03}).showFrame().end();
  test::MovieBuilder movie(8);
  movie.frameRate(0x0C00)  // 12 frames per second
      .defineVideoStream(8, 3, 100, 50, 2, true, 4)
      .videoFrame(8, 0, {0x00, 0xAA, 0xBB})
      .showFrame()
      .videoFrame(8, 1, {0x80, 0xCC})
      .videoFrame(77, 1, {0x00})  // a stream the movie never defines
      .defineSprite(20, 1, sprite)
      .showFrame()
      .end();
  ScannedMovie scanned(movie.build());
  ASSERT_EQ(scanned.status, ScanStatus::Success);
  const auto& videos = scanned.result.timelines()[0]->videos;
  ASSERT_EQ(videos.size(), 1u);
  const VideoObject& video = *videos[0];
  EXPECT_EQ(video.characterId, 8);
  EXPECT_EQ(video.typeName, "DefineVideoStream");
  EXPECT_EQ(video.declaredFrames, 3);
  EXPECT_EQ(video.width, 100);
  EXPECT_EQ(video.height, 50);
  EXPECT_EQ(video.deblocking, 2);
  EXPECT_TRUE(video.smoothing);
  EXPECT_EQ(video.codecId, 4);
  EXPECT_EQ(video.frames.size(), 3u);

  const PreservedForms forms(PreservationSource::of(scanned.walker.movie()));
  EXPECT_EQ(forms.name(video), "swfextract8.flv");
  const std::string path = scanned.temp.file("video.flv");
  ASSERT_TRUE(forms.write(video, path));
  const auto flv = test::parseFlv(test::readFile(path));
  ASSERT_TRUE(flv);
  EXPECT_EQ(flv->flags, 0x01);
  ASSERT_EQ(flv->tags.size(), 3u);
  // Key frame 1 or inter frame 2 with codec 4; then the crop to 100 x 50 from whole
  // macroblocks (112 x 64): 12 and 14.
  const std::vector<std::pair<std::uint32_t, Bytes>> expected{
      {0, {0x14, 0xCE, 0x00, 0xAA, 0xBB}}, {83, {0x24, 0xCE, 0x80, 0xCC}}, {166, {0x24, 0xCE, 0x80, 0x03}}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(flv->tags[i].type, 9);
    EXPECT_EQ(flv->tags[i].milliseconds, expected[i].first) << i;
    EXPECT_EQ(flv->tags[i].data, expected[i].second) << i;
  }
}

TEST(PreservedForms, FrameTypesComeFromEachCodecsOwnHeader) {
  // Sorenson H.263: start code, version, temporal reference, size 2 (no custom size),
  // then the picture type in the top bits of the fifth byte.
  EXPECT_EQ(videoFrameType(2, Bytes{0x00, 0x00, 0x80, 0x01, 0x00}), flvframe::kKey);
  EXPECT_EQ(videoFrameType(2, Bytes{0x00, 0x00, 0x80, 0x01, 0x20}), flvframe::kInter);
  EXPECT_EQ(videoFrameType(2, Bytes{0x00, 0x00, 0x80, 0x01, 0x40}), flvframe::kDisposableInter);
  EXPECT_EQ(videoFrameType(2, Bytes{0x00, 0x00}), flvframe::kInter);
  // Screen video, 32 x 16 in blocks of 16 x 16: two blocks, both there or one left out.
  EXPECT_EQ(videoFrameType(3, Bytes{0x00, 0x20, 0x00, 0x10, 0x00, 0x01, 0xAA, 0x00, 0x01, 0xBB}), flvframe::kKey);
  EXPECT_EQ(videoFrameType(3, Bytes{0x00, 0x20, 0x00, 0x10, 0x00, 0x01, 0xAA, 0x00, 0x00}), flvframe::kInter);
  EXPECT_EQ(videoFrameType(3, Bytes{0x00, 0x20, 0x00, 0x10, 0x00, 0x01}), flvframe::kInter);
  // Version 2: a flags byte after the sizes; each block's first byte says whether it refers
  // to an earlier frame (difference 0x04, primed by the previous frame 0x01).
  EXPECT_EQ(videoFrameType(6, Bytes{0x00, 0x10, 0x00, 0x10, 0x00, 0x00, 0x02, 0x00, 0xAA}), flvframe::kKey);
  EXPECT_EQ(videoFrameType(6, Bytes{0x00, 0x10, 0x00, 0x10, 0x00, 0x00, 0x02, 0x04, 0xAA}), flvframe::kInter);
  EXPECT_EQ(videoFrameType(6, Bytes{0x00, 0x10, 0x00, 0x10, 0x02, 0x00, 0x02, 0x00, 0xAA}), flvframe::kInter);
  // VP6 with alpha: the frame mode after the 24-bit alpha offset.
  EXPECT_EQ(videoFrameType(5, Bytes{0x00, 0x00, 0x02, 0x00, 0x11}), flvframe::kKey);
  EXPECT_EQ(videoFrameType(5, Bytes{0x00, 0x00, 0x02, 0x80, 0x11}), flvframe::kInter);
  EXPECT_EQ(frameMilliseconds(3, 0x1800), 125u);  // 24 frames per second
  EXPECT_EQ(frameMilliseconds(3, 0), 3000u);      // a rate of 0 is one frame per second
}

TEST(PreservedForms, NellymoserSoundsBecomeFlvAudioInWholeBlocks) {
  // Event sound: Nellymoser (6) at 11025 Hz, 2100 bytes: tags of 16 blocks (1024 bytes,
  // 4096 samples) at 0, 4096 and 8192 samples.
  Bytes data(2100);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i);
  test::MovieBuilder movie(8);
  movie.frameRate(0x0C00)
      .defineSound(6, 6, 1, true, false, 8400, data)
      .soundStreamHead(true, 0, true, false, 5, 256)
      .soundStreamBlock({1, 2, 3})
      .showFrame()
      .soundStreamBlock({4, 5})
      .showFrame()
      .end();
  ScannedMovie scanned(movie.build());
  ASSERT_EQ(scanned.status, ScanStatus::Success);
  const auto& sounds = scanned.result.timelines()[0]->sounds;
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_FALSE(sounds[0]->hasFile);
  EXPECT_FALSE(sounds[1]->hasFile);
  const PreservedForms forms(PreservationSource::of(scanned.walker.movie()));
  EXPECT_EQ(forms.name(*sounds[0]), "swfextract6.flv");
  EXPECT_EQ(forms.name(*sounds[1]), "swfSextract" + std::to_string(sounds[1]->characterId) + ".flv");

  const std::string eventPath = scanned.temp.file("event.flv");
  ASSERT_TRUE(forms.write(*sounds[0], eventPath));
  const auto event = test::parseFlv(test::readFile(eventPath));
  ASSERT_TRUE(event);
  EXPECT_EQ(event->flags, 0x04);
  ASSERT_EQ(event->tags.size(), 3u);
  const std::uint32_t times[] = {0, 371, 743};  // 4096000 / 11025 = 371.5, 8192000 / 11025 = 743.04
  const std::size_t starts[] = {0, 1024, 2048};
  const std::size_t ends[] = {1024, 2048, 2100};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(event->tags[i].type, 8);
    EXPECT_EQ(event->tags[i].milliseconds, times[i]);
    Bytes expected{0x66};  // format 6, rate 1, 16-bit, mono: the sound's own format byte
    expected.insert(expected.end(), data.begin() + static_cast<std::ptrdiff_t>(starts[i]),
                    data.begin() + static_cast<std::ptrdiff_t>(ends[i]));
    EXPECT_EQ(event->tags[i].data, expected) << i;
  }

  // Streaming sound: one tag per block at its frame's time, the head's stream byte
  // (Nellymoser 8 kHz, 16-bit, mono) in front.
  const std::string streamPath = scanned.temp.file("stream.flv");
  ASSERT_TRUE(forms.write(*sounds[1], streamPath));
  const auto stream = test::parseFlv(test::readFile(streamPath));
  ASSERT_TRUE(stream);
  ASSERT_EQ(stream->tags.size(), 2u);
  EXPECT_EQ(stream->tags[0].milliseconds, 0u);
  EXPECT_EQ(stream->tags[0].data, (Bytes{0x52, 1, 2, 3}));
  EXPECT_EQ(stream->tags[1].milliseconds, 83u);
  EXPECT_EQ(stream->tags[1].data, (Bytes{0x52, 4, 5}));
}

TEST(PreservedForms, ObjectsWithoutAPreservedFormAndDamagedTagsWriteNothing) {
  test::MovieBuilder movie(8);
  movie.defineBitsJpeg2(2, test::solidJpeg(8, 8, {1, 2, 3}))
      .defineSound(3, 2, 1, true, false, 0, {0xFF, 0xFB, 0x90, 0x00})
      .soundStreamHead(true, 0, true, false, 6, 256)  // Nellymoser stream without blocks
      .defineVideoStream(8, 1, 16, 16, 0, false, 2)
      .videoFrame(8, 0, {0x00})
      .end();
  ScannedMovie scanned(movie.build());
  ASSERT_EQ(scanned.status, ScanStatus::Success);
  const TimelineNode& main = *scanned.result.timelines()[0];
  const PreservedForms forms(PreservationSource::of(scanned.walker.movie()));
  EXPECT_EQ(forms.name(*main.images[0]), "");
  EXPECT_EQ(forms.name(*main.sounds[0]), "");
  EXPECT_EQ(forms.name(*main.sounds[1]), "");

  // A movie image that no longer holds the tags: the write fails and leaves no file.
  const PreservedForms truncated(PreservationSource{std::span(scanned.walker.movie().bytes()).first(20), 0x0C00});
  const std::string path = scanned.temp.file("video.flv");
  EXPECT_FALSE(truncated.write(*main.videos[0], path));
  EXPECT_FALSE(test::fileExists(path));
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

/// The hash column of `ffmpeg -f framemd5`: one decoded frame per line, times left out.
std::vector<std::string> decodedFrameHashes(const std::string& path, const std::string& streams) {
  const test::CommandOutput decoded =
      test::runCommand("ffmpeg -v error -i '" + path + "' -map " + streams + " -f framemd5 -");
  std::vector<std::string> hashes;
  if (decoded.status != 0) return {"ffmpeg failed: " + decoded.output};
  std::size_t start = 0;
  for (std::size_t end; (end = decoded.output.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = decoded.output.substr(start, end - start);
    if (line.empty() || line[0] == '#') continue;
    hashes.push_back(line.substr(line.rfind(',') + 1));
  }
  return hashes;
}

/// Real codec data made by ffmpeg's encoders, put into a movie the way an authoring tool
/// stores it, preserved, and decoded again: the frames and samples must be the same.
TEST(PreservedForms, FfmpegDecodesPreservedVideoAndSoundToTheFramesItEncoded) {
  if (!test::hasProgram("ffmpeg")) GTEST_SKIP() << "ffmpeg is not installed";
  test::ScratchFolder folder;
  struct Case {
    const char* videoCodec;
    const char* audioCodec;
  };
  for (const Case& c : {Case{"flv1", "nellymoser"}, Case{"flashsv", "libspeex"}, Case{"flashsv2", "nellymoser"}}) {
    SCOPED_TRACE(c.videoCodec);
    const std::string source = folder.file(std::string(c.videoCodec) + ".flv");
    const test::CommandOutput encoded = test::runCommand(
        "ffmpeg -v error -y -f lavfi -i testsrc=size=64x48:rate=12 -f lavfi -i sine=frequency=440:sample_rate=16000 "
        "-t 0.5 -c:v " + std::string(c.videoCodec) + " -g 3 -c:a " + c.audioCodec + " -ac 1 -f flv '" + source + "'");
    ASSERT_EQ(encoded.status, 0) << encoded.output;
    const auto flv = test::parseFlv(test::readFile(source));
    ASSERT_TRUE(flv);

    test::MovieBuilder movie(8);
    movie.frameRate(0x0C00);
    std::uint8_t codec = 0;
    std::uint16_t frame = 0;
    std::uint8_t audioByte = 0;
    Bytes sound;
    std::vector<Bytes> blocks;
    for (const test::FlvTag& tag : flv->tags) {
      if (tag.type == 9 && codec == 0) {
        codec = tag.data[0] & 0x0F;
        movie.defineVideoStream(1, 6, 64, 48, 0, false, codec);
      }
      if (tag.type == 9) movie.videoFrame(1, frame++, Bytes(tag.data.begin() + 1, tag.data.end()));
      if (tag.type == 8) {
        audioByte = tag.data[0];
        blocks.emplace_back(tag.data.begin() + 1, tag.data.end());
        sound.insert(sound.end(), tag.data.begin() + 1, tag.data.end());
      }
    }
    ASSERT_GT(frame, 3);
    movie.tag(14, test::ByteWriter().u16(2).u8(audioByte).u32(8000).bytes(sound).take());
    movie.tag(45, test::ByteWriter().u8(audioByte & 0x0F).u8(audioByte).u16(256).take());
    for (const Bytes& block : blocks) movie.soundStreamBlock(block).showFrame();
    movie.end();

    ScannedMovie scanned(movie.build());
    ASSERT_EQ(scanned.status, ScanStatus::Success);
    const TimelineNode& main = *scanned.result.timelines()[0];
    const PreservedForms forms(PreservationSource::of(scanned.walker.movie()));
    const std::string video = folder.file("video.flv");
    const std::string event = folder.file("event.flv");
    const std::string stream = folder.file("stream.flv");
    ASSERT_TRUE(forms.write(*main.videos[0], video));
    ASSERT_TRUE(forms.write(*main.sounds[0], event));
    ASSERT_TRUE(forms.write(*main.sounds[1], stream));

    const std::vector<std::string> frames = decodedFrameHashes(source, "0:v");
    EXPECT_EQ(frames.size(), frame);
    EXPECT_EQ(decodedFrameHashes(video, "0:v"), frames);
    // Samples come out in blocks of the decoder's choosing: compare them as one stream.
    const auto samples = [](const std::string& path) {
      return test::runCommand("ffmpeg -v error -i '" + path + "' -map 0:a -f s16le - | md5sum");
    };
    const test::CommandOutput original = samples(source);
    ASSERT_EQ(original.status, 0);
    EXPECT_EQ(samples(stream).output, original.output);
    EXPECT_EQ(samples(event).output, original.output);
  }
}

}  // namespace
}  // namespace orvane
