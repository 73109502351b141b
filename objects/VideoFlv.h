// A movie's video stream (DefineVideoStream with its VideoFrame tags) as an FLV file.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "movie/MovieObject.h"

namespace orvane {

namespace flvframe {
inline constexpr int kKey = 1;
inline constexpr int kInter = 2;
inline constexpr int kDisposableInter = 3;
}  // namespace flvframe

/// The FLV frame type of one frame of video data (a VideoFrame body after its stream id and
/// frame number), read from the codec's own header: the picture type of Sorenson H.263,
/// the frame mode of VP6 (and VP6 with alpha), and for screen video (1 and 2) whether every
/// block of the frame is there and none refers to an earlier frame. Data of another codec,
/// or too short to tell, is an inter frame.
int videoFrameType(std::uint8_t codecId, std::span<const std::uint8_t> data);

/// Writes one video tag per frame, in tag order, each at its frame number's time at the
/// movie's frame rate (8.8 fixed point; a rate of 0 is taken as one frame per second).
/// VP6 frames get the byte FLV puts in front of them, the crop from the coded size (whole
/// macroblocks) to the stream's size. `movie` is the movie image the frames lie in; a frame
/// outside it makes the write fail. False (and no file) on failure.
[[nodiscard]] bool writeVideoFlv(const std::string& path, const VideoObject& video, std::span<const std::uint8_t> movie,
                                 std::uint16_t fixedFrameRate);

/// The milliseconds from the first frame to frame `frameNumber`.
std::uint32_t frameMilliseconds(std::uint64_t frameNumber, std::uint16_t fixedFrameRate);

}  // namespace orvane
