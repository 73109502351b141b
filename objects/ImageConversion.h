// The image window's pixel size of a picture, and a picture converted into another file type.
#pragma once

#include <cstdint>
#include <string>

#include "objects/ImageFileType.h"

namespace orvane {

/// One direction of a picture's size in pixels from its size in hundredths of millimetres
/// at `dotsPerInch`, rounded to the nearest pixel: (himetric * dpi + 1270) / 2540.
std::int64_t pixelsFromHimetric(std::int64_t himetric, std::int64_t dotsPerInch);

/// The image window's size line, "Width : %d , Height : %d".
std::string pictureSizeText(std::int64_t width, std::int64_t height);

/// Reads `source` through RgbImage and writes it to `destination` as `type`. 0 on success,
/// else the image library's error code (RgbImage::ErrorText gives its text): a source that
/// holds no readable picture, or a type without a writer, gives 5.
[[nodiscard]] std::uint32_t convertPicture(const std::string& source, const std::string& destination,
                                           ImageFileType type);

/// The `ImageFileType` numbered `number`; None for a number the table does not use.
ImageFileType imageFileTypeFromNumber(std::uint32_t number);

}  // namespace orvane
