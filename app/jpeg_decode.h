#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quellbrin {

// A decoded picture laid out like a top-down 24-bit DIB: rows top to
// bottom, each `stride` bytes (width * 3 rounded up to a multiple of 4, the
// padding zero), pixels as B, G, R.
struct BgrImage {
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
  std::vector<std::uint8_t> pixels;
};

// Decodes a baseline or progressive JPEG held in memory; reads no byte outside
// data[0, size). Grayscale comes out as grey B = G = R. Damaged data (errors,
// and also warnings such as a premature end), unsupported colour spaces and
// pictures over 64 Mpixel give nullopt.
std::optional<BgrImage> DecodeJpegToBgr(const std::uint8_t* data, std::size_t size);

// The embedded site banner.
std::optional<BgrImage> DecodeBanner();

}  // namespace quellbrin
