// A font window: every glyph of one font of the movie with its code, and the font's name,
// style and code set above them; Save writes the font as TrueType (or DefineFont4's OpenType).
#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>
#include <string>

#include "fonts/SwfFont.h"
#include "shell/CObjectFrameWnd.h"

class QLabel;
class QListView;

namespace orvane {

class MessageSink;
class ShellPrompts;

/// The glyphs of a font: the code as text, the outline as a picture drawn when first shown.
class GlyphListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  /// `font` must outlive the model.
  explicit GlyphListModel(const SwfFont& font, QObject* parent = nullptr) : QAbstractListModel(parent), m_font(font) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  /// The code text (DisplayRole) and the glyph's picture (DecorationRole).
  QVariant data(const QModelIndex& index, int role) const override;

  /// The edge of a glyph's square picture, in pixels.
  static constexpr int kGlyphPixels = 56;

 private:
  QPixmap glyphPicture(int row) const;

  const SwfFont& m_font;
  mutable QHash<int, QPixmap> m_pictures;
};

class CFontFrameWnd : public CObjectFrameWnd {
  Q_OBJECT

 public:
  /// `title` is the font's display text.
  CFontFrameWnd(const std::string& title, SwfFont font, MessageSink& messages, ShellPrompts& prompts,
                QWidget* parent = nullptr);

  /// "Extract Object" (32780) saves the font file; other ids do nothing.
  void runCommand(int id) override;

  const SwfFont& font() const { return m_font; }
  QLabel* summary() const { return m_summary; }
  QListView* glyphs() const { return m_glyphs; }

 private:
  void save();

  SwfFont m_font;
  MessageSink& m_messages;
  ShellPrompts& m_prompts;
  QLabel* m_summary;
  QListView* m_glyphs;
};

}  // namespace orvane
