#include <gtest/gtest.h>

#include <QBuffer>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "movie/MovieObject.h"
#include "movie/TagWalker.h"
#include "objects/ObjectFileWriters.h"
#include "shell/CBitmapViewerCtrl.h"
#include "shell/CImageFrameWnd.h"
#include "shell/CImageReplaceDialog.h"
#include "shell/CImageView.h"
#include "shell/Commands.h"
#include "shell/ViewPainting.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/MovieBuilder.h"

namespace orvane {
namespace {

using test::Bytes;

Bytes bytesOf(const QByteArray& data) { return Bytes(data.begin(), data.end()); }

/// A JPEG file of one colour.
Bytes jpegBytes(int width, int height, QColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, "JPG", 95));
  return bytesOf(data);
}

/// A zlib stream (qCompress puts the uncompressed length in front of it).
Bytes zlibBytes(const Bytes& data) {
  const QByteArray compressed =
      qCompress(QByteArray(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())));
  return bytesOf(compressed.mid(4));
}

/// 32-bit ARGB pixels of one colour for a lossless bitmap.
Bytes argbPixels(int count, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  Bytes pixels;
  for (int i = 0; i < count; ++i) pixels.insert(pixels.end(), {0xFF, red, green, blue});
  return pixels;
}

std::string writePng(const std::string& path, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::green);
  EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
  return path;
}

/// A movie on disk with one image of each kind the scan writes a file for (ids 1 to 5,
/// each of its own size), scanned with the real object file writers into a scratch folder.
struct ImageMovie {
  ImageMovie() {
    test::qtApplication();
    test::MovieBuilder movie(5);
    movie.jpegTables({0xFF, 0xD8, 0xFF, 0xD9})
        .defineBits(1, jpegBytes(8, 6, Qt::red))
        .defineBitsJpeg2(2, jpegBytes(10, 7, Qt::red))
        .defineBitsJpeg3(3, jpegBytes(12, 5, Qt::red), zlibBytes(Bytes(12 * 5, 0xFF)))
        .defineBitsLossless(false, 4, 5, 3, 2, 0, zlibBytes(argbPixels(6, 255, 0, 0)))
        .defineBitsLossless(true, 5, 5, 4, 9, 0, zlibBytes(argbPixels(36, 255, 0, 0)))
        .showFrame()
        .end();
    original = movie.build();
    test::writeFile(path, original);
    rescan();
  }

  void rescan() {
    result.clear();
    walker.setResult(&result);
    walker.setTempFolder(temp.path());
    ASSERT_EQ(walker.open(path), ScanStatus::Success);
    walker.copyHeaderInto(result);
    ASSERT_EQ(walker.scan(0xFFF), ScanStatus::Success);
  }

  const ImageObject& image(std::uint16_t id) const {
    const ImageObject* found = result.findImage(id, false);
    EXPECT_NE(found, nullptr) << "image " << id;
    return *found;
  }

  std::unique_ptr<CImageFrameWnd> window(std::uint16_t id) {
    const ImageObject& object = image(id);
    return std::make_unique<CImageFrameWnd>(&object, object.describe(false), path, &result, messages, prompts);
  }

  test::ScratchFolder folder;
  test::ScratchFolder temp;
  std::string path = folder.file("movie.swf");
  Bytes original;
  ObjectFileWriters writers;
  RecordingMessageSink scanMessages;
  ScanResult result;
  TagWalker walker{writers, scanMessages};
  RecordingMessageSink messages;
  test::ScriptedPrompts prompts;
};

TEST(ImageWindow, ShowsEveryImageKindWithItsSizeLine) {
  ImageMovie movie;
  // DefineBits, DefineBitsJPEG2, DefineBitsJPEG3, DefineBitsLossless, DefineBitsLossless2.
  const std::pair<std::uint16_t, QSize> cases[] = {{1, {8, 6}}, {2, {10, 7}}, {3, {12, 5}}, {4, {3, 2}}, {5, {4, 9}}};
  for (const auto& [id, size] : cases) {
    SCOPED_TRACE(id);
    const auto window = movie.window(id);
    EXPECT_EQ(window->windowTitle(), QString::fromStdString(movie.image(id).describe(false)));
    ASSERT_TRUE(window->view()->hasPicture());
    EXPECT_EQ(window->view()->pictureSize(), size);
    EXPECT_EQ(window->view()->sizeText(),
              QStringLiteral("Width : %1 , Height : %2").arg(size.width()).arg(size.height()));
  }
  EXPECT_TRUE(movie.messages.messages().empty());
}

TEST(ImageWindow, PaintsThePictureCentredAboveTheSizeLine) {
  EXPECT_EQ(pictureRect({50, 40}, QRect(0, 0, 200, 100)), QRect(75, 30, 50, 40));
  // Wider than the area: squeezed to its width, still centred in height.
  EXPECT_EQ(pictureRect({300, 40}, QRect(0, 0, 200, 82)), QRect(0, 21, 200, 40));

  ImageMovie movie;
  CImageView view;
  ASSERT_TRUE(view.load(movie.image(4).tempFilePath));  // 3 x 2, red
  view.resize(200, 118);
  const QImage shot = view.grab().toImage();
  // The picture area is 200 x 100 (18 pixels kept at the bottom): the picture sits at (98, 49).
  EXPECT_NEAR(qRed(shot.pixel(99, 50)), 255, 20);
  EXPECT_LT(qGreen(shot.pixel(99, 50)), 40);
  EXPECT_EQ(shot.pixel(97, 50), qRgb(0, 0, 0));
  EXPECT_EQ(shot.pixel(0, 0), qRgb(0, 0, 0));

  CImageView empty;
  EXPECT_FALSE(empty.load(""));
  EXPECT_FALSE(empty.load(movie.folder.file("missing.jpg")));
  test::writeFile(movie.folder.file("broken.jpg"), {0xFF, 0xD8, 0x01});
  EXPECT_FALSE(empty.load(movie.folder.file("broken.jpg")));
  EXPECT_FALSE(empty.hasPicture());
}

TEST(ImageWindow, SaveAsJpegNormalisesTheChosenName) {
  ImageMovie movie;
  const auto window = movie.window(2);
  const Bytes expected = test::readFile(movie.image(2).tempFilePath);
  movie.prompts.savePaths = {movie.folder.file("copy"), movie.folder.file("other.doc"), movie.folder.file("kept.jpg"),
                             movie.folder.file("no/such/folder/x.jpg")};
  for (int i = 0; i < 4; ++i) window->runCommand(cmd::kExtractObject);
  EXPECT_EQ(test::readFile(movie.folder.file("copy.jpg")), expected);
  EXPECT_EQ(test::readFile(movie.folder.file("other.jpg")), expected);
  EXPECT_EQ(test::readFile(movie.folder.file("kept.jpg")), expected);
  EXPECT_FALSE(test::fileExists(movie.folder.file("other.doc")));
  EXPECT_EQ(
      movie.messages.messages(),
      (std::vector<Message>{{"", "Error Coping File, Disk Could be Full or Write Protected", MessageIcon::Error}}));
  // Cancelled: nothing more happens.
  window->runCommand(cmd::kExtractObject);
  EXPECT_EQ(movie.messages.messages().size(), 1u);
}

TEST(ImageWindow, ReplaceImageRewritesTheMovieAndAsksForARescan) {
  ImageMovie movie;
  const auto window = movie.window(4);
  QSignalSpy rescans(window.get(), &CImageFrameWnd::rescanRequested);

  // Cancelled, then a picture that cannot be read: the movie stays as it was.
  window->runCommand(cmd::kReplaceImage);
  movie.prompts.replacementPictures = {movie.folder.file("missing.png")};
  window->runCommand(cmd::kReplaceImage);
  EXPECT_EQ(rescans.count(), 0);
  EXPECT_EQ(test::readFile(movie.path), movie.original);
  EXPECT_EQ(movie.prompts.replacementOriginals,
            (std::vector<std::string>{movie.image(4).tempFilePath, movie.image(4).tempFilePath}));

  movie.messages.clear();
  movie.prompts.replacementPictures = {writePng(movie.folder.file("new.png"), 20, 14)};
  window->runCommand(cmd::kReplaceImage);
  EXPECT_EQ(rescans.count(), 1);
  ASSERT_FALSE(movie.messages.messages().empty());
  EXPECT_EQ(movie.messages.messages().back().text, "The SWF File Will Now Need to be re-scanned");
  EXPECT_NE(test::readFile(movie.path), movie.original);

  movie.rescan();
  EXPECT_EQ(movie.image(4).typeName, "DefineBitsJPEG2");
  const auto replaced = movie.window(4);
  EXPECT_EQ(replaced->view()->pictureSize(), QSize(20, 14));
}

TEST(ImageWindow, ContextMenuOpensTwelvePixelsBelowTheClick) {
  ImageMovie movie;
  const auto window = movie.window(1);
  QMenu* menu = window->contextMenu();
  EXPECT_EQ(menu->title(), QStringLiteral("ImageContext"));
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), QStringLiteral("Save As JPEG"));
  EXPECT_EQ(menu->actions()[1]->text(), QStringLiteral("Replace Image"));
  EXPECT_EQ(window->commandAction(cmd::kReplaceImage), menu->actions()[1]);

  window->show();
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(100, 80));
  QApplication::sendEvent(window->view(), &event);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), QPoint(100, 92));
  menu->hide();
}

TEST(BitmapViewerCtrl, PlaceholderUntilLoadedAndTheTwoFailures) {
  test::qtApplication();
  test::ScratchFolder folder;
  RecordingMessageSink messages;
  CBitmapViewerCtrl viewer(messages);
  EXPECT_FALSE(viewer.placeholder().isNull());
  EXPECT_FALSE(viewer.hasPicture());

  EXPECT_TRUE(viewer.load(writePng(folder.file("a.png"), 30, 20)));
  EXPECT_EQ(viewer.pictureSize(), QSize(30, 20));

  // A missing file: false, the old picture released, no message.
  EXPECT_FALSE(viewer.load(folder.file("missing.png")));
  EXPECT_FALSE(viewer.hasPicture());
  EXPECT_TRUE(messages.messages().empty());

  const std::string broken = folder.file("broken.png");
  test::writeFile(broken, {0x89, 'P', 'N', 'G', 1, 2, 3});
  EXPECT_FALSE(viewer.load(broken));
  EXPECT_EQ(messages.messages(), (std::vector<Message>{{broken, "Error Loading Picture", MessageIcon::Error}}));
}

TEST(ImageReplaceDialog, ShowsBothPicturesAndReturnsTheFileNameAsTyped) {
  ImageMovie movie;
  const std::string original = movie.image(2).tempFilePath;
  {
    CImageReplaceDialog dialog(original, movie.messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Orvane - Image Replacement"));
    EXPECT_TRUE(dialog.originalPreview()->hasPicture());
    EXPECT_FALSE(dialog.selectedPreview()->hasPicture());
    EXPECT_TRUE(QString::fromLatin1(CImageReplaceDialog::kPictureFilter).startsWith("Supported Image Files ("));

    const std::string picture = writePng(movie.folder.file("chosen.png"), 16, 16);
    dialog.choosePicture(picture);
    EXPECT_EQ(dialog.fileNameEdit()->text().toStdString(), picture);
    EXPECT_EQ(dialog.selectedPreview()->pictureSize(), QSize(16, 16));

    dialog.fileNameEdit()->setText(QStringLiteral("/typed/by/hand.png"));
    QPushButton* replace = nullptr;
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
      if (button->text() == QStringLiteral("Replace And Save")) replace = button;
    ASSERT_NE(replace, nullptr);
    replace->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), "/typed/by/hand.png");
  }
  CImageReplaceDialog cancelled(original, movie.messages);
  cancelled.fileNameEdit()->setText(QStringLiteral("x.png"));
  cancelled.reject();
  EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  EXPECT_EQ(cancelled.selectedPath(), "");
  EXPECT_TRUE(movie.messages.messages().empty());
}

}  // namespace
}  // namespace orvane
