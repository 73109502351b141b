#include "movie/TagWalker.h"

#include <gtest/gtest.h>

#include "movie/ScanOptions.h"
#include "tests/actions/ActionBytes.h"
#include "tests/support/ScanFixture.h"
#include "tests/support/ShapeBuilder.h"

namespace orvane {
namespace {

using test::Bytes;
using test::ByteWriter;
using test::join;
using test::ClipAction;
using test::MovieBuilder;
using test::ScanFixture;
using test::TagList;

// ActionPlay, ActionEndFlag.
const Bytes kPlay = {0x06, 0x00};
// ActionStop, ActionEndFlag.
const Bytes kStop = {0x07, 0x00};

TEST(TagWalker, AMovieOfFramesAloneHasOneEmptyTimeline) {
  MovieBuilder movie;
  movie.showFrame().showFrame().end();
  ScanFixture fixture;
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.result.timelines().size(), 1u);
  EXPECT_EQ(fixture.timeline(0).displayName(false), "Main Movie Stage");
  EXPECT_FALSE(fixture.timeline(0).hasObjects());
  EXPECT_TRUE(fixture.writer.calls.empty());
}

TEST(TagWalker, FrameActionsTakeTheirFrameLabelAndBody) {
  MovieBuilder movie;
  movie.showFrame().showFrame().showFrame().frameLabel("intro").doAction(kPlay).showFrame().doAction(kStop).end();
  ScanFixture fixture;
  const std::uint32_t firstId = TagWalker::frameActionCounter();
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  const auto& actions = fixture.timeline(0).actions;
  ASSERT_EQ(actions.size(), 2u);
  EXPECT_EQ(actions[0]->frame, 3);
  EXPECT_EQ(actions[0]->label, "intro");
  EXPECT_EQ(actions[0]->bytes, kPlay);
  EXPECT_EQ(actions[0]->typeName, "DefineAction");
  EXPECT_EQ(actions[0]->conditionWord, 0xFFFF);
  EXPECT_EQ(actions[0]->serial, 1);
  EXPECT_EQ(actions[0]->bodyLength, 2u);
  EXPECT_EQ(actions[1]->frame, 4);
  EXPECT_EQ(actions[1]->label, "");
  EXPECT_EQ(actions[1]->serial, 2);
  EXPECT_EQ(actions[0]->characterId, firstId);
  EXPECT_EQ(actions[1]->characterId, firstId + 1);

  // The frame-action counter is never reset: a re-scan numbers on.
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_EQ(fixture.timeline(0).actions[0]->characterId, firstId + 2);
  EXPECT_EQ(fixture.timeline(0).actions[1]->characterId, firstId + 3);
  EXPECT_EQ(fixture.timeline(0).actions[0]->serial, 1);
}

TEST(TagWalker, SpritesHaveTheirOwnTimelinesAndFrameCounts) {
  TagList spriteTags;
  spriteTags.doAction(kPlay).showFrame().showFrame().doAction(kStop).showFrame().end();
  TagList second;
  second.end();
  MovieBuilder movie;
  movie.defineSprite(17, 5, spriteTags).doAction(kStop).defineSprite(18, 1, second).showFrame().end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.result.timelines().size(), 3u);
  EXPECT_EQ(fixture.timeline(0).nodeId, 0u);
  EXPECT_EQ(fixture.timeline(0).spriteId, 0xFFFF);
  EXPECT_EQ(fixture.timeline(1).nodeId, 1u);
  EXPECT_EQ(fixture.timeline(1).spriteId, 17);
  EXPECT_EQ(fixture.timeline(1).frameCount, 5);
  EXPECT_EQ(fixture.timeline(2).nodeId, 2u);
  EXPECT_EQ(fixture.timeline(2).spriteId, 18);
  EXPECT_EQ(fixture.timeline(1).displayName(true), "Movie Object (ID 1) 5 Frames tagid 17");
  // The sprite's frames do not move the main timeline's frame counter.
  ASSERT_EQ(fixture.timeline(0).actions.size(), 1u);
  EXPECT_EQ(fixture.timeline(0).actions[0]->frame, 0);
  ASSERT_EQ(fixture.timeline(1).actions.size(), 2u);
  EXPECT_EQ(fixture.timeline(1).actions[0]->frame, 0);
  EXPECT_EQ(fixture.timeline(1).actions[1]->frame, 2);
}

TEST(TagWalker, ScanFlagsChooseTheKindsCollected) {
  MovieBuilder movie;
  movie.doAction(kPlay).defineButton(3, kStop).defineSound(4, 0, 1, true, false, 10, {1, 2, 3}).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build(), scanflag::kAll & ~scanflag::kFrameActions & ~scanflag::kRawSounds),
            ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).actions.empty());
  EXPECT_EQ(fixture.timeline(0).buttons.size(), 1u);
  // The sound is collected whatever the flags; the writer decides about its file.
  ASSERT_EQ(fixture.timeline(0).sounds.size(), 1u);
  const SoundObject& sound = *fixture.timeline(0).sounds[0];
  EXPECT_EQ(sound.characterId, 4);
  EXPECT_EQ(sound.format, 0u);
  EXPECT_EQ(sound.sampleRate, 11025u);
  EXPECT_EQ(sound.sampleSize, 16u);
  EXPECT_EQ(sound.channels, 1u);
  EXPECT_EQ(sound.sampleCount, 10u);
  EXPECT_EQ(sound.typeName, "DefineSound");
  ASSERT_EQ(fixture.writer.calls.size(), 1u);
  EXPECT_EQ(fixture.writer.calls[0].data, (Bytes{1, 2, 3}));

  ASSERT_EQ(fixture.scan(movie.build(), 0), ScanStatus::Success);
  EXPECT_FALSE(fixture.timeline(0).sounds.empty());
  EXPECT_TRUE(fixture.timeline(0).buttons.empty());
}

TEST(TagWalker, Jpeg4IsCollectedLikeJpeg3UnderItsFlag) {
  MovieBuilder movie(10);
  movie.defineBitsJpeg4(5, 0x0200, {0xFF, 0xD8, 0xFF, 0xD9}, {0x78}).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).images.size(), 1u);
  const ImageObject& image = *fixture.timeline(0).images[0];
  EXPECT_EQ(image.typeName, "DefineBitsJPEG4");
  EXPECT_EQ(image.formatName, "JPEG");
  EXPECT_EQ(image.characterId, 5);
  EXPECT_EQ(image.deblocking, 0x0200);
  ASSERT_EQ(fixture.writer.calls.size(), 1u);
  EXPECT_EQ(fixture.writer.calls[0].operation, "ExtractJpeg4");

  ASSERT_EQ(fixture.scan(movie.build(), scanflag::kAll & ~scanflag::kJpeg3), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).images.empty());
}

TEST(TagWalker, VideoFramesJoinTheirStreamWhereverTheyAre) {
  TagList sprite;
  sprite.videoFrame(3, 1, {0xBB}).end();
  MovieBuilder movie(8);
  movie.videoFrame(3, 0, {0x00})  // before its stream: nothing to belong to yet
      .defineVideoStream(3, 2, 320, 240, 1, false, 2)
      .videoFrame(3, 0, {0xAA})
      .defineSprite(9, 1, sprite)
      .videoFrame(4, 0, {0xCC})
      .end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build(), 0), ScanStatus::Success);  // whatever the flags
  ASSERT_EQ(fixture.timeline(0).videos.size(), 1u);
  const VideoObject& video = *fixture.timeline(0).videos[0];
  EXPECT_EQ(video.serial, 1);
  EXPECT_EQ(video.width, 320);
  EXPECT_EQ(video.height, 240);
  EXPECT_EQ(video.deblocking, 1);
  EXPECT_FALSE(video.smoothing);
  EXPECT_EQ(video.codecId, 2);
  ASSERT_EQ(video.frames.size(), 2u);
  const std::vector<std::uint8_t>& bytes = fixture.walker.movie().bytes();
  EXPECT_EQ(bytes[video.frames[0].offset + 4], 0xAA);
  EXPECT_EQ(bytes[video.frames[1].offset + 4], 0xBB);
  EXPECT_EQ(video.frames[1].length, 5u);
  EXPECT_EQ(video.describe(false), "Video Defined at Frame[0] ");
}

TEST(TagWalker, SoundsInsideSpritesAreNotCollected) {
  TagList spriteTags;
  spriteTags.defineSound(4, 2, 3, true, true, 10, {0, 0}).soundStreamHead(false, 0, true, false, 0, 100)
      .soundStreamBlock({1, 2}).end();
  MovieBuilder movie;
  movie.defineSprite(9, 1, spriteTags).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).sounds.empty());
  EXPECT_TRUE(fixture.timeline(1).sounds.empty());
  EXPECT_TRUE(fixture.writer.calls.empty());
}

TEST(TagWalker, StreamsAreCompletedAtTheNextHeadAndAtTheEnd) {
  MovieBuilder movie;
  movie.soundStreamHead(false, 0, false, true, 1, 576)
      .soundStreamBlock({9, 9})
      .soundStreamBlock({8})
      .soundStreamHead(true, 3, true, false, 2, 1152)
      .soundStreamBlock({7})
      .end();
  ScanFixture fixture;
  const std::uint32_t firstId = TagWalker::streamSoundCounter();
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  const auto& sounds = fixture.timeline(0).sounds;
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_EQ(sounds[0]->characterId, firstId);
  EXPECT_EQ(sounds[0]->typeName, "DefineStreamingSound");
  EXPECT_EQ(sounds[0]->sampleRate, 5500u);
  EXPECT_EQ(sounds[0]->sampleSize, 8u);
  EXPECT_EQ(sounds[0]->channels, 2u);
  EXPECT_EQ(sounds[0]->format, 1u);
  EXPECT_EQ(sounds[0]->sampleCount, 576u);
  EXPECT_EQ(sounds[0]->blockCount, 2u);
  EXPECT_EQ(sounds[1]->characterId, firstId + 1);
  EXPECT_EQ(sounds[1]->sampleRate, 44000u);
  EXPECT_EQ(sounds[1]->format, 2u);
  EXPECT_EQ(sounds[1]->blockCount, 1u);

  std::vector<std::string> operations;
  for (const auto& call : fixture.writer.calls) operations.push_back(call.operation);
  EXPECT_EQ(operations, (std::vector<std::string>{"BeginStreamSound", "AppendStreamBlock", "AppendStreamBlock",
                                                  "CompleteStreamSound", "BeginStreamSound", "AppendStreamBlock",
                                                  "CompleteStreamSound"}));
  EXPECT_EQ(fixture.writer.calls[1].data, (Bytes{9, 9}));
  EXPECT_EQ(fixture.writer.calls[6].characterId, firstId + 1);
}

TEST(TagWalker, AStreamFileThatCannotBeCreatedEndsTheScan) {
  MovieBuilder movie;
  movie.doAction(kPlay).soundStreamHead(false, 0, true, false, 0, 100).doAction(kStop).end();
  ScanFixture fixture;
  fixture.writer.beginStatus = ScanStatus::OpenError;
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::OpenError);
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);
}

TEST(TagWalker, DefineBitsNeedsJpegTables) {
  MovieBuilder movie;
  movie.doAction(kPlay).defineBits(5, {0xFF, 0xD8}).doAction(kStop).end();
  ScanFixture fixture;
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::FormatNotSupported);
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);
  EXPECT_TRUE(fixture.timeline(0).images.empty());

  MovieBuilder withTables;
  withTables.jpegTables({0xFF, 0xD8, 0xFF, 0xD9}).defineBits(5, {0xFF, 0xD8}).defineBitsJpeg2(6, {1})
      .defineBitsJpeg3(7, {2}, {3}).defineBitsLossless(false, 8, 5, 1, 1, 0, {4})
      .defineBitsLossless(true, 9, 5, 1, 1, 0, {5}).end();
  ASSERT_EQ(fixture.scan(withTables.build()), ScanStatus::Success);
  const auto& images = fixture.timeline(0).images;
  ASSERT_EQ(images.size(), 6u);
  EXPECT_EQ(images[0]->characterId, 0xFFFF);
  EXPECT_EQ(images[0]->typeName, "DefineJPEGTable");
  EXPECT_EQ(images[0]->formatName, "n\\a");
  EXPECT_EQ(images[0]->tempFilePath, "no file");
  EXPECT_FALSE(images[0]->viewable);
  const char* typeNames[] = {"DefineBits", "DefineBitsJPEG2", "DefineBitsJPEG3", "DefineBitsLossless",
                             "DefineBitsLossless2"};
  const char* formatNames[] = {"JPEG", "JPEG", "JPEG", "PNG / GIF", "PNG / GIF"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(images[i + 1]->typeName, typeNames[i]);
    EXPECT_EQ(images[i + 1]->formatName, formatNames[i]);
    EXPECT_EQ(images[i + 1]->characterId, 5 + i);
    EXPECT_EQ(images[i + 1]->tempFilePath, "/nonexistent-orvane-temp/swfextract" + std::to_string(5 + i) + ".jpg");
  }
  EXPECT_EQ(fixture.result.findImage(0xFFFF, false), images[0].get());
}

TEST(TagWalker, WriterStatusesAreDisposedOf) {
  MovieBuilder movie;
  movie.defineBitsLossless(false, 8, 5, 1, 1, 0, {4}).doAction(kPlay).end();
  ScanFixture fixture;
  fixture.writer.imageOutcome = {ScanStatus::InflateError, false, false};
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.sink.messages().size(), 1u);
  EXPECT_EQ(fixture.sink.messages()[0],
            (Message{"An Error occured while decompressing image data", "Zlib data error : test\n-3", MessageIcon::Error}));
  EXPECT_TRUE(fixture.timeline(0).images.empty());
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);
  EXPECT_TRUE(fixture.walker.errorText().empty());

  fixture.sink.clear();
  fixture.writer.imageOutcome = {ScanStatus::UnsupportedVariant, false, false};
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.sink.messages().empty());

  fixture.writer.imageOutcome = {ScanStatus::WriteError, false, false};
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::WriteError);
  EXPECT_TRUE(fixture.timeline(0).actions.empty());
}

TEST(TagWalker, ClipActionsAreCollectedFromVersionFiveOn) {
  TagList tags;
  tags.frameLabel("go").placeObject2(5, 1, 30, "hero", 7, {{0x0001, kPlay}, {0x0080, kStop}}).end();
  MovieBuilder version4(4);
  version4.raw(tags.bytes());
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(version4.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).instances.empty());

  MovieBuilder version5(5);
  version5.raw(tags.bytes());
  ASSERT_EQ(fixture.scan(version5.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).instances.size(), 1u);
  const InstanceObject& instance = *fixture.timeline(0).instances[0];
  EXPECT_EQ(instance.typeName, "DefineButton");
  EXPECT_EQ(instance.placedCharacterId, 30);
  EXPECT_EQ(instance.instanceName, "hero");
  EXPECT_EQ(instance.clipDepth, 7);
  EXPECT_EQ(instance.characterId, 0);
  ASSERT_EQ(instance.conditionCount(), 2u);
  EXPECT_EQ(instance.conditionActions[0]->conditionWord, 0x0001);
  EXPECT_EQ(instance.conditionActions[0]->bytes, kPlay);
  EXPECT_EQ(instance.conditionActions[0]->label, "go");
  EXPECT_EQ(instance.conditionActions[0]->serial, -1);
  EXPECT_EQ(instance.conditionActions[1]->conditionWord, 0x0080);
  EXPECT_EQ(instance.conditionActions[1]->bytes, kStop);
  EXPECT_EQ(instance.describe(false), "Sprite Instance hero ");
}

TEST(TagWalker, VersionSixClipActionsUseWideFlagsAndKeyCodes) {
  MovieBuilder movie(6);
  movie.placeObject2(6, 1, 30, "", 0, {{0x00020000, kPlay, 65}, {0x00040001, kStop}}).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).instances.size(), 1u);
  const InstanceObject& instance = *fixture.timeline(0).instances[0];
  ASSERT_EQ(instance.conditionCount(), 2u);
  EXPECT_EQ(instance.conditionActions[0]->conditionWord, 0x0000);
  EXPECT_EQ(instance.conditionActions[0]->eventFlags, 0x00020000u);
  EXPECT_EQ(instance.conditionActions[0]->keyCode, 65);
  EXPECT_EQ(instance.conditionActions[0]->bytes, kPlay);
  EXPECT_EQ(instance.conditionActions[1]->conditionWord, 0x0001);
  EXPECT_EQ(instance.conditionActions[1]->eventFlags, 0x00040001u);
  EXPECT_EQ(instance.conditionActions[1]->keyCode, 0);
  EXPECT_EQ(instance.conditionActions[1]->bytes, kStop);
  EXPECT_EQ(instance.describe(false), "Sprite Instance ");
}

TEST(TagWalker, InitActionsOfTheMainTimelineAreCollected) {
  TagList sprite;
  sprite.doInitAction(9, kStop).showFrame().end();
  MovieBuilder movie(6);
  movie.defineSprite(5, 1, sprite).frameLabel("init").doInitAction(5, kPlay).doAction(kStop).showFrame();
  movie.doInitAction(7, join({kStop, kPlay})).raw({0xC1, 0x0E, 0x05}).end();  // a body of one byte
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(1).initActions.empty());  // only the main timeline's count
  const auto& initActions = fixture.timeline(0).initActions;
  ASSERT_EQ(initActions.size(), 3u);
  const InitActionObject& first = *initActions[0];
  EXPECT_EQ(first.characterId, 5);
  EXPECT_EQ(first.bytes, kPlay);
  EXPECT_EQ(first.frame, 0);
  EXPECT_EQ(first.label, "init");
  EXPECT_EQ(first.typeName, "DoInitAction");
  EXPECT_EQ(first.bodyLength, 4u);
  EXPECT_EQ(first.conditionWord, 0xFFFF);
  EXPECT_EQ(first.describe(false), "Init Actions For Movie Object (ID 5) ");
  EXPECT_EQ(first.describe(true), "Init Actions For Movie Object (ID 5) Label: init tagID[5] DoInitAction Size:4 ");
  EXPECT_EQ(initActions[1]->characterId, 7);
  EXPECT_EQ(initActions[1]->frame, 1);
  EXPECT_EQ(initActions[1]->bytes, join({kStop, kPlay}));
  EXPECT_TRUE(initActions[2]->bytes.empty());
  // Found by serial like a frame action; the frame action stays a frame action.
  EXPECT_EQ(fixture.result.findAction(static_cast<std::uint32_t>(first.serial), true), &first);
  ASSERT_EQ(fixture.timeline(0).actions.size(), 1u);
  EXPECT_EQ(fixture.timeline(0).actions[0]->bytes, kStop);

  ASSERT_EQ(fixture.scan(movie.build(), scanflag::kAll & ~scanflag::kFrameActions), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).initActions.empty());
}

TEST(TagWalker, AbcTagsOfTheMainTimelineAreRecordedWithoutTakingSerials) {
  const Bytes block = {0x10, 0x00, 0x2E, 0x00, 0x00};  // minor 16, major 46, the rest is not read here
  TagList sprite;
  sprite.doAbc(1, "inSprite", block).showFrame().end();
  MovieBuilder movie(9);
  movie.frameLabel("start").doAbc(1, "frame1", block).doAction(kStop).showFrame().defineSprite(5, 1, sprite);
  movie.doAbc1(block).doAbc(0x20, "", {}).showFrame();
  movie.rawTag(82, 6, {0x01, 0x00, 0x00, 0x00, 'a', 'b'}).end();  // the name has no terminating zero
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(1).abcTags.empty());
  const auto& tags = fixture.timeline(0).abcTags;
  ASSERT_EQ(tags.size(), 4u);
  const AbcTag& first = *tags[0];
  EXPECT_EQ(first.code, 82);
  EXPECT_STREQ(first.typeName(), "DoABC");
  EXPECT_EQ(first.flags, 1u);
  EXPECT_EQ(first.name, "frame1");
  EXPECT_EQ(first.block, block);
  EXPECT_EQ(first.number, 0u);
  EXPECT_EQ(first.frame, 0);
  EXPECT_EQ(first.label, "start");
  EXPECT_EQ(first.bodyLength, 4u + 7u + 5u);
  const AbcTag& second = *tags[1];
  EXPECT_EQ(second.code, 72);
  EXPECT_STREQ(second.typeName(), "DoABC1");
  EXPECT_EQ(second.flags, 0u);
  EXPECT_EQ(second.name, "");
  EXPECT_EQ(second.block, block);
  EXPECT_EQ(second.number, 1u);
  EXPECT_EQ(second.frame, 1);
  EXPECT_EQ(second.label, "");
  EXPECT_EQ(tags[2]->flags, 0x20u);  // recorded whatever its flags
  EXPECT_TRUE(tags[2]->block.empty());
  EXPECT_EQ(tags[3]->name, "ab");
  EXPECT_TRUE(tags[3]->block.empty());
  // The walk lists no object for them: the frame action keeps serial 1.
  EXPECT_TRUE(fixture.timeline(0).abcObjects.empty());
  EXPECT_EQ(fixture.timeline(0).actions.at(0)->serial, 1);
  EXPECT_EQ(fixture.result.objectCounter(), 1u);

  ASSERT_EQ(fixture.scan(movie.build(), scanflag::kAll & ~scanflag::kFrameActions), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).abcTags.empty());
}

TEST(TagWalker, PlaceObject3ClipActionsAreReadPastEveryFieldFromVersionEightOn) {
  // A drop shadow, a 2 x 1 convolution and a two-colour gradient glow, their fields all 0xFF.
  const Bytes filters = join({{3, 0}, Bytes(23, 0xFF), {5, 2, 1}, Bytes(21, 0xFF), {4, 2}, Bytes(29, 0xFF)});
  test::PlaceObject3Fields version8;
  version8.className = "com.Hero";
  version8.filterList = filters;
  version8.blendMode = 3;
  version8.cacheAsBitmap = 1;
  test::PlaceObject3Fields version11 = version8;
  version11.visible = 1;
  version11.background = 0x11223344;
  const std::vector<ClipAction> clips = {{0x00020000, kPlay, 65}, {0x00000003, kStop}};
  for (const auto& [version, fields] : {std::pair{8, version8}, std::pair{11, version11}, std::pair{8, test::PlaceObject3Fields{}}}) {
    SCOPED_TRACE(version);
    MovieBuilder movie(static_cast<std::uint8_t>(version));
    movie.frameLabel("here").placeObject3(1, 30, "hero", 4, fields, clips).end();
    ScanFixture fixture;
    ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
    ASSERT_EQ(fixture.timeline(0).instances.size(), 1u);
    const InstanceObject& instance = *fixture.timeline(0).instances[0];
    EXPECT_EQ(instance.typeName, "PlaceObject3");
    EXPECT_EQ(instance.placedCharacterId, 30);
    EXPECT_EQ(instance.instanceName, "hero");
    EXPECT_EQ(instance.clipDepth, 4);
    ASSERT_EQ(instance.conditionCount(), 2u);
    EXPECT_EQ(instance.conditionActions[0]->conditionWord, 0x0000);
    EXPECT_EQ(instance.conditionActions[0]->bytes, kPlay);
    EXPECT_EQ(instance.conditionActions[0]->label, "here");
    EXPECT_EQ(instance.conditionActions[1]->conditionWord, 0x0003);
    EXPECT_EQ(instance.conditionActions[1]->bytes, kStop);

    ASSERT_EQ(fixture.scan(movie.build(), scanflag::kAll & ~scanflag::kInstanceActions), ScanStatus::Success);
    EXPECT_TRUE(fixture.timeline(0).instances.empty());
  }

  // Version 7 movies have no PlaceObject3; a filter of unknown kind hides the clip actions.
  MovieBuilder version7(7);
  version7.placeObject3(1, 30, "", 0, version8, clips).end();
  test::PlaceObject3Fields unknownFilter;
  unknownFilter.filterList = {1, 9, 0, 0, 0, 0};
  MovieBuilder unknown(8);
  unknown.placeObject3(1, 30, "", 0, unknownFilter, clips).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(version7.build()), ScanStatus::Success);
  EXPECT_TRUE(fixture.timeline(0).instances.empty());
  ASSERT_EQ(fixture.scan(unknown.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).instances.size(), 1u);
  EXPECT_EQ(fixture.timeline(0).instances[0]->conditionCount(), 0u);
}

TEST(TagWalker, ButtonsCarryTheirConditionActions) {
  MovieBuilder movie;
  movie.showFrame().frameLabel("menu").defineButton(3, kPlay)
      .defineButton2(4, {{0x0008, kPlay}, {0x0100, kStop}})
      .defineButton2(5, {})
      .end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  const auto& buttons = fixture.timeline(0).buttons;
  ASSERT_EQ(buttons.size(), 3u);
  EXPECT_EQ(buttons[0]->typeName, "DefineButton");
  EXPECT_EQ(buttons[0]->characterId, 3);
  EXPECT_EQ(buttons[0]->label, "");
  ASSERT_EQ(buttons[0]->conditionCount(), 1u);
  EXPECT_EQ(buttons[0]->conditionActions[0]->conditionWord, 0);
  EXPECT_EQ(buttons[0]->conditionActions[0]->bytes, kPlay);
  EXPECT_EQ(buttons[0]->conditionActions[0]->frame, 1);
  EXPECT_EQ(buttons[0]->conditionActions[0]->label, "menu");

  EXPECT_EQ(buttons[1]->typeName, "DefineButton2");
  ASSERT_EQ(buttons[1]->conditionCount(), 2u);
  EXPECT_EQ(buttons[1]->conditionActions[0]->conditionWord, 0x0008);
  EXPECT_EQ(buttons[1]->conditionActions[0]->bytes, kPlay);
  EXPECT_EQ(buttons[1]->conditionActions[1]->conditionWord, 0x0100);
  EXPECT_EQ(buttons[1]->conditionActions[1]->bytes, kStop);
  // ActionOffset 0: collected without condition actions.
  EXPECT_EQ(buttons[2]->conditionCount(), 0u);
  EXPECT_EQ(fixture.result.findButton(4, false), buttons[1].get());
}

TEST(TagWalker, UnknownAndLaterTagsAreSteppedOverByTheirLength) {
  MovieBuilder movie;
  movie.tag(48, {1, 2, 3, 4}).tag(12, kPlay, true).tag(200, Bytes(100, 0xAA)).doAction(kStop).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).actions.size(), 2u);
  EXPECT_EQ(fixture.timeline(0).actions[0]->bytes, kPlay);
  EXPECT_EQ(fixture.timeline(0).actions[1]->bytes, kStop);
}

TEST(TagWalker, BadLengthsEndTheWalkWithoutReadingBeyondTheData) {
  ScanFixture fixture;
  // A tag that claims more than the movie holds.
  MovieBuilder pastEnd;
  pastEnd.doAction(kPlay).rawTag(12, 0xFFFFFFF0, kStop);
  EXPECT_EQ(fixture.scan(pastEnd.build()), ScanStatus::InvalidFileFormat);
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);

  // No End tag: the data ends on a tag boundary.
  MovieBuilder noEnd;
  noEnd.doAction(kPlay).showFrame();
  EXPECT_EQ(fixture.scan(noEnd.build()), ScanStatus::Success);
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);

  // Half a tag header at the end.
  MovieBuilder halfHeader;
  halfHeader.doAction(kPlay).raw({0x3F});
  EXPECT_EQ(fixture.scan(halfHeader.build()), ScanStatus::Success);

  // A sprite whose inner tag runs past the sprite body.
  TagList inner;
  inner.rawTag(12, 50, kPlay);
  MovieBuilder spriteOverrun;
  spriteOverrun.defineSprite(2, 1, inner).doAction(kStop).end();
  EXPECT_EQ(fixture.scan(spriteOverrun.build()), ScanStatus::InvalidFileFormat);
  EXPECT_TRUE(fixture.timeline(1).actions.empty());

  // A sprite without an End tag ends with its body; the outer walk goes on.
  TagList noSpriteEnd;
  noSpriteEnd.doAction(kPlay);
  MovieBuilder openSprite;
  openSprite.defineSprite(2, 1, noSpriteEnd).doAction(kStop).end();
  EXPECT_EQ(fixture.scan(openSprite.build()), ScanStatus::Success);
  EXPECT_EQ(fixture.timeline(1).actions.size(), 1u);
  EXPECT_EQ(fixture.timeline(0).actions.size(), 1u);
}

TEST(TagWalker, RecordSizesThatRunPastTheirTagAreClipped) {
  // A clip action record that claims 1000 bytes, inside a version 5 PlaceObject2.
  ByteWriter clip;
  clip.u8(0x82).u16(1).u16(30).u16(0).u16(1).u16(0x0001).u32(1000).bytes(kPlay);
  // A BUTTONCONDACTION whose CondActionSize runs past the body, then one past the end.
  ByteWriter button;
  button.u16(4).u8(0).u16(3).u8(0).u16(500).u16(0x0008).bytes(kStop);
  // A DefineButton whose records never end.
  ByteWriter endless;
  endless.u16(6).u8(0x08).u16(1).u16(1).u8(0x00).u8(0x08);
  MovieBuilder movie;
  movie.tag(26, clip.data()).tag(34, button.data()).tag(7, endless.data()).end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  ASSERT_EQ(fixture.timeline(0).instances.size(), 1u);
  ASSERT_EQ(fixture.timeline(0).instances[0]->conditionCount(), 1u);
  EXPECT_EQ(fixture.timeline(0).instances[0]->conditionActions[0]->bytes, kPlay);
  ASSERT_EQ(fixture.timeline(0).buttons.size(), 2u);
  ASSERT_EQ(fixture.timeline(0).buttons[0]->conditionCount(), 1u);
  EXPECT_EQ(fixture.timeline(0).buttons[0]->conditionActions[0]->bytes, kStop);
  ASSERT_EQ(fixture.timeline(0).buttons[1]->conditionCount(), 1u);
  EXPECT_TRUE(fixture.timeline(0).buttons[1]->conditionActions[0]->bytes.empty());
}

TEST(TagWalker, DeeplyNestedSpritesDoNotExhaustTheStack) {
  constexpr std::uint32_t kDepth = 100000;
  // Each level is a long-form DefineSprite (6 header bytes, id, frame count) holding the
  // next; the innermost holds an End tag, so level i has a body of 6 + 10 * (depth - 1 - i).
  ByteWriter nested;
  for (std::uint32_t level = 0; level < kDepth; ++level)
    nested.u16((39u << 6) | 0x3Fu).u32(6 + 10 * (kDepth - 1 - level)).u16(level).u16(1);
  nested.u16(0);
  const Bytes body = nested.take();
  MovieBuilder movie;
  movie.raw(body).end();
  ScanFixture fixture;
  EXPECT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  EXPECT_EQ(fixture.result.timelines().size(), std::size_t{kDepth} + 1);
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

using test::Bytes;
using test::ByteWriter;
using test::MovieBuilder;
using test::ScanFixture;
using test::TagList;

TEST(TagWalker, VectorAssetsAndDisplayTagsAreRecordedWhereTheyStand) {
  test::ShapeBuilder shape;
  shape.fill(test::solidFill({255, 0, 0}, true)).change({.move = true, .x = 0, .y = 0, .fill0 = 1}).lineTo(20, 20);
  ByteWriter button;
  button.u16(6).u8(0).u16(0);
  button.u8(0x01).u16(1).u16(2).bytes(test::matrixBytes(65536, 65536, 0, 0, 40, -20)).u8(0x00);
  button.u8(0x06).u16(3).u16(1).bytes(test::identityMatrix()).u8(0x00);
  button.u8(0);
  TagList sprite;
  sprite.placeObject2Plain(1, 1).showFrame().tag(28, ByteWriter().u16(1).take()).showFrame().end();

  MovieBuilder movie(8);
  movie.tag(9, {0x33, 0x66, 0x99})
      .tag(9, {0x00, 0x00, 0x00})
      .tag(32, shape.defineShape(1, test::rectBytes(0, 20, 0, 20)))
      .tag(48, {0x02, 0x00, 0x00})
      .tag(13, {0x02, 0x00, 0x01, 'A', 0x00})
      .tag(13, {0x63, 0x00, 0x01, 'B', 0x00})
      .tag(88, {0x02, 0x00, 'N', 0x00, 0x00})
      .tag(11, {0x03, 0x00})
      .tag(37, {0x04, 0x00})
      .tag(46, {0x05, 0x00})
      .tag(34, button.data())
      .doAction({0x07, 0x00})
      .placeObject2Plain(1, 1)
      .showFrame()
      .defineSprite(7, 2, sprite)
      .placeObject2Plain(2, 7)
      .tag(5, ByteWriter().u16(1).u16(1).take())
      .showFrame()
      .end();
  ScanFixture fixture;
  ASSERT_EQ(fixture.scan(movie.build()), ScanStatus::Success);
  numberAssetObjects(fixture.result);
  const TimelineNode& main = fixture.timeline(0);

  // The first SetBackgroundColor sets the stage's colour.
  EXPECT_EQ(fixture.result.background, (Rgba{0x33, 0x66, 0x99, 255}));
  ASSERT_EQ(main.shapes.size(), 1u);
  EXPECT_EQ(main.shapes[0]->characterId, 1);
  EXPECT_EQ(main.shapes[0]->code, 32);
  EXPECT_EQ(main.shapes[0]->typeName, "DefineShape3");
  EXPECT_EQ(main.shapes[0]->body.length, shape.defineShape(1, test::rectBytes(0, 20, 0, 20)).size());
  EXPECT_EQ(main.shapes[0]->describe(false), "Shape (ID 1) ");
  ASSERT_EQ(main.fonts.size(), 1u);
  // The info of font 99, which the movie never defines, is dropped.
  ASSERT_EQ(main.fonts[0]->parts.size(), 2u);
  EXPECT_EQ(main.fonts[0]->parts[0].code, 13);
  EXPECT_EQ(main.fonts[0]->parts[1].code, 88);
  ASSERT_EQ(main.texts.size(), 2u);
  EXPECT_EQ(main.texts[0]->describe(false), "Text (ID 3) ");
  EXPECT_EQ(main.texts[1]->describe(true), "Edit Text (ID 4) Frame[0] tagID[4] DefineEditText Size:2 ");
  ASSERT_EQ(main.morphShapes.size(), 1u);
  EXPECT_EQ(main.morphShapes[0]->characterId, 5);

  // The walk's objects keep their serials (button 1, frame action 2); assets follow.
  EXPECT_EQ(main.buttons.at(0)->serial, 1);
  EXPECT_EQ(main.actions.at(0)->serial, 2);
  EXPECT_EQ(main.shapes[0]->serial, 3);
  EXPECT_EQ(main.morphShapes[0]->serial, 4);
  EXPECT_EQ(main.fonts[0]->serial, 5);
  EXPECT_EQ(main.texts[1]->serial, 7);
  EXPECT_EQ(fixture.result.findAsset(7, true), main.texts[1].get());

  const std::vector<ButtonRecord>& records = main.buttons[0]->records;
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].states, ButtonRecord::kUp);
  EXPECT_EQ(records[0].characterId, 1);
  EXPECT_EQ(records[0].depth, 2);
  EXPECT_EQ(records[0].matrix.translateX, 40);
  EXPECT_EQ(records[1].states, ButtonRecord::kOver | ButtonRecord::kDown);

  std::vector<std::uint16_t> codes;
  for (const DisplayTag& tag : main.displayTags) codes.push_back(tag.code);
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{26, 1, 26, 5, 1}));
  EXPECT_EQ(main.shownFrames, 2u);
  const TimelineNode& inner = fixture.timeline(1);
  codes.clear();
  for (const DisplayTag& tag : inner.displayTags) codes.push_back(tag.code);
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{26, 1, 28, 1}));
  EXPECT_EQ(inner.shownFrames, 2u);
  // A display tag's body is the tag's body: RemoveObject2's depth.
  EXPECT_EQ(inner.displayTags[2].body.length, 2u);
  EXPECT_EQ(fixture.walker.movie().bytes().at(inner.displayTags[2].body.offset), 1);
}

}  // namespace
}  // namespace orvane
