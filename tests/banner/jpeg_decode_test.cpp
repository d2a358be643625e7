#include "app/jpeg_decode.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "app/banner_jpeg.h"

#if defined(__SANITIZE_ADDRESS__)
// A header that makes the decoder ask for a huge block must fail the run, not
// pass slowly: no single allocation here needs anywhere near 256 MB.
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=256"; }
#endif

namespace quellbrin {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A binary PNM (P5 grey or P6 RGB) as djpeg writes it: header, one maxval of 255.
struct Pnm {
  int width = 0, height = 0, channels = 0;
  Bytes samples;
};

Pnm ReadPnm(const char* path) {
  const Bytes file = ReadFile(path);
  const std::string text(file.begin(), file.end());
  Pnm pnm;
  std::size_t pos = 0;
  auto next = [&] {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    return text.substr(start, pos - start);
  };
  const std::string magic = next();
  pnm.channels = magic == "P6" ? 3 : magic == "P5" ? 1 : 0;
  pnm.width = std::stoi(next());
  pnm.height = std::stoi(next());
  EXPECT_EQ(next(), "255");
  pnm.samples.assign(file.begin() + static_cast<std::ptrdiff_t>(pos) + 1, file.end());
  EXPECT_EQ(pnm.samples.size(), std::size_t(pnm.width) * pnm.height * pnm.channels) << path;
  return pnm;
}

// Compares a decoded image with a reference, B,G,R against R,G,B (or grey),
// and checks that the row padding is zero. Reports the first difference only.
void ExpectMatches(const BgrImage& image, const Pnm& ref) {
  ASSERT_EQ(image.width, ref.width);
  ASSERT_EQ(image.height, ref.height);
  ASSERT_EQ(image.pixels.size(), image.stride * image.height);
  for (int y = 0; y < ref.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + y * image.stride;
    for (int x = 0; x < ref.width; ++x) {
      const std::uint8_t* s = ref.samples.data() + (std::size_t(y) * ref.width + x) * ref.channels;
      const std::uint8_t r = s[0], g = s[ref.channels == 3 ? 1 : 0], b = s[ref.channels == 3 ? 2 : 0];
      const std::uint8_t* p = row + x * 3;
      ASSERT_TRUE(p[0] == b && p[1] == g && p[2] == r)
          << "pixel " << x << "," << y << ": BGR " << int(p[0]) << " " << int(p[1]) << " " << int(p[2])
          << ", want " << int(b) << " " << int(g) << " " << int(r);
    }
    for (std::size_t i = std::size_t(ref.width) * 3; i < image.stride; ++i)
      ASSERT_EQ(row[i], 0) << "padding byte " << i << " of row " << y;
  }
}

TEST(JpegDecode, BannerMatchesDjpegByteForByte) {
  const auto image = DecodeBanner();
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 447);
  EXPECT_EQ(image->height, 116);
  EXPECT_EQ(image->stride, 1344u);  // 1341 bytes of pixels, 3 of padding
  ExpectMatches(*image, ReadPnm(QUELLBRIN_BANNER_PPM));
}

TEST(JpegDecode, GreyComesOutAsEqualBlueGreenRed) {
  const Bytes grey = ReadFile(QUELLBRIN_GREY_JPG);
  const auto image = DecodeJpegToBgr(grey.data(), grey.size());
  ASSERT_TRUE(image);
  ExpectMatches(*image, ReadPnm(QUELLBRIN_GREY_PGM));
}

// Bytes copied so that they end right before an inaccessible page. libjpeg is
// not built with ASan, so a read past the end inside it is caught by the page
// fault rather than by the sanitizer.
class GuardedCopy {
 public:
  explicit GuardedCopy(const Bytes& bytes) : page_(std::size_t(sysconf(_SC_PAGESIZE))) {
    span_ = (bytes.size() / page_ + 2) * page_;
    void* base = mmap(nullptr, span_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) throw std::runtime_error("mmap");
    base_ = static_cast<std::uint8_t*>(base);
    if (mprotect(base_ + span_ - page_, page_, PROT_NONE) != 0) throw std::runtime_error("mprotect");
    data_ = base_ + span_ - page_ - bytes.size();
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
    size_ = bytes.size();
  }
  ~GuardedCopy() { munmap(base_, span_); }
  GuardedCopy(const GuardedCopy&) = delete;
  GuardedCopy& operator=(const GuardedCopy&) = delete;
  const std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }

 private:
  std::size_t page_, span_ = 0, size_ = 0;
  std::uint8_t* base_ = nullptr;
  std::uint8_t* data_ = nullptr;
};

Bytes Banner() { return Bytes(BannerJpeg, BannerJpeg + BannerJpegSize); }

// Offset of the n-th (0-based) marker FF <code> in the banner's headers and scans.
std::size_t MarkerAt(std::uint8_t code, int n = 0) {
  const Bytes b = Banner();
  for (std::size_t i = 0; i + 1 < b.size(); ++i)
    if (b[i] == 0xFF && b[i + 1] == code && n-- == 0) return i;
  ADD_FAILURE() << "no marker " << int(code);
  return 0;
}

std::size_t SegmentEnd(std::uint8_t code) {
  const Bytes b = Banner();
  const std::size_t at = MarkerAt(code);
  return at + 2 + (std::size_t(b[at + 2]) << 8 | b[at + 3]);
}

Bytes Cut(std::size_t n) { return Bytes(BannerJpeg, BannerJpeg + n); }

Bytes WithSof(std::size_t offset, std::initializer_list<std::uint8_t> bytes) {
  Bytes b = Banner();
  std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(MarkerAt(0xC2) + offset));
  return b;
}

Bytes Flipped(std::size_t at, std::uint8_t mask) {
  Bytes b = Banner();
  b[at] ^= mask;
  return b;
}

void ExpectWellFormed(const BgrImage& image) {
  ASSERT_GT(image.width, 0);
  ASSERT_GT(image.height, 0);
  ASSERT_EQ(image.stride, (std::size_t(image.width) * 3 + 3) / 4 * 4);
  ASSERT_EQ(image.pixels.size(), image.stride * image.height);
  for (int y = 0; y < image.height; ++y)
    for (std::size_t i = std::size_t(image.width) * 3; i < image.stride; ++i)
      ASSERT_EQ(image.pixels[y * image.stride + i], 0);
}

enum class Want { Nothing, AnyButSafe };

struct DamagedCase {
  const char* name;
  Bytes bytes;
  Want want;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

std::string CaseName(const testing::TestParamInfo<DamagedCase>& info) {
  std::string name;
  for (const char* c = info.param.name; *c; ++c)
    name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
  return name;
}

class DamagedInput : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedInput, IsRejectedOrDecodedWithoutReadingPastTheEnd) {
  const GuardedCopy input(GetParam().bytes);
  const auto image = DecodeJpegToBgr(input.data(), input.size());
  if (GetParam().want == Want::Nothing) {
    EXPECT_FALSE(image) << "decoded " << image->width << " x " << image->height;
  } else if (image) {
    ExpectWellFormed(*image);
  }
}

// A premature end is rejected at every cut (see DecodeJpegToBgr), never shown
// with a grey remainder.
INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedInput,
    testing::Values(
        DamagedCase{"empty", {}, Want::Nothing},
        DamagedCase{"one byte", {0xFF}, Want::Nothing},
        DamagedCase{"only SOI", {0xFF, 0xD8}, Want::Nothing},
        DamagedCase{"SOI then EOI", {0xFF, 0xD8, 0xFF, 0xD9}, Want::Nothing},
        DamagedCase{"PNG signature", {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
                    Want::Nothing},
        DamagedCase{"text", {'B', 'a', 'n', 'n', 'e', 'r', '\n'}, Want::Nothing},
        DamagedCase{"cut inside APP0", Cut(MarkerAt(0xE0) + 9), Want::Nothing},
        DamagedCase{"cut inside COM", Cut(MarkerAt(0xFE) + 10), Want::Nothing},
        DamagedCase{"cut inside a DQT", Cut(MarkerAt(0xDB, 1) + 30), Want::Nothing},
        DamagedCase{"cut inside SOF2", Cut(MarkerAt(0xC2) + 7), Want::Nothing},
        DamagedCase{"cut inside a DHT", Cut(MarkerAt(0xC4) + 12), Want::Nothing},
        DamagedCase{"cut after the first SOS header", Cut(SegmentEnd(0xDA)), Want::Nothing},
        DamagedCase{"cut inside the first scan", Cut(SegmentEnd(0xDA) + 200), Want::Nothing},
        DamagedCase{"cut halfway", Cut(BannerJpegSize / 2), Want::Nothing},
        DamagedCase{"cut before the last scan", Cut(MarkerAt(0xDA, 9)), Want::Nothing},
        DamagedCase{"no EOI", Cut(BannerJpegSize - 2), Want::Nothing},
        DamagedCase{"half an EOI", Cut(BannerJpegSize - 1), Want::Nothing},
        DamagedCase{"height zero", WithSof(5, {0, 0}), Want::Nothing},
        DamagedCase{"12-bit samples", WithSof(4, {12}), Want::Nothing},
        DamagedCase{"chroma uses an undefined table", WithSof(15, {3}), Want::Nothing},
        // libjpeg alone would ask for 12 GB of coefficients (see __asan_default_options).
        DamagedCase{"65500 x 65500", WithSof(5, {0xFF, 0xDC, 0xFF, 0xDC}), Want::Nothing},
        DamagedCase{"wider than its data", WithSof(7, {0x03, 0x00}), Want::AnyButSafe},
        DamagedCase{"flipped bit in a Huffman table", Flipped(MarkerAt(0xC4) + 8, 0x10), Want::AnyButSafe},
        DamagedCase{"flipped bits in the first scan", Flipped(SegmentEnd(0xDA) + 100, 0x5A), Want::AnyButSafe},
        DamagedCase{"flipped bits in the last scan", Flipped(BannerJpegSize - 40, 0xFF), Want::AnyButSafe}),
    CaseName);

// The length is the end of the data even when readable, valid bytes follow:
// a decoder that ran on to the EOI it finds would decode the whole banner.
TEST(JpegDecode, StopsAtTheGivenLengthInsideLargerData) {
  EXPECT_FALSE(DecodeJpegToBgr(BannerJpeg, BannerJpegSize - 100));
  EXPECT_FALSE(DecodeJpegToBgr(nullptr, 0));
}

// One damaged byte at a time across the whole file.
TEST(JpegDecode, SingleByteDamageAnywhereIsSafe) {
  for (std::size_t at = 2; at < BannerJpegSize; at += 53) {
    SCOPED_TRACE("byte " + std::to_string(at));
    const GuardedCopy input(Flipped(at, 0xA5));
    const auto image = DecodeJpegToBgr(input.data(), input.size());
    if (image) ExpectWellFormed(*image);
  }
}

}  // namespace
}  // namespace quellbrin
