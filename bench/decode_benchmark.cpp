// Row 4: LoadBanner's decoding (DecodeJpegToBgr on the embedded banner)
// against the bare libjpeg loop on the same bytes, in batches A B A B ...
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "app/banner_jpeg.h"
#include "app/jpeg_decode.h"
#include "bench/bench_stats.h"

namespace {

// Scanlines into one buffer: no colour swap, no bitmap, default error manager.
bool BareDecode(const unsigned char* data, std::size_t size, std::vector<JSAMPLE>& buffer,
                J_COLOR_SPACE space) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = space;
  jpeg_start_decompress(&cinfo);
  const std::size_t stride = std::size_t{cinfo.output_width} * cinfo.output_components;
  buffer.resize(stride * cinfo.output_height);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = buffer.data() + std::size_t{cinfo.output_scanline} * stride;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

template <typename F>
double SecondsPerCall(int n, F f) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / n;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 30;
  const int batch = argc > 2 ? std::atoi(argv[2]) : 100;
  std::vector<JSAMPLE> buffer;
  long checksum = 0;
  auto project = [&] {
    auto image = quellbrin::DecodeBanner();
    checksum += image ? image->pixels[image->pixels.size() / 2] : -1;
  };
  auto bare = [&] {
    BareDecode(quellbrin::BannerJpeg, quellbrin::BannerJpegSize, buffer, JCS_RGB);
    checksum += buffer[buffer.size() / 2];
  };
  // The bare loop asking libjpeg-turbo for B, G, R itself: what the swap costs.
  auto bareBgr = [&] {
    BareDecode(quellbrin::BannerJpeg, quellbrin::BannerJpegSize, buffer, JCS_EXT_BGR);
    checksum += buffer[buffer.size() / 2];
  };
  if (!quellbrin::DecodeBanner()) {
    std::fprintf(stderr, "decode: the banner does not decode\n");
    return 1;
  }
  SecondsPerCall(batch, project);  // warm-up
  SecondsPerCall(batch, bare);
  std::vector<double> a, b, c;
  for (int r = 0; r < rounds; ++r) {
    a.push_back(SecondsPerCall(batch, project));
    b.push_back(SecondsPerCall(batch, bare));
    c.push_back(SecondsPerCall(batch, bareBgr));
  }
  const double ratio = bench::Median(bench::Ratios(a, b));
  bench::Row("4 Banner decode, per decode (us)", bench::Fmt("%.1f", bench::Median(a) * 1e6),
             bench::Fmt("%.1f", bench::Median(b) * 1e6), bench::Fmt("%.3f", ratio), "<= 1.2",
             bench::Met(ratio <= 1.2));
  bench::Note("Banner decode: " + std::to_string(rounds) + " interleaved batches of " +
              std::to_string(batch) + "; the bare loop with libjpeg-turbo's own BGR output: " +
              bench::Fmt("%.1f", bench::Median(c) * 1e6) + " us (ratio to the RGB loop " +
              bench::Fmt("%.3f", bench::Median(bench::Ratios(c, b))) + ")");
  std::fprintf(stderr, "decode: checksum %ld\n", checksum);
  return 0;
}
