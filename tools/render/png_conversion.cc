#include "tools/render/png_conversion.h"

#include <cstring>

namespace {

constexpr int kMaxPaletteSize = 256;

// The least PNG palette bit depth that holds `colours` entries.
int PaletteDepth(int colours) {
  if (colours <= 2) return 1;
  if (colours <= 4) return 2;
  if (colours <= 16) return 4;
  return 8;
}

size_t RowBytes(uint32_t width, int bits_per_pixel) {
  return (static_cast<size_t>(width) * bits_per_pixel + 7) / 8;
}

uint8_t Expand5(unsigned channel) { return static_cast<uint8_t>((channel << 3) | (channel >> 2)); }

// Bytes loaded from a pixel into a word, masked to its colour bits: `bytes` as they lie
// in memory, whatever the machine's byte order.
template <class Word, size_t kSize>
Word MaskOf(const uint8_t (&bytes)[kSize]) {
  static_assert(sizeof(Word) == kSize, "one mask byte per pixel byte");
  Word mask;
  std::memcpy(&mask, bytes, sizeof mask);
  return mask;
}

const uint16_t kColourBits16 = MaskOf<uint16_t>({0xFF, 0x7F});              // 5-5-5, bit 15 aside
const uint32_t kColourBits32 = MaskOf<uint32_t>({0xFF, 0xFF, 0xFF, 0x00});  // alpha aside

// Direct pixel formats: a key that tells colours apart, read straight from the line, and
// the colour of a pixel.
struct Format16 {  // little-endian 5-5-5 words
  static uint32_t Key(const uint8_t* row, uint32_t x) {
    uint16_t word;
    std::memcpy(&word, row + 2 * x, sizeof word);
    return word & kColourBits16;
  }
  static Rgb ColourAt(const uint8_t* row, uint32_t x) {
    const unsigned word = row[2 * x] | (row[2 * x + 1] << 8);
    return Rgb{Expand5((word >> 10) & 31), Expand5((word >> 5) & 31), Expand5(word & 31)};
  }
};

struct Format24 {  // blue, green, red
  static uint32_t Key(const uint8_t* row, uint32_t x) {
    const uint8_t* p = row + 3 * x;
    return p[0] | (p[1] << 8) | (p[2] << 16);
  }
  static Rgb ColourAt(const uint8_t* row, uint32_t x) {
    const uint8_t* p = row + 3 * x;
    return Rgb{p[2], p[1], p[0]};
  }
};

struct Format32 {  // red, green, blue, 255
  static uint32_t Key(const uint8_t* row, uint32_t x) {
    uint32_t word;
    std::memcpy(&word, row + 4 * x, sizeof word);
    return word & kColourBits32;
  }
  static Rgb ColourAt(const uint8_t* row, uint32_t x) {
    const uint8_t* p = row + 4 * x;
    return Rgb{p[0], p[1], p[2]};
  }
};

// Palette indices of up to 256 colours by key: open addressing over a table four times
// the palette's size.
class ColourIndex {
 public:
  explicit ColourIndex(std::vector<Rgb>* palette) : palette_(palette) {
    std::memset(keys_, 0, sizeof keys_);
  }

  // The index of the colour of `key`, the pixel (x, y) of `row`, added to the palette
  // when new; -1 when it is new and the palette is full.
  template <class Format>
  int IndexOf(uint32_t key, const uint8_t* row, uint32_t x) {
    const uint32_t stored = key | kOccupied;
    size_t slot = (key * 2654435761u) >> (32 - kSlotBits);
    while (keys_[slot] != 0) {
      if (keys_[slot] == stored) return values_[slot];
      slot = (slot + 1) & (kSlots - 1);
    }
    if (palette_->size() == kMaxPaletteSize) return -1;
    keys_[slot] = stored;
    values_[slot] = static_cast<uint8_t>(palette_->size());
    palette_->push_back(Format::ColourAt(row, x));
    return values_[slot];
  }

 private:
  static constexpr int kSlotBits = 10;
  static constexpr size_t kSlots = size_t{1} << kSlotBits;
  static constexpr uint32_t kOccupied = 0x80000000u;

  std::vector<Rgb>* palette_;
  uint32_t keys_[kSlots];
  uint8_t values_[kSlots];
};

// Writes one palette index per pixel into `indices`, the palette into `palette`. False
// when the pixels show more than 256 colours.
template <class Format>
bool IndexPixels(const ScanLines& lines, std::vector<Rgb>* palette, uint8_t* indices) {
  constexpr uint32_t kNoKey = 0xFFFFFFFFu;  // keys hold 24 bits at most
  ColourIndex table(palette);
  const auto width = static_cast<uint32_t>(lines.width);
  for (int y = 0; y < lines.height; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    uint8_t* out = indices + static_cast<size_t>(y) * width;
    uint32_t last_key = kNoKey;
    int last = 0;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t key = Format::Key(row, x);
      if (key != last_key) {
        last = table.template IndexOf<Format>(key, row, x);
        if (last < 0) return false;
        last_key = key;
      }
      out[x] = static_cast<uint8_t>(last);
    }
  }
  return true;
}

template <class Format>
void WriteTruecolour(const ScanLines& lines, uint8_t* pixels) {
  const auto width = static_cast<uint32_t>(lines.width);
  for (int y = 0; y < lines.height; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    for (uint32_t x = 0; x < width; ++x, pixels += 3) {
      const Rgb colour = Format::ColourAt(row, x);
      pixels[0] = colour.red;
      pixels[1] = colour.green;
      pixels[2] = colour.blue;
    }
  }
}

// Packs `count` fields of kBits bits into `out`, most significant first: lookup[in[n]]
// for each n, or with kLookup false in[n] itself. A last, partly filled byte is filled
// up with zeros.
template <int kBits, bool kLookup>
void PackRow(const uint8_t* in, size_t count, const uint8_t* lookup, uint8_t* out) {
  constexpr size_t kPerByte = 8 / kBits;
  auto field = [in, lookup](size_t n) -> unsigned { return kLookup ? lookup[in[n]] : in[n]; };
  size_t n = 0;
  for (; n + kPerByte <= count; n += kPerByte) {
    unsigned byte = 0;
    for (size_t j = 0; j < kPerByte; ++j) byte = (byte << kBits) | field(n + j);
    *out++ = static_cast<uint8_t>(byte);
  }
  if (n == count) return;
  unsigned byte = 0;
  int used = 0;
  for (; n < count; ++n, used += kBits) byte = (byte << kBits) | field(n);
  *out = static_cast<uint8_t>(byte << (8 - used));
}

template <bool kLookup>
void PackRow(int bits, const uint8_t* in, size_t count, const uint8_t* lookup, uint8_t* out) {
  switch (bits) {
    case 1:
      PackRow<1, kLookup>(in, count, lookup, out);
      break;
    case 2:
      PackRow<2, kLookup>(in, count, lookup, out);
      break;
    case 4:
      PackRow<4, kLookup>(in, count, lookup, out);
      break;
    default:
      PackRow<8, kLookup>(in, count, lookup, out);
      break;
  }
}

// Packs a picture of at most two colours straight into rows of one bit per pixel: 0 for
// the colour of the first pixel, 1 for the other. Returns false, having written part of
// the rows, when the pixels show a third colour. Otherwise the palette holds the first
// colour and the other, if any.
template <class Format>
bool PackTwoColours(const ScanLines& lines, std::vector<Rgb>* palette, uint8_t* pixels,
                    size_t stride) {
  const auto width = static_cast<uint32_t>(lines.width);
  const uint32_t first_key = Format::Key(lines.data, 0);
  palette->push_back(Format::ColourAt(lines.data, 0));
  uint32_t other_key = first_key;
  for (int y = 0; y < lines.height && other_key == first_key; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    for (uint32_t x = 0; x < width; ++x) {
      if (Format::Key(row, x) == first_key) continue;
      other_key = Format::Key(row, x);
      palette->push_back(Format::ColourAt(row, x));
      break;
    }
  }
  for (int y = 0; y < lines.height; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    uint8_t* out = pixels + static_cast<size_t>(y) * stride;
    bool third = false;
    uint32_t x = 0;
    for (; x + 8 <= width; x += 8) {
      unsigned byte = 0;
      for (uint32_t j = 0; j < 8; ++j) {
        const uint32_t key = Format::Key(row, x + j);
        byte = (byte << 1) | (key != first_key);
        third |= (key != first_key) & (key != other_key);
      }
      *out++ = static_cast<uint8_t>(byte);
    }
    if (x < width) {
      unsigned byte = 0;
      for (uint32_t j = x; j < width; ++j) {
        const uint32_t key = Format::Key(row, j);
        byte = (byte << 1) | (key != first_key);
        third |= (key != first_key) & (key != other_key);
      }
      *out = static_cast<uint8_t>(byte << (8 - (width - x)));
    }
    if (third) return false;
  }
  return true;
}

}  // namespace

PngImage PngConverter::Image(const ScanLines& lines, int bit_depth, const uint8_t* pixels,
                             size_t stride, bool with_palette) const {
  PngImage image;
  image.width = static_cast<uint32_t>(lines.width);
  image.height = static_cast<uint32_t>(lines.height);
  image.palette = with_palette ? palette_.data() : nullptr;
  image.palette_size = with_palette ? static_cast<int>(palette_.size()) : 0;
  image.bit_depth = bit_depth;
  image.pixels = pixels;
  image.stride = stride;
  return image;
}

PngImage PngConverter::Convert(const ScanLines& lines) {
  palette_.clear();
  return lines.bits_per_pixel < 16 ? ConvertIndexed(lines) : ConvertDirect(lines);
}

// Colour numbers go through one table from a line byte to the output bits of all the
// pixels in that byte. A source pixel of b bits has at most 2^b distinct colours, so the
// output never needs more bits per byte than the source: each byte maps to at most 8 bits.
PngImage PngConverter::ConvertIndexed(const ScanLines& lines) {
  const int bits = lines.bits_per_pixel;
  const int per_byte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  const auto width = static_cast<uint32_t>(lines.width);
  const size_t full_bytes = static_cast<size_t>(width) * bits / 8;
  const int tail_pixels = static_cast<int>(width % static_cast<uint32_t>(per_byte));
  auto pixel_in_byte = [bits, mask](unsigned byte, int n) {
    return (byte >> (8 - bits * (n + 1))) & mask;
  };

  bool seen_byte[256] = {};
  bool used[256] = {};
  for (int y = 0; y < lines.height; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    for (size_t i = 0; i < full_bytes; ++i) seen_byte[row[i]] = true;
    for (int n = 0; n < tail_pixels; ++n) used[pixel_in_byte(row[full_bytes], n)] = true;
  }
  for (unsigned byte = 0; byte < 256; ++byte) {
    if (!seen_byte[byte]) continue;
    for (int n = 0; n < per_byte; ++n) used[pixel_in_byte(byte, n)] = true;
  }

  uint8_t index_of[256] = {};
  for (unsigned number = 0; number <= mask; ++number) {
    if (!used[number]) continue;
    const Rgb colour{lines.colormap[number], lines.colormap[256 + number],
                     lines.colormap[512 + number]};
    size_t index = 0;
    while (index < palette_.size() && !(palette_[index] == colour)) ++index;
    if (index == palette_.size()) palette_.push_back(colour);
    index_of[number] = static_cast<uint8_t>(index);
  }

  const int depth = PaletteDepth(static_cast<int>(palette_.size()));
  uint8_t packed_byte[256];
  for (unsigned byte = 0; byte < 256; ++byte) {
    unsigned packed = 0;
    for (int n = 0; n < per_byte; ++n) {
      packed = (packed << depth) | index_of[pixel_in_byte(byte, n)];
    }
    packed_byte[byte] = static_cast<uint8_t>(packed);
  }

  // A partly filled last byte goes through the table whole: its padding pixels land in
  // the output row's padding bits (they fit, since the output has no more bits per pixel
  // than the source), which are then cleared.
  const size_t stride = RowBytes(width, depth);
  const size_t source_bytes = full_bytes + (tail_pixels > 0 ? 1 : 0);
  const unsigned spare_bits =
      static_cast<unsigned>(stride * 8 - static_cast<size_t>(width) * depth);
  const auto last_byte_mask = static_cast<uint8_t>(0xFFu << spare_bits);
  pixels_.resize(stride * static_cast<size_t>(lines.height));
  for (int y = 0; y < lines.height; ++y) {
    const uint8_t* row = lines.data + static_cast<size_t>(y) * lines.bytes_per_line;
    uint8_t* out = pixels_.data() + static_cast<size_t>(y) * stride;
    PackRow<true>(per_byte * depth, row, source_bytes, packed_byte, out);
    out[stride - 1] &= last_byte_mask;
  }

  return Image(lines, depth, pixels_.data(), stride, true);
}

PngImage PngConverter::ConvertDirect(const ScanLines& lines) {
  switch (lines.bits_per_pixel) {
    case 16:
      return ConvertDirect<Format16>(lines);
    case 24:
      return ConvertDirect<Format24>(lines);
    default:
      return ConvertDirect<Format32>(lines);
  }
}

// Most pictures hold two colours, and go in one pass to one bit per pixel; the rest are
// indexed first, then packed at the depth their palette needs.
template <class Format>
PngImage PngConverter::ConvertDirect(const ScanLines& lines) {
  const auto width = static_cast<uint32_t>(lines.width);
  const auto height = static_cast<uint32_t>(lines.height);
  const size_t stride = RowBytes(width, 1);
  pixels_.resize(stride * height);
  if (PackTwoColours<Format>(lines, &palette_, pixels_.data(), stride)) {
    return Image(lines, 1, pixels_.data(), stride, true);
  }
  palette_.clear();
  indices_.resize(static_cast<size_t>(width) * height);
  if (!IndexPixels<Format>(lines, &palette_, indices_.data())) {
    pixels_.resize(static_cast<size_t>(width) * 3 * height);
    WriteTruecolour<Format>(lines, pixels_.data());
    return Image(lines, 8, pixels_.data(), static_cast<size_t>(width) * 3, false);
  }
  const int depth = PaletteDepth(static_cast<int>(palette_.size()));
  if (depth == 8) return Image(lines, 8, indices_.data(), width, true);
  const size_t packed_stride = RowBytes(width, depth);
  pixels_.resize(packed_stride * height);
  for (uint32_t y = 0; y < height; ++y) {
    PackRow<false>(depth, indices_.data() + static_cast<size_t>(y) * width, width, nullptr,
                   pixels_.data() + static_cast<size_t>(y) * packed_stride);
  }
  return Image(lines, depth, pixels_.data(), packed_stride, true);
}
