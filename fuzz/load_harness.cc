#include "fuzz/load_harness.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz/line_colours.h"
#include "platform/oem_font.h"
#include "platform/testing.h"
#include "plugin/exports.h"
#include "render/text_grid.h"

namespace {

constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};
constexpr uint8_t kFaultCallMask = 0x7F;
constexpr uint8_t kFaultPersistentBit = 0x80;
constexpr uint32_t kInk = 0xF0F0F0;  // light grey, exact from 16 bits up
// Pictures up to this many pixels lie well inside what the layer makes.
constexpr int64_t kSurelyMadePixels = int64_t{1} << 24;

[[noreturn]] void Broken(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::fputs("load harness: ", stderr);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
  std::abort();
}

// The file the content is written to: an anonymous in-memory file, opened by the module
// through its /proc path. Made once per process and rewritten for each input.
const std::string& ContentFile(const uint8_t* content, size_t length) {
  static const int fd = memfd_create("quillmere-fuzz", MFD_CLOEXEC);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (fd < 0) Broken("memfd_create failed");
  if (ftruncate(fd, 0) != 0) Broken("ftruncate failed");
  size_t written = 0;
  while (written < length) {
    const ssize_t n = pwrite(fd, content + written, length - written, static_cast<off_t>(written));
    if (n <= 0) Broken("pwrite failed");
    written += static_cast<size_t>(n);
  }
  return path;
}

struct Description {
  INT kind = -1, width = 0, height = 0, resolution = 0, bits = 0, bytes_per_line = 0;
  BOOL has_colormap = -1;
};

// `grid`: the cells the picture must have; null when any size will do.
void CheckDescription(const Description& d, int depth, const TextGrid* grid) {
  using win32_subset::kOemFontHeight;
  using win32_subset::kOemFontWidth;
  if (d.kind != 0) Broken("kind %d", d.kind);
  if (d.bits != depth) Broken("%d bits per pixel on a display of %d", d.bits, depth);
  if (d.has_colormap != (depth < 16 ? 1 : 0)) {
    Broken("colour map flag %d at %d bits", d.has_colormap, depth);
  }
  if (d.width <= 0 || d.height <= 0) Broken("%d x %d pixels", d.width, d.height);
  if (grid != nullptr && (int64_t{d.width} != int64_t{grid->columns} * kOemFontWidth ||
                          int64_t{d.height} != int64_t{grid->rows} * kOemFontHeight)) {
    Broken("%d x %d pixels for %d x %d cells", d.width, d.height, grid->columns, grid->rows);
  }
  const int64_t padded = (int64_t{d.bits} * d.width + 31) / 32 * 4;
  if (d.bytes_per_line != padded) {
    Broken("%d bytes per line, %lld expected", d.bytes_per_line, static_cast<long long>(padded));
  }
}

// A line shows black and at most one other colour, which is the exact ink where the
// display has it.
void CheckLineColours(const uint8_t* line, const Description& d, const uint8_t* colormap,
                      uint32_t* ink, int y) {
  for (int x = 0; x < d.width; ++x) {
    if (d.bits == 32 && line[4 * x + 3] != 0xFF) {
      Broken("alpha %u at (%d, %d)", line[4 * x + 3], x, y);
    }
    const uint32_t colour = PixelColour(line, x, d.bits, colormap);
    if (colour == 0) continue;
    if (*ink == 0) *ink = colour;
    if (colour != *ink || (d.bits >= 16 && colour != kInk)) {
      Broken("colour %06x at (%d, %d) besides black and %06x", colour, x, y, *ink);
    }
  }
}

// The pixel bytes of a line that is black all through, in the module's format: what most
// lines are, so they are compared as a whole instead of pixel by pixel. Empty when the
// colour map does not show zero as black.
std::vector<uint8_t> BlankLine(const Description& d, const uint8_t* colormap) {
  std::vector<uint8_t> blank(static_cast<size_t>(d.width) * d.bits / 8);
  if (d.bits == 32) {
    for (size_t alpha = 3; alpha < blank.size(); alpha += 4) blank[alpha] = 0xFF;
  }
  if (PixelColour(blank.data(), 0, d.bits, colormap) != 0) blank.clear();
  return blank;
}

// `made_whole`: no call failed while the picture was made, so it shows the text's grid
// in black and ink. Otherwise only the description's own consistency is checked.
void ReadPicture(void* picture, int depth, const TextGrid& grid, bool made_whole,
                 bool fault_armed) {
  Description d;
  char label[16];
  if (gfpLoadPictureGetInfo(picture, &d.kind, &d.width, &d.height, &d.resolution, &d.bits,
                            &d.bytes_per_line, &d.has_colormap, label, sizeof label) != 1) {
    Broken("no description");
  }
  CheckDescription(d, depth, made_whole ? &grid : nullptr);

  auto colormap = std::make_unique<uint8_t[]>(768);
  if (gfpLoadPictureGetColormap(picture, colormap.get()) != 1) Broken("no colour map");
  auto line = std::make_unique<uint8_t[]>(static_cast<size_t>(d.bytes_per_line));
  const std::vector<uint8_t> blank = BlankLine(d, colormap.get());
  uint32_t ink = 0;
  for (int y = 0; y < d.height; ++y) {
    if (gfpLoadPictureGetLine(picture, y, line.get()) != 1) {
      if (!fault_armed) Broken("line %d of %d not delivered", y, d.height);
      continue;
    }
    const bool is_blank =
        !blank.empty() && std::memcmp(line.get(), blank.data(), blank.size()) == 0;
    if (made_whole && !is_blank) CheckLineColours(line.get(), d, colormap.get(), &ink, y);
  }
  if (gfpLoadPictureGetLine(picture, -1, line.get()) != 0 ||
      gfpLoadPictureGetLine(picture, d.height, line.get()) != 0) {
    Broken("a line outside the picture delivered");
  }
}

}  // namespace

void RunLoad(const uint8_t* data, size_t size) {
  const uint8_t depth_selector = size > 0 ? data[0] : 0;
  const uint8_t fault_selector = size > 1 ? data[1] : 0;
  const size_t header = size < 2 ? size : 2;
  const uint8_t* content = data + header;
  const size_t length = size - header;

  const int depth = kDepths[depth_selector % 6];
  setenv("QUILLMERE_DISPLAY_BITS", std::to_string(depth).c_str(), 1);
  const std::string& path = ContentFile(content, length);
  const TextGrid grid = MeasureTextGrid(content, static_cast<DWORD>(length));

  const uint32_t fault_call = fault_selector & kFaultCallMask;
  if (fault_call != 0) {
    win32_testing::ArmFaultOnAnyCall(fault_call, (fault_selector & kFaultPersistentBit)
                                                     ? win32_testing::FaultMode::kPersistent
                                                     : win32_testing::FaultMode::kOnce);
  }
  void* picture = gfpLoadPictureInit(path.c_str());
  if (picture != nullptr) {
    const bool made_whole = !win32_testing::FaultTriggered();
    ReadPicture(picture, depth, grid, made_whole, fault_call != 0);
  } else if (fault_call == 0 && length > 0 &&
             // At most INT32_MAX x 400 cells of 8 x 16 pixels: well inside 64 bits.
             int64_t{grid.columns} * grid.rows * win32_subset::kOemFontWidth *
                     win32_subset::kOemFontHeight <= kSurelyMadePixels) {
    Broken("no picture of %d x %d cells", grid.columns, grid.rows);
  }
  gfpLoadPictureExit(picture);
  win32_testing::DisarmFault();

  const win32_testing::LiveObjects live = win32_testing::CountLiveObjects();
  if (live.total() != 0) Broken("alive after the load: %s", win32_testing::Describe(live).c_str());
}
