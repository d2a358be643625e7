#include "app/jpeg_decode.h"

#include <climits>
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <utility>

#include <jpeglib.h>

#include "app/banner_jpeg.h"

namespace quellbrin {
namespace {

// Far above any banner, and small enough that a hostile header cannot make
// us (or libjpeg's coefficient buffers) ask for gigabytes.
constexpr std::uint64_t kMaxPixels = std::uint64_t{64} * 1024 * 1024;

// libjpeg reports errors by calling error_exit, which must not return. We
// longjmp back to the frame that called setjmp. That frame and every frame
// the jump crosses (libjpeg's own C code) hold only trivially destructible
// objects, so no destructor is skipped: all C++ objects live in
// DecodeJpegToBgr, which never calls setjmp.
struct Decoder {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr err;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr cinfo) {
  // cinfo is the Decoder's first member, so its address is the Decoder's.
  std::longjmp(reinterpret_cast<Decoder*>(cinfo)->jump, 1);
}

// Warnings mean damaged data; libjpeg's most common one is a premature end,
// for which it pads the picture with grey. A half-grey banner is worse than
// none (the window copes with none), so a warning ends the decoding like an
// error. Trace messages (level > 0) are ignored. Nothing goes to stderr.
void OnMessage(j_common_ptr cinfo, int msgLevel) {
  if (msgLevel < 0) JumpOut(cinfo);
}

void Silent(j_common_ptr) {}

// Reads the header and starts the decompression (which, for a progressive
// file, decodes all its scans). False on any error or an unusable picture.
bool Start(Decoder& d, const std::uint8_t* data, unsigned long size) {
  d.cinfo.err = jpeg_std_error(&d.err);
  d.err.error_exit = JumpOut;
  d.err.emit_message = OnMessage;
  d.err.output_message = Silent;
  if (setjmp(d.jump)) return false;

  jpeg_create_decompress(&d.cinfo);
  jpeg_mem_src(&d.cinfo, data, size);
  if (jpeg_read_header(&d.cinfo, TRUE) != JPEG_HEADER_OK) return false;
  // Colour comes out as RGB by default; grey is widened to RGB here. Anything
  // else (CMYK, YCCK, ...) that libjpeg cannot turn into RGB fails below.
  d.cinfo.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&d.cinfo);
  const std::uint64_t pixels =
      std::uint64_t{d.cinfo.output_width} * std::uint64_t{d.cinfo.output_height};
  if (pixels == 0 || pixels > kMaxPixels) return false;

  if (!jpeg_start_decompress(&d.cinfo)) return false;
  return d.cinfo.output_components == 3;
}

// Reads every scanline into out, row r at out + r * stride.
bool ReadRows(Decoder& d, std::uint8_t* out, std::size_t stride) {
  if (setjmp(d.jump)) return false;
  while (d.cinfo.output_scanline < d.cinfo.output_height) {
    JSAMPROW row = out + std::size_t{d.cinfo.output_scanline} * stride;
    // A memory source never suspends, so 0 rows would mean no progress.
    if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) return false;
  }
  return jpeg_finish_decompress(&d.cinfo) == TRUE;
}

// Releases the decompressor on every path, also after a longjmp.
struct DecoderGuard {
  Decoder& d;
  ~DecoderGuard() { jpeg_destroy_decompress(&d.cinfo); }
};

}  // namespace

std::optional<BgrImage> DecodeJpegToBgr(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size < 2 || data[0] != 0xFF || data[1] != 0xD8) return std::nullopt;
  // jpeg_mem_src takes an unsigned long, 32 bits on Windows.
  if (size > ULONG_MAX) return std::nullopt;

  Decoder d{};
  DecoderGuard guard{d};
  if (!Start(d, data, static_cast<unsigned long>(size))) return std::nullopt;

  BgrImage image;
  image.width = static_cast<int>(d.cinfo.output_width);
  image.height = static_cast<int>(d.cinfo.output_height);
  image.stride = (std::size_t{d.cinfo.output_width} * 3 + 3) & ~std::size_t{3};
  // Zero-filled, which is also the row padding.
  image.pixels.assign(image.stride * static_cast<std::size_t>(image.height), 0);
  if (!ReadRows(d, image.pixels.data(), image.stride)) return std::nullopt;

  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* p = image.pixels.data() + static_cast<std::size_t>(y) * image.stride;
    for (int x = 0; x < image.width; ++x, p += 3) std::swap(p[0], p[2]);
  }
  return image;
}

std::optional<BgrImage> DecodeBanner() {
  return DecodeJpegToBgr(BannerJpeg, BannerJpegSize);
}

}  // namespace quellbrin
