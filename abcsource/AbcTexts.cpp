#include "abcsource/AbcTexts.h"

#include "abc/AbcObjectText.h"
#include "abcsource/AbcDefinitions.h"
#include "abcsource/AbcSourceText.h"

namespace orvane {

namespace {

std::optional<ByteCodeKind> byteCodeKindOf(TranslationMode mode) {
  switch (mode) {
    case TranslationMode::ByteCodeHex: return ByteCodeKind::Hex;
    case TranslationMode::ByteCodeCharacter: return ByteCodeKind::Character;
    case TranslationMode::ByteCodeInteger: return ByteCodeKind::Integer;
    default: return std::nullopt;
  }
}

}  // namespace

struct AbcTexts::TagTexts {
  explicit TagTexts(const AbcTag& tag) : listing(tag) {}
  AbcTagTexts listing;
  AbcDefinitions definitions;
  std::unique_ptr<AbcSourceText> source;
};

AbcTexts::AbcTexts() = default;
AbcTexts::~AbcTexts() = default;

AbcTexts::TagTexts& AbcTexts::textsOf(const AbcTag& tag) {
  if (!m_last || &m_last->listing.tag() != &tag) m_last = std::make_unique<TagTexts>(tag);
  return *m_last;
}

std::string AbcTexts::windowText(const AbcObject& object, TranslationMode mode) {
  if (object.tag == nullptr) return {};
  TagTexts& texts = textsOf(*object.tag);
  if (mode != TranslationMode::Source) return texts.listing.objectText(object, byteCodeKindOf(mode));
  if (!texts.source) {
    texts.definitions.add(texts.listing.file());
    texts.source = std::make_unique<AbcSourceText>(texts.listing.file(), texts.definitions);
  }
  return object.kind == AbcObject::Kind::Class ? texts.source->classText(object.index)
                                               : texts.source->scriptText(object.index);
}

}  // namespace orvane
