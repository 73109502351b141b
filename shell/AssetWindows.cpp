#include "shell/AssetWindows.h"

#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "movie/MoviePanels.h"
#include "objects/AssetViewing.h"
#include "objects/MovieArtwork.h"
#include "shell/CAssetFrameWnd.h"
#include "shell/CFontFrameWnd.h"
#include "shell/DisplayText.h"

namespace orvane {

namespace {

constexpr std::uint32_t kRatios = 65536;

/// What a text window shows under the picture: an edit text's properties, then the
/// characters (an edit text's initial text or HTML as it stands).
QWidget* textDetails(const TextAssets& texts, const TextObject& text) {
  auto* details = new QWidget;
  auto* layout = new QVBoxLayout(details);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto properties = texts.properties(text);
  if (!properties.empty()) {
    auto* table = new QTreeWidget(details);
    table->setObjectName(QStringLiteral("textProperties"));
    table->setHeaderLabels({QStringLiteral("Property"), QStringLiteral("Value")});
    table->setRootIsDecorated(false);
    table->setColumnWidth(0, 115);
    for (const auto& [property, value] : properties) {
      new QTreeWidgetItem(table, QStringList{displayString(property), displayString(value)});
    }
    layout->addWidget(table);
  }
  auto* characters = new QPlainTextEdit(details);
  characters->setObjectName(QStringLiteral("textCharacters"));
  characters->setReadOnly(true);
  characters->setPlainText(displayString(texts.characters(text)));
  layout->addWidget(characters);
  return details;
}

SwfFont fontToShow(const MovieArtwork& artwork, const FontObject& object) {
  if (const SwfFont* font = artwork.fonts().font(object.characterId)) return *font;
  SwfFont unread;
  unread.faults.push_back("The font cannot be read.");
  return unread;
}

}  // namespace

CObjectFrameWnd* createAssetWindow(int kind, const AssetObject& object, const std::string& title,
                                   MovieArtwork& artwork, MessageSink& messages, ShellPrompts& prompts) {
  AssetWindowSubject subject;
  subject.characterId = object.characterId;
  switch (kind) {
    case viewkind::kShape: {
      const auto& shape = static_cast<const ShapeObject&>(object);
      subject.draw = [&artwork, &shape](std::uint32_t) { return artwork.shape(shape); };
      return new CAssetFrameWnd(title, std::move(subject), messages, prompts);
    }
    case viewkind::kMorphShape: {
      const auto& morph = static_cast<const MorphShapeObject&>(object);
      subject.draw = [&artwork, &morph](std::uint32_t ratio) {
        return artwork.morphShape(morph, static_cast<std::uint16_t>(ratio));
      };
      subject.positions = kRatios;
      subject.positionText = morphRatioText;
      subject.animation = [&artwork, &morph] { return artwork.morphAnimation(morph).svg; };
      return new CAssetFrameWnd(title, std::move(subject), messages, prompts);
    }
    case viewkind::kText: {
      const auto& text = static_cast<const TextObject&>(object);
      subject.draw = [&artwork, &text](std::uint32_t) { return artwork.text(text); };
      auto* window = new CAssetFrameWnd(title, std::move(subject), messages, prompts);
      window->addDetails(textDetails(artwork.texts(), text));
      return window;
    }
    case viewkind::kFont:
      return new CFontFrameWnd(title, fontToShow(artwork, static_cast<const FontObject&>(object)), messages, prompts);
    default:
      return nullptr;
  }
}

CAssetFrameWnd* createFrameWindow(const TimelineNode& timeline, const std::string& title, MovieArtwork& artwork,
                                  MessageSink& messages, ShellPrompts& prompts) {
  AssetWindowSubject subject;
  subject.draw = [&artwork, &timeline](std::uint32_t frame) { return artwork.frame(timeline, frame); };
  subject.positions = timeline.playedFrames();
  subject.positionText = [frames = subject.positions](std::uint32_t frame) { return frameSliderText(frame, frames); };
  subject.extension = ".png";
  return new CAssetFrameWnd(title, std::move(subject), messages, prompts);
}

}  // namespace orvane
