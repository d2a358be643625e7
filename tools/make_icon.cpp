// Draws the program's icon, a blue ring around a water drop on a transparent
// ground, and writes it as a .ico with one 32 x 32 image, 32 bits with alpha.
// Runs on the build host; the output depends on nothing but this file.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 8;  // per axis, for the anti-aliasing
constexpr double kCentre = 16.0;

struct Colour {
  double r, g, b;
};
constexpr Colour kRing{0x1a, 0x4f, 0x9c};
constexpr Colour kDrop{0x2f, 0x86, 0xd8};

bool InRing(double x, double y) {
  const double d = std::hypot(x - kCentre, y - kCentre);
  return d <= 15.5 && d >= 12.5;
}

// A circle with a cone up to a point: the tip at the top, the cone meeting
// the circle where its sides touch it.
bool InDrop(double x, double y) {
  constexpr double cx = kCentre, cy = 19.0, r = 6.0, tipY = 7.0;
  if (std::hypot(x - cx, y - cy) <= r) return true;
  const double axis = cy - tipY;
  const double sinA = r / axis;
  const double cosA = std::sqrt(1.0 - sinA * sinA);
  const double along = y - tipY;
  if (along < 0.0 || along > axis * cosA * cosA) return false;
  return std::fabs(x - cx) <= along * sinA / cosA;
}

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xffff);
  Put16(out, v >> 16);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icon OUT.ico\n");
    return 2;
  }

  // BGRA, top row first.
  std::vector<uint8_t> pixels(kSize * kSize * 4);
  for (int py = 0; py < kSize; ++py) {
    for (int px = 0; px < kSize; ++px) {
      double r = 0, g = 0, b = 0;
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const double x = px + (sx + 0.5) / kSamples;
          const double y = py + (sy + 0.5) / kSamples;
          const Colour* c = InRing(x, y) ? &kRing : InDrop(x, y) ? &kDrop : nullptr;
          if (c == nullptr) continue;
          r += c->r;
          g += c->g;
          b += c->b;
          ++hits;
        }
      }
      uint8_t* p = &pixels[(py * kSize + px) * 4];
      if (hits == 0) continue;  // fully transparent, black
      // Straight (not premultiplied) alpha, as icons store it.
      p[0] = static_cast<uint8_t>(std::lround(b / hits));
      p[1] = static_cast<uint8_t>(std::lround(g / hits));
      p[2] = static_cast<uint8_t>(std::lround(r / hits));
      p[3] = static_cast<uint8_t>((hits * 255 + kSamples * kSamples / 2) / (kSamples * kSamples));
    }
  }

  constexpr uint32_t kHeader = 40, kColour = kSize * kSize * 4, kMask = kSize * kSize / 8;
  constexpr uint32_t kImage = kHeader + kColour + kMask;
  std::vector<uint8_t> ico;
  // ICONDIR and its one entry.
  Put16(ico, 0);
  Put16(ico, 1);
  Put16(ico, 1);
  ico.push_back(kSize);
  ico.push_back(kSize);
  ico.push_back(0);  // no palette
  ico.push_back(0);
  Put16(ico, 1);   // planes
  Put16(ico, 32);  // bits per pixel
  Put32(ico, kImage);
  Put32(ico, 6 + 16);
  // BITMAPINFOHEADER; the height counts the colour and the mask rows.
  Put32(ico, kHeader);
  Put32(ico, kSize);
  Put32(ico, kSize * 2);
  Put16(ico, 1);
  Put16(ico, 32);
  Put32(ico, 0);  // BI_RGB
  Put32(ico, kColour + kMask);
  for (int i = 0; i < 4; ++i) Put32(ico, 0);
  // Colour rows bottom-up.
  for (int py = kSize - 1; py >= 0; --py)
    ico.insert(ico.end(), &pixels[py * kSize * 4], &pixels[(py + 1) * kSize * 4]);
  // AND mask, bottom-up, one bit per pixel: set where the ground shows.
  for (int py = kSize - 1; py >= 0; --py) {
    for (int byte = 0; byte < kSize / 8; ++byte) {
      uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit)
        if (pixels[(py * kSize + byte * 8 + bit) * 4 + 3] == 0) bits |= 0x80 >> bit;
      ico.push_back(bits);
    }
  }
  if (ico.size() != 6 + 16 + kImage) return 1;

  FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr || std::fwrite(ico.data(), 1, ico.size(), out) != ico.size() ||
      std::fclose(out) != 0) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
