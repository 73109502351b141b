#include "objects/ImageConversion.h"

#include "objects/RgbImage.h"

namespace orvane {

namespace {
constexpr std::uint32_t kBadParameter = 5;
}  // namespace

std::int64_t pixelsFromHimetric(std::int64_t himetric, std::int64_t dotsPerInch) {
  return (himetric * dotsPerInch + 1270) / 2540;
}

std::string pictureSizeText(std::int64_t width, std::int64_t height) {
  return "Width : " + std::to_string(width) + " , Height : " + std::to_string(height);
}

ImageFileType imageFileTypeFromNumber(std::uint32_t number) {
  // 15 is the one gap among the numbers 1 to 24.
  if (number == 0 || number == 15 || number > static_cast<std::uint32_t>(ImageFileType::Wbmp))
    return ImageFileType::None;
  return static_cast<ImageFileType>(number);
}

std::uint32_t convertPicture(const std::string& source, const std::string& destination, ImageFileType type) {
  RgbImage image;
  const std::uint32_t loaded = image.Load(source);
  if (loaded != 0) return loaded;
  if (!image.hasPicture()) return kBadParameter;
  if (image.Write(destination, type) != 0) return 0;
  return image.lastError() != 0 ? image.lastError() : kBadParameter;
}

}  // namespace orvane
