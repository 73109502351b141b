#include <gtest/gtest.h>

#include <QCheckBox>
#include <QRadioButton>

#include "movie/ScanResult.h"
#include "shell/OptionsDialog.h"
#include "shell/ProjectorDialog.h"
#include "shell/PropertiesDialog.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

QCheckBox* box(const QDialog& dialog, const char* name) {
  return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
}

TEST(OptionsDialog, GroupBoxesAndLetOrvaneDecide) {
  test::qtApplication();
  ScanOptions options;
  options.scanFlags = 0xFFF & ~0x200u;  // Sounds incomplete
  options.defaultTranslationMode = 17;
  OptionsDialog dialog(options);
  // Complete groups are checked and their boxes disabled.
  EXPECT_TRUE(box(dialog, "Images")->isChecked());
  EXPECT_FALSE(box(dialog, "JPEG2")->isEnabled());
  EXPECT_FALSE(box(dialog, "Sounds")->isChecked());
  EXPECT_TRUE(box(dialog, "Raw Sounds")->isEnabled());
  EXPECT_FALSE(box(dialog, "MP3 Sounds")->isChecked());
  EXPECT_FALSE(dialog.findChild<QRadioButton*>(QStringLiteral("Hex"))->isEnabled());

  // Unchecking a group enables its boxes, which keep their marks.
  // click() rather than a synthesised mouse event: the test mouse device that QTest
  // creates outlives the application object and crashes the program at exit.
  box(dialog, "Images")->click();
  EXPECT_TRUE(box(dialog, "JPEG2")->isEnabled());
  EXPECT_TRUE(box(dialog, "JPEG2")->isChecked());
  box(dialog, "JPEG2")->setChecked(false);

  box(dialog, "Let Orvane Decide")->click();
  auto* integer = dialog.findChild<QRadioButton*>(QStringLiteral("Integer"));
  ASSERT_TRUE(integer->isEnabled());
  integer->setChecked(true);

  ScanOptions result = options;
  dialog.form().applyTo(result);
  EXPECT_EQ(result.scanFlags, 0xFFFu & ~0x200u & ~0x2u);
  EXPECT_EQ(result.defaultTranslationMode, 12);
}

TEST(PropertiesDialog, RefusesValuesOutOfRange) {
  test::qtApplication();
  ScanResult scan;
  scan.width = 550;
  scan.height = 400;
  scan.frameRate = 12;
  RecordingMessageSink messages;
  PropertiesDialog dialog(scan, messages);
  EXPECT_EQ(dialog.field(PropertyField::Width)->text(), QStringLiteral("550"));
  EXPECT_EQ(dialog.field(PropertyField::FrameRate)->text(), QStringLiteral("12"));

  dialog.field(PropertyField::Width)->setText(QStringLiteral("3271"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages().front().text, "Please enter an integer between 1 and 3270.");

  dialog.field(PropertyField::Width)->setText(QStringLiteral("320"));
  dialog.field(PropertyField::FrameRate)->setText(QStringLiteral("abc"));
  dialog.accept();
  EXPECT_EQ(messages.messages().back().text, "Please enter an integer.");

  dialog.field(PropertyField::FrameRate)->setText(QStringLiteral("24"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.properties().width, 320);
  EXPECT_EQ(dialog.properties().frameRate, 24);
}

TEST(ProjectorDialog, ListsCandidatesAndScansACopy) {
  test::qtApplication();
  test::ScratchFolder folder;
  // A stub executable with one movie appended at offset 300.
  test::Bytes executable(300, 0x90);
  test::MovieBuilder builder(4);
  builder.doAction({0x07, 0x00}).showFrame().end();
  const test::Bytes movie = builder.build();
  executable.insert(executable.end(), movie.begin(), movie.end());
  const std::string exe = folder.file("game.exe");
  test::writeFile(exe, executable);

  RecordingMessageSink messages;
  test::NullLauncher launcher;
  test::ScriptedPrompts prompts;
  ProjectorDialog dialog(exe, folder.path(), messages, launcher, prompts);
  ASSERT_TRUE(dialog.searchExecutable());
  ASSERT_EQ(dialog.list()->topLevelItemCount(), 1);
  const QTreeWidgetItem* row = dialog.list()->topLevelItem(0);
  EXPECT_EQ(row->text(0), QStringLiteral("0"));
  EXPECT_EQ(row->text(1), QStringLiteral("4"));
  EXPECT_EQ(row->text(2), QStringLiteral("300"));
  EXPECT_EQ(row->text(3), QString::number(movie.size()));
  EXPECT_FALSE(dialog.saveButton()->isEnabled());

  dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
  EXPECT_TRUE(dialog.saveButton()->isEnabled());
  EXPECT_FALSE(dialog.scanButton()->isEnabled());

  // Saved under a name without extension: "clip" becomes "clip.swf", and scanning uses it.
  prompts.savePaths.push_back(folder.file("clip"));
  dialog.saveMovieAs();
  EXPECT_TRUE(dialog.scanButton()->isEnabled());
  EXPECT_EQ(test::readFile(folder.file("clip.swf")), movie);
  dialog.scanMovie();
  EXPECT_EQ(dialog.moviePath(), folder.file("clip.swf"));
  EXPECT_TRUE(messages.messages().empty());

  // Nothing inside: the message, and the dialog would close at once.
  test::writeFile(folder.file("empty.exe"), test::Bytes(100, 0));
  ProjectorDialog empty(folder.file("empty.exe"), folder.path(), messages, launcher, prompts);
  EXPECT_FALSE(empty.searchExecutable());
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages().front().text, "No Valid SWF files Found in EXE file");
}

}  // namespace
}  // namespace orvane
