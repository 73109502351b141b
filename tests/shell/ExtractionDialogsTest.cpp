#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "objects/ExtractionRun.h"
#include "shell/CExtractionDialogs.h"
#include "shell/CMainFrame.h"
#include "shell/Commands.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

constexpr std::uint8_t kPlay = 0x06;
constexpr std::uint8_t kStop = 0x07;

std::string fileText(const std::string& path) {
  const std::vector<std::uint8_t> bytes = test::readFile(path);
  return {bytes.begin(), bytes.end()};
}

std::vector<std::string> listTexts(const QListWidget* list) {
  std::vector<std::string> texts;
  for (int row = 0; row < list->count(); ++row) texts.push_back(list->item(row)->text().toStdString());
  return texts;
}

TEST(CExtractionSettingsDialog, OpensWithEverythingCheckedAndReportsTheChoices) {
  test::qtApplication();
  CExtractionSettingsDialog dialog("/tmp/orvane-x/");
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Extraction Settings");
  EXPECT_EQ(listTexts(dialog.groupList()),
            (std::vector<std::string>{"Images", "Sounds", "ActionScripts", "Button ActionScripts"}));
  EXPECT_EQ(dialog.modeButton(ExtractionMode::ActionScript5)->text().toStdString(),
            "Extract As Action Script Version 5");
  EXPECT_EQ(dialog.modeButton(ExtractionMode::ByteCode)->text().toStdString(), "Extract As Byte Code");
  EXPECT_EQ(dialog.modeButton(ExtractionMode::Source)->text().toStdString(), "Extract As Source");

  const ExtractionSettings initial = dialog.settings();
  EXPECT_EQ(initial.directory, "/tmp/orvane-x/");
  EXPECT_TRUE(initial.images && initial.sounds && initial.actions && initial.buttons);
  EXPECT_EQ(initial.mode, ExtractionMode::ActionScript5);
  EXPECT_EQ(dialog.preserveBox()->text().toStdString(), "Preserve originals");
  EXPECT_FALSE(initial.preserve);
  EXPECT_EQ(dialog.assetsBox()->text().toStdString(), "Vector assets");
  EXPECT_FALSE(initial.assets.any());

  dialog.groupList()->item(0)->setCheckState(Qt::Unchecked);
  dialog.groupList()->item(3)->setCheckState(Qt::Unchecked);
  dialog.modeButton(ExtractionMode::InstructionCode)->setChecked(true);
  dialog.directoryField()->setText(QStringLiteral("/data/out"));
  dialog.preserveBox()->setChecked(true);
  dialog.assetsBox()->setChecked(true);
  const ExtractionSettings chosen = dialog.settings();
  EXPECT_TRUE(chosen.preserve);
  EXPECT_TRUE(chosen.assets.shapes && chosen.assets.morphShapes && chosen.assets.fonts && chosen.assets.texts &&
              chosen.assets.frames);
  EXPECT_EQ(chosen.directory, "/data/out");
  EXPECT_FALSE(chosen.images);
  EXPECT_TRUE(chosen.sounds);
  EXPECT_TRUE(chosen.actions);
  EXPECT_FALSE(chosen.buttons);
  EXPECT_EQ(chosen.mode, ExtractionMode::InstructionCode);
  EXPECT_FALSE(dialog.modeButton(ExtractionMode::ActionScript5)->isChecked());

  dialog.modeButton(ExtractionMode::Source)->setChecked(true);
  EXPECT_EQ(dialog.settings().mode, ExtractionMode::Source);
  EXPECT_FALSE(dialog.modeButton(ExtractionMode::InstructionCode)->isChecked());
}

TEST(CExtractionReportDialog, ShowsEveryLineButTheUnterminatedLast) {
  test::qtApplication();
  const CExtractionReportDialog dialog("\n Extraction Report\n-----------------------\nOK Copied To a \n\n Finished Extraction");
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Orvane - [Extraction Report]");
  EXPECT_EQ(listTexts(dialog.lines()),
            (std::vector<std::string>{" ", " Extraction Report", "-----------------------", "OK Copied To a ", ""}));
}

TEST(CMainFrame, ExtractAllObjectsWritesTheFilesAndShowsTheReport) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  test::MovieBuilder movie(5);
  movie.frameCount(2).doAction({kStop, 0x00}).defineButton(3, {kPlay, 0x00}).showFrame().doAction({kPlay, 0x00});
  movie.showFrame().end();
  const std::string moviePath = fixture.temp.file("m.swf");
  test::writeFile(moviePath, movie.build());
  frame.openMovie(moviePath);
  ASSERT_TRUE(frame.movieLoaded());

  // Cancelling the settings asks once, from the temp folder, and extracts nothing.
  frame.command(cmd::kExtractAll)->trigger();
  EXPECT_EQ(fixture.prompts.extractionDirectories, std::vector<std::string>{fixture.temp.path()});
  EXPECT_TRUE(fixture.prompts.reports.empty());

  const test::ScratchFolder out;
  ExtractionSettings settings;
  settings.directory = out.path();
  settings.mode = ExtractionMode::ActionScript4;
  fixture.prompts.extractions.push_back(settings);
  frame.command(cmd::kExtractAll)->trigger();
  ASSERT_EQ(fixture.prompts.reports.size(), 1U);
  const std::string& report = fixture.prompts.reports.front();
  const std::string main = out.path() + "/Main Movie Stage/";
  // Frame actions are numbered by a counter that runs for the whole program.
  const TimelineNode& stage = *frame.scanResult().firstTimeline();
  const auto actionFile = [&stage](std::size_t index, int frameNumber) {
    return "Action_In_Frame" + std::to_string(frameNumber) + " tag " +
           std::to_string(stage.actions.at(index)->characterId) + ".txt";
  };
  EXPECT_EQ(report.rfind("\n Extraction Report\n-----------------------\nExtraction Directory : " + out.path() + " \n", 0),
            0U);
  EXPECT_NE(report.find("\n- Exracting Action Scripts - As ActionScript Version 4\n"), std::string::npos);
  EXPECT_NE(report.find(main + actionFile(1, 1) + "Translating And Extracing... Success\n"), std::string::npos);
  EXPECT_NE(report.find(main + "ButtonAction_In_Frame0 tag 3.txtTranslating And Extracing... Success\n"),
            std::string::npos);
  EXPECT_TRUE(test::fileExists(main + actionFile(0, 0)));
  EXPECT_TRUE(test::fileExists(main + "ButtonAction_In_Frame0 tag 3.txt"));
  EXPECT_EQ(fileText(out.file(kExtractionReportName)), report);
  EXPECT_TRUE(fixture.messages.messages().empty());
}

TEST(CMainFrame, ExtractObjectSavesTheActiveWindowsObject) {
  test::FrameFixture fixture;
  CMainFrame& frame = *fixture.frame;
  test::MovieBuilder movie(5);
  movie.frameCount(1).doAction({kStop, 0x00}).showFrame().end();
  const std::string moviePath = fixture.temp.file("m.swf");
  test::writeFile(moviePath, movie.build());
  frame.openMovie(moviePath);

  frame.command(cmd::kExtractObject)->trigger();  // no object window: nothing to save
  EXPECT_TRUE(fixture.prompts.proposedNames.empty());

  frame.changeView(259, frame.scanResult().firstTimeline()->actions.front()->serial);
  ASSERT_NE(frame.activeObjectWindow(), nullptr);
  const std::string saved = fixture.temp.file("frame-action");
  fixture.prompts.savePaths.push_back(saved);
  frame.command(cmd::kExtractObject)->trigger();
  const std::string text = fileText(saved + ".txt");
  EXPECT_NE(text.find("stop ();"), std::string::npos) << text;
}

}  // namespace
}  // namespace orvane
