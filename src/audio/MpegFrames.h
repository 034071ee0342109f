#pragma once

#include <cstddef>
#include <string_view>

// Finding where the MPEG audio of an MP3 file begins, so that only a file
// that is one goes to the MP3 decoder: whose decoder, left to search, finds
// frames in any bytes at all.
namespace fb {

// How far after its ID3v2 tags an MP3 file's first frame may start.
inline constexpr std::size_t kMostBytesBeforeMpegFrame = 2048;

// Where the first MPEG audio frame starts: after any ID3v2 tags, within
// kMostBytesBeforeMpegFrame of their end (a free-format one right at it),
// the first of five frames in a row, or of as many as come before the end
// of the file or an ID3v1, APEv2 or Lyrics3 tag, or of two or more before
// zero bytes that run to the end of the file or before a frame that it cuts
// short. std::string_view::npos when the bytes hold no such frames.
std::size_t FindFirstMpegFrame(std::string_view bytes);

} // namespace fb
