// A window that shows one vector asset as a picture: a shape, a morph shape at a ratio, a
// frame of a timeline, a text. A slider chooses the ratio or the frame; Save writes the
// picture's SVG (or PNG) as the extraction does.
#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "objects/MovieArtwork.h"
#include "shell/CObjectFrameWnd.h"

class QLabel;
class QSlider;
class QSplitter;
class QToolBar;

namespace orvane {

class CAssetPictureView;
class MessageSink;
class ShellPrompts;

/// What a picture window shows and saves.
struct AssetWindowSubject {
  /// The asset at a position of the slider (0 without a slider).
  std::function<AssetPicture(std::uint32_t position)> draw;
  /// The id shown under the picture; 0 shows none (a frame).
  std::uint16_t characterId = 0;
  /// A slider over 0 to positions - 1 when there is more than one.
  std::uint32_t positions = 1;
  /// The slider's label at a position.
  std::function<std::string(std::uint32_t position)> positionText;
  /// What Save writes to a name without extension: ".svg" or ".png" (both are offered).
  std::string extension = ".svg";
  /// The animated SVG of a morph shape; none for other assets.
  std::function<std::string()> animation;
};

class CAssetFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `title` is the asset's display text.
  CAssetFrameWnd(const std::string& title, AssetWindowSubject subject, MessageSink& messages, ShellPrompts& prompts,
                 QWidget* parent = nullptr);

  /// "Extract Object" (32780) saves the picture at the slider's position, "Save Animated
  /// SVG" (32840) a morph shape's animation; other ids do nothing.
  void runCommand(int id) override;

  /// Moves the slider to `position` (clipped to the last) and shows it.
  void showPosition(std::uint32_t position);
  std::uint32_t position() const;

  CAssetPictureView* view() const { return m_view; }
  /// None without positions.
  QSlider* slider() const { return m_slider; }
  QLabel* positionLabel() const { return m_positionLabel; }
  /// The picture shown, as it is saved.
  const AssetPicture& picture() const { return m_picture; }
  /// Puts `details` under the picture, in a splitter.
  void addDetails(QWidget* details);

 private:
  void drawSoon();
  void drawPosition();
  void fitPicture();
  void save();
  void saveAnimation();

  AssetWindowSubject m_subject;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  CAssetPictureView* m_view;
  QSplitter* m_splitter;
  QSlider* m_slider = nullptr;
  QLabel* m_positionLabel = nullptr;
  /// Slider moves are drawn once the event loop is free again, so a drag draws the last
  /// position it reached instead of every one it passed.
  QTimer m_drawTimer;
  AssetPicture m_picture;
};

}  // namespace orvane
