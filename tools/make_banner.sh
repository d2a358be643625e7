#!/usr/bin/env bash
# Draws the site banner and writes resources/banner.jpg.
# Needs ImageMagick, libjpeg-turbo-progs, python3 and fonts-dejavu-core / fonts-liberation.
# The output depends only on these tools and fonts: no dates, no metadata but the comment.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/resources/banner.jpg}"

# The real ImageMagick, not whatever else may be called convert on the PATH.
im=/usr/bin/convert
identify=/usr/bin/identify
fonts=/usr/share/fonts/truetype
name_font="$fonts/dejavu/DejaVuSans-BoldOblique.ttf"
slogan_font="$fonts/liberation/LiberationSans-Italic.ttf"
logo_font="$fonts/liberation/LiberationSerif-BoldItalic.ttf"

W=447
H=116
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Background: deep blue on the left, brighter towards the right, with a soft
# sheen fading out downwards.
"$im" -size ${H}x${W} gradient:'#0a2350-#2f78d0' -rotate -90 \
  \( -size ${W}x${H} gradient:'rgba(255,255,255,0.18)-rgba(255,255,255,0)' \) \
  -compose over -composite "$tmp/bg.png"

# Logo: a glossy disc with a ring and an italic "O"; an orbit passes behind
# the letter and in front of it.
"$im" -size 88x88 xc:none \
  -fill '#06183a' -draw 'circle 44,45 44,4' \
  \( -size 78x78 radial-gradient:'#eef6ff-#5d9ae6' \
     \( -size 78x78 xc:black -fill white -draw 'circle 38.5,38.5 38.5,0.5' \) \
     -alpha off -compose copy_opacity -composite \) \
  -geometry +5+4 -compose over -composite \
  -fill none -stroke '#0b2a5c' -strokewidth 3 -draw 'circle 44,43 44,7' \
  -stroke '#ffffff' -strokewidth 1 -draw 'circle 44,43 44,3.5' \
  -stroke '#c98a0c' -strokewidth 3 -draw 'ellipse 44,47 36,10 180,360' \
  -stroke none -fill '#0b2a5c' -font "$logo_font" -pointsize 58 \
  -gravity center -annotate +1+2 'O' -gravity northwest \
  -fill none -stroke '#f3a712' -strokewidth 3 -draw 'ellipse 44,47 36,10 0,180' \
  "$tmp/logo.png"

# The name, white, and below it its mirror image fading out.
"$im" -background none -fill '#f4f8ff' -font "$name_font" -pointsize 54 \
  label:'Orvanta' -trim +repage "$tmp/name.png"
"$im" "$tmp/name.png" -flip \
  \( +clone -alpha extract -size "$("$identify" -format '%wx%h' "$tmp/name.png")" \
     gradient:'gray(40%)-black' -compose multiply -composite \) \
  -alpha off -compose copy_opacity -composite -crop x26+0+0 +repage "$tmp/reflection.png"

"$im" "$tmp/bg.png" \
  "$tmp/logo.png" -geometry +10+3 -compose over -composite \
  "$tmp/name.png" -geometry +116+14 -composite \
  "$tmp/reflection.png" -geometry +116+70 -composite \
  -font "$slogan_font" -pointsize 13 -fill '#d6e6ff' \
  -gravity southwest -annotate +14+5 'Die Community rund um Windows' \
  -gravity northwest \
  "$tmp/banner.ppm"

# Encoded with cjpeg for exact control of the stream: progressive, 4:2:0,
# two quantisation tables. cjpeg writes no density and wrjpgcom would put the
# comment after the tables, so both are set here: 72 dpi, comment after APP0.
cjpeg -quality 94 -progressive -sample 2x2,1x1,1x1 -dct int \
  -outfile "$tmp/plain.jpg" "$tmp/banner.ppm"
python3 - "$tmp/plain.jpg" "$tmp/final.jpg" "Created with ImageMagick" <<'PY'
import struct, sys
data = bytearray(open(sys.argv[1], "rb").read())
assert data[2:4] == b"\xff\xe0" and data[6:11] == b"JFIF\0", "no JFIF header after SOI"
# JFIF body: "JFIF\0", version 1.01, unit, x and y density.
data[11:18] = bytes([1, 1, 1]) + struct.pack(">HH", 72, 72)
end_app0 = 4 + struct.unpack(">H", data[4:6])[0]
text = sys.argv[3].encode("ascii")
com = b"\xff\xfe" + struct.pack(">H", len(text) + 2) + text
open(sys.argv[2], "wb").write(data[:end_app0] + com + data[end_app0:])
PY

# Refuse to write a banner whose stream is not the one the program expects.
python3 - "$tmp/final.jpg" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
assert data[:2] == b"\xff\xd8", "no SOI"
pos, segs = 2, []
while data[pos + 1] != 0xD9:
    marker = data[pos + 1]
    length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
    segs.append((marker, data[pos + 4:pos + 2 + length]))
    pos += 2 + length
    if marker == 0xDA:  # skip entropy-coded data: stuffed FF 00 and restarts are not markers
        while not (data[pos] == 0xFF and data[pos + 1] != 0 and not 0xD0 <= data[pos + 1] <= 0xD7):
            pos += 1
assert pos + 2 == len(data), "data after EOI"
kinds = [m for m, _ in segs]
assert set(kinds) <= {0xE0, 0xFE, 0xDB, 0xC2, 0xC4, 0xDA}, kinds
assert kinds[:2] == [0xE0, 0xFE], kinds
assert segs[0][1] == b"JFIF\0\x01\x01\x01" + struct.pack(">HH", 72, 72) + b"\0\0", segs[0][1]
assert [(b[0], len(b)) for m, b in segs if m == 0xDB] == [(0, 65), (1, 65)], "want 8-bit tables 0 and 1"
sof = [b for m, b in segs if m == 0xC2]
assert sof == [bytes([8]) + struct.pack(">HH", 116, 447) + bytes([3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1])], sof
assert kinds.count(0xDA) == 10, "want ten scans"
print(" ".join({0xE0: "APP0", 0xFE: "COM", 0xDB: "DQT", 0xC2: "SOF2", 0xC4: "DHT", 0xDA: "SOS"}[m] for m in kinds))
PY

mkdir -p "$(dirname "$out")"
mv "$tmp/final.jpg" "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
