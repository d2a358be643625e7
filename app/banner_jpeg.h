#pragma once

#include <cstddef>

namespace quellbrin {

// resources/banner.jpg, compiled into the program's data by the build.
extern const unsigned char BannerJpeg[];
extern const std::size_t BannerJpegSize;

}  // namespace quellbrin
