#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/AppSettings.h"
#include "shell/OptionsForm.h"
#include "tests/support/TestFiles.h"

namespace orvane {
namespace {

void writeText(const std::string& path, const std::string& text) {
  test::writeFile(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const std::string& path) {
  const std::vector<std::uint8_t> bytes = test::readFile(path);
  return std::string(bytes.begin(), bytes.end());
}

TEST(AppSettings, DefaultsAndExactFileText) {
  AppSettings settings;
  EXPECT_EQ(settings.options.scanFlags, 4095u);
  EXPECT_EQ(settings.options.defaultTranslationMode, 17);
  settings.options.scanFlags = 33;
  settings.options.showAdvancedDetails = 1;
  settings.options.defaultTranslationMode = 14;
  test::ScratchFolder folder;
  const std::string path = folder.file("sys2-6lumo.ini");
  ASSERT_TRUE(settings.SaveSettings(path));
  EXPECT_EQ(readText(path), "FLAG\n33\nADVOPS\n1\n0\nASMODE\n14\nCOLORS\n");
  EXPECT_FALSE(test::fileExists(path + ".tmp"));

  AppSettings loaded;
  ASSERT_TRUE(loaded.LoadSettings(path));
  EXPECT_EQ(loaded.options.scanFlags, 33u);
  EXPECT_EQ(loaded.options.showAdvancedDetails, 1);
  EXPECT_EQ(loaded.options.showEmptyMovieObjects, 0);
  EXPECT_EQ(loaded.options.defaultTranslationMode, 14);
}

TEST(AppSettings, LoadKeepsWhatTheFileDoesNotSay) {
  test::ScratchFolder folder;
  AppSettings settings;
  EXPECT_FALSE(settings.LoadSettings(folder.file("missing.ini")));
  EXPECT_EQ(settings.options.scanFlags, 4095u);

  // Only "FLAG": JPEG Bits and frame actions; the rest stays at the defaults.
  writeText(folder.file("flag.ini"), "FLAG\n33\n");
  ASSERT_TRUE(settings.LoadSettings(folder.file("flag.ini")));
  EXPECT_EQ(settings.options.scanFlags, 33u);
  EXPECT_EQ(settings.options.defaultTranslationMode, 17);

  // Unknown words and "COLORS" are skipped; a number that cannot be read leaves its field.
  AppSettings other;
  writeText(folder.file("odd.ini"), "COLORS junk ASMODE abc ADVOPS 1 1 FLAG 7\n");
  ASSERT_TRUE(other.LoadSettings(folder.file("odd.ini")));
  EXPECT_EQ(other.options.defaultTranslationMode, 17);
  EXPECT_EQ(other.options.showAdvancedDetails, 1);
  EXPECT_EQ(other.options.showEmptyMovieObjects, 1);
  EXPECT_EQ(other.options.scanFlags, 7u);

  // Binary garbage is read without harm.
  test::writeFile(folder.file("garbage.ini"), {0xFF, 0x00, 'F', 'L', 'A', 'G', 0x00, 0x80});
  AppSettings garbage;
  EXPECT_TRUE(garbage.LoadSettings(folder.file("garbage.ini")));
  EXPECT_EQ(garbage.options.scanFlags, 4095u);
}

TEST(AppSettings, SaveFailsIntoAMissingFolderAndKeepsTheOldFile) {
  test::ScratchFolder folder;
  AppSettings settings;
  EXPECT_FALSE(settings.SaveSettings(folder.file("no/such/folder/sys2-6lumo.ini")));
  const std::string path = folder.file("sys2-6lumo.ini");
  writeText(path, "FLAG\n1\n");
  ::chmod(folder.path().c_str(), 0500);
  const bool saved = settings.SaveSettings(path);
  ::chmod(folder.path().c_str(), 0700);
  if (::geteuid() != 0) {
    EXPECT_FALSE(saved);
  }
  if (!saved) {
    EXPECT_EQ(readText(path), "FLAG\n1\n");
  }
}

TEST(OptionsForm, OpensFromTheFlagsAndComputesThemOnOk) {
  ScanOptions options;
  OptionsForm form = OptionsForm::fromOptions(options);
  EXPECT_TRUE(form.groupChecked[0] && form.groupChecked[1] && form.groupChecked[2]);
  EXPECT_TRUE(form.letOrvaneDecide);

  // Unchecking "Sounds" and then only "MP3 Sounds".
  form.groupChecked[static_cast<int>(KindGroup::Sounds)] = false;
  for (int bit = 8; bit < 12; ++bit) form.kindChecked[bit] = bit == 9;
  form.applyTo(options);
  EXPECT_EQ(options.scanFlags & 0xF00u, 0x200u);
  EXPECT_EQ(options.scanFlags & 0xFFu, 0xFFu);

  // A checked "Images" sets 0x1F even with its boxes cleared.
  OptionsForm images;
  images.groupChecked[static_cast<int>(KindGroup::Images)] = true;
  images.applyTo(options);
  EXPECT_EQ(options.scanFlags, 0x1Fu);

  // Partial groups open unchecked with their own boxes.
  ScanOptions partial;
  partial.scanFlags = 0x21;
  const OptionsForm opened = OptionsForm::fromOptions(partial);
  EXPECT_FALSE(opened.groupChecked[0]);
  EXPECT_TRUE(opened.kindChecked[0]);
  EXPECT_TRUE(opened.kindChecked[5]);
  EXPECT_FALSE(opened.kindChecked[6]);
}

TEST(OptionsForm, ModeRules) {
  ScanOptions options;
  options.defaultTranslationMode = 18;
  OptionsForm form = OptionsForm::fromOptions(options);
  EXPECT_FALSE(form.letOrvaneDecide);
  for (const bool checked : form.modeChecked) EXPECT_FALSE(checked);
  form.applyTo(options);
  EXPECT_EQ(options.defaultTranslationMode, 18);

  // Mode 16 is the source, the last radio button.
  options.defaultTranslationMode = 16;
  form = OptionsForm::fromOptions(options);
  EXPECT_TRUE(form.modeChecked[6]);
  form.modeChecked = {false, false, false, false, false, false, true};
  form.applyTo(options);
  EXPECT_EQ(options.defaultTranslationMode, 16);

  options.defaultTranslationMode = 11;
  form = OptionsForm::fromOptions(options);
  EXPECT_TRUE(form.modeChecked[2]);  // "Character" is third in the order OK looks at
  form.modeChecked = {false, true, false, false, false, true, false};
  form.applyTo(options);
  EXPECT_EQ(options.defaultTranslationMode, 12);  // "Integer" comes before version 5
  form.letOrvaneDecide = true;
  form.applyTo(options);
  EXPECT_EQ(options.defaultTranslationMode, 17);
}

}  // namespace
}  // namespace orvane
