// libFuzzer entry: any bytes must be rejected or decoded into a consistent
// image, with no crash, leak or read outside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/jpeg_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = quellbrin::DecodeJpegToBgr(data, size);
  if (image) {
    const std::size_t rowBytes = static_cast<std::size_t>(image->width) * 3;
    if (image->width <= 0 || image->height <= 0 || image->stride < rowBytes ||
        image->stride % 4 != 0 || image->stride - rowBytes > 3 ||
        image->pixels.size() != image->stride * static_cast<std::size_t>(image->height))
      std::abort();
    for (int y = 0; y < image->height; ++y)
      for (std::size_t i = rowBytes; i < image->stride; ++i)
        if (image->pixels[static_cast<std::size_t>(y) * image->stride + i] != 0) std::abort();
  }
  return 0;
}
