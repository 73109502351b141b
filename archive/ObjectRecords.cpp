#include "archive/ObjectRecords.h"

#include <algorithm>
#include <unordered_map>

#include "movie/ScanResult.h"
#include "platform/MessageSink.h"
#include "search/SearchableObjects.h"

namespace orvane {

namespace {

constexpr std::size_t kCharacterIdSize = 2;

/// Hashes byte ranges of the movie and counts them; ranges are clipped to the movie.
class ObjectHash {
 public:
  explicit ObjectHash(std::span<const std::uint8_t> movie) : m_movie(movie) {}

  void add(std::span<const std::uint8_t> bytes) {
    m_hash.add(bytes);
    m_length += bytes.size();
  }
  void addNumber(std::uint32_t value, unsigned size) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    add(std::span(bytes, size));
  }
  /// The body of a tag, from `skip` bytes after its start.
  void addBody(const TagBody& body, std::size_t skip) {
    const std::size_t end = std::min<std::size_t>(body.offset + std::size_t{body.length}, m_movie.size());
    const std::size_t begin = std::min<std::size_t>(body.offset + skip, end);
    add(m_movie.subspan(begin, end - begin));
  }
  void finish(ObjectRecord& record) {
    record.sha256 = m_hash.finish();
    record.length = m_length;
    m_length = 0;
  }
  /// The digest and length of an ABC block, hashed once however many classes and scripts
  /// it holds (a block of a thousand classes would otherwise be hashed a thousand times).
  void finishWithBlock(ObjectRecord& record, const AbcTag& tag) {
    auto [known, isNew] = m_blocks.try_emplace(&tag);
    if (isNew) known->second = sha256Of(tag.block);
    record.sha256 = known->second;
    record.length = tag.block.size();
  }

 private:
  std::span<const std::uint8_t> m_movie;
  Sha256 m_hash;
  std::uint64_t m_length = 0;
  std::unordered_map<const AbcTag*, Digest> m_blocks;
};

TagBody bodyOf(const MovieObject& object) {
  return TagBody{object.bodyEnd - std::min(object.bodyLength, object.bodyEnd), object.bodyLength};
}

class RecordBuilder {
 public:
  RecordBuilder(std::span<const std::uint8_t> movie, std::unordered_map<const MovieObject*, std::string> texts)
      : m_hash(movie), m_texts(std::move(texts)) {}

  ObjectRecord& begin(const char* kind, const MovieObject& object) {
    ObjectRecord& record = m_records.emplace_back();
    record.kind = kind;
    record.serial = object.serial;
    record.characterId = object.characterId;
    record.frame = object.frame;
    record.typeName = object.typeName;
    record.name = object.describe(false);
    const auto text = m_texts.find(&object);
    if (text != m_texts.end()) {
      record.hasText = true;
      record.textSha256 = sha256Of(text->second);
      record.text = std::move(text->second);
    }
    return record;
  }
  ObjectHash& hash() { return m_hash; }
  std::vector<ObjectRecord> take() { return std::move(m_records); }

 private:
  ObjectHash m_hash;
  std::unordered_map<const MovieObject*, std::string> m_texts;
  std::vector<ObjectRecord> m_records;
};

void addConditionOwner(RecordBuilder& builder, const char* kind, const ButtonObject& owner) {
  ObjectRecord& record = builder.begin(kind, owner);
  for (const auto& condition : owner.conditionActions) {
    const std::uint32_t flags = condition->eventFlags != 0 ? condition->eventFlags : condition->conditionWord;
    builder.hash().addNumber(flags, 4);
    builder.hash().addNumber(condition->keyCode, 1);
    builder.hash().add(condition->bytes);
  }
  builder.hash().finish(record);
}

void addTagObject(RecordBuilder& builder, const char* kind, const MovieObject& object, std::size_t skip) {
  ObjectRecord& record = builder.begin(kind, object);
  builder.hash().addBody(bodyOf(object), skip);
  builder.hash().finish(record);
}

void addTimeline(RecordBuilder& builder, const TimelineNode& node, const CounterBase& counters) {
  for (const auto& action : node.actions) {
    ObjectRecord& record = builder.begin("action", *action);
    record.characterId = static_cast<std::uint16_t>(action->characterId - counters.frameActions);
    builder.hash().add(action->bytes);
    builder.hash().finish(record);
  }
  for (const auto& action : node.initActions) {
    ObjectRecord& record = builder.begin("initAction", *action);
    builder.hash().add(action->bytes);
    builder.hash().finish(record);
  }
  for (const auto& object : node.abcObjects) {
    ObjectRecord& record = builder.begin(object->kind == AbcObject::Kind::Class ? "abcClass" : "abcScript", *object);
    if (object->tag != nullptr)
      builder.hash().finishWithBlock(record, *object->tag);
    else
      builder.hash().finish(record);
  }
  for (const auto& button : node.buttons) addConditionOwner(builder, "button", *button);
  for (const auto& instance : node.instances) addConditionOwner(builder, "instance", *instance);
  for (const auto& image : node.images)
    addTagObject(builder, "image", *image, image->typeName == "DefineJPEGTable" ? 0 : kCharacterIdSize);
  for (const auto& sound : node.sounds) {
    if (sound->typeName != "DefineStreamingSound") {
      addTagObject(builder, "sound", *sound, kCharacterIdSize);
      continue;
    }
    ObjectRecord& record = builder.begin("sound", *sound);
    record.characterId = static_cast<std::uint16_t>(sound->characterId - counters.streamSounds);
    builder.hash().addBody(bodyOf(*sound), 0);
    for (const TagBody& block : sound->blocks) builder.hash().addBody(block, 0);
    builder.hash().finish(record);
  }
  for (const auto& video : node.videos) {
    ObjectRecord& record = builder.begin("video", *video);
    builder.hash().addBody(bodyOf(*video), kCharacterIdSize);
    for (const TagBody& frame : video->frames) builder.hash().addBody(frame, kCharacterIdSize);
    builder.hash().finish(record);
  }
}

}  // namespace

std::vector<ObjectRecord> objectRecords(const ScanResult& result, std::span<const std::uint8_t> movie,
                                        const CounterBase& counters) {
  // In tree order through one reader of texts, as `actions --all` reads them.
  std::unordered_map<const MovieObject*, std::string> texts;
  QuietMessageSink quiet;
  ObjectWindowTexts windowTexts;
  for (const SearchableObject& object : searchableObjects(result))
    texts[object.object] = windowTexts.text(object.object, TranslationMode::Source, quiet);

  RecordBuilder builder(movie, std::move(texts));
  for (const auto& node : result.timelines()) addTimeline(builder, *node, counters);
  return builder.take();
}

}  // namespace orvane
