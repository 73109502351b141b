#include "movie/ObjectFileWriter.h"

namespace orvane {

std::string objectFileStem(const std::string& folder, std::uint32_t characterId) {
  return folder + "/swfextract" + std::to_string(characterId);
}

std::string streamFileName(const std::string& folder, std::uint32_t number, const std::string& extension) {
  return folder + "/swfSextract" + std::to_string(number) + extension;
}

}  // namespace orvane
