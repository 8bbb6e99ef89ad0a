// The icon files that the programs' resources are built from: the first
// image of each file is the one the programs and the About box ask for
// (32x32 in 16 colours, 16x16 in two colours), every image is one the
// system accepts, and transparent pixels are really transparent.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "files/paths.h"

namespace {

struct Entry {
  int width, height, colours, bpp;
  std::uint32_t size, offset;
};

struct IconFile {
  std::vector<unsigned char> bytes;
  std::vector<Entry> entries;
};

std::vector<unsigned char> ReadAll(const std::wstring& path) {
  std::vector<unsigned char> out;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return out;
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  out.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!out.empty()) ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &read, nullptr);
  CloseHandle(file);
  out.resize(read);
  return out;
}

std::uint16_t U16(const std::vector<unsigned char>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
  return U16(b, at) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

// Reads an .ico file copied beside the test program (tests/icons/<program>-<kind>.ico).
IconFile Load(const std::string& program, const std::string& kind) {
  IconFile icon;
  std::wstring name(program.begin(), program.end());
  std::wstring which(kind.begin(), kind.end());
  icon.bytes = ReadAll(jj::InFolder(jj::ExeFolder(), L"icons\\" + name + L"-" + which + L".ico"));
  const auto& b = icon.bytes;
  if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != 1) return icon;
  int count = U16(b, 4);
  for (int i = 0; i < count && 6 + 16 * (i + 1) <= static_cast<int>(b.size()); ++i) {
    std::size_t at = 6 + 16 * i;
    Entry e{b[at] ? b[at] : 256, b[at + 1] ? b[at + 1] : 256, b[at + 2], U16(b, at + 6), U32(b, at + 8),
            U32(b, at + 12)};
    icon.entries.push_back(e);
  }
  return icon;
}

std::size_t RowBytes(int width, int bpp) { return static_cast<std::size_t>((width * bpp + 31) / 32 * 4); }

// Colour index and transparency of pixel (x, y), y counted from the top.
int ColourAt(const IconFile& icon, const Entry& e, int x, int y) {
  std::size_t palette = static_cast<std::size_t>(1) << e.bpp;
  std::size_t row = e.offset + 40 + 4 * palette + RowBytes(e.width, e.bpp) * (e.height - 1 - y);
  std::size_t bit = static_cast<std::size_t>(x * e.bpp);
  int byte = icon.bytes[row + bit / 8];
  return (byte >> (8 - e.bpp - bit % 8)) & ((1 << e.bpp) - 1);
}
bool TransparentAt(const IconFile& icon, const Entry& e, int x, int y) {
  std::size_t palette = static_cast<std::size_t>(1) << e.bpp;
  std::size_t mask = e.offset + 40 + 4 * palette + RowBytes(e.width, e.bpp) * e.height;
  std::size_t row = mask + RowBytes(e.width, 1) * (e.height - 1 - y);
  return (icon.bytes[row + x / 8] >> (7 - x % 8)) & 1;
}

const char* const kPrograms[] = {"quenby", "halvick", "ostrell"};

// The first image: what the resource names, checked field by field, and
// the layout of every image: header, palette, colour bits, mask, nothing
// more and nothing less.
void ExpectWellFormed(const std::string& program, const std::string& kind, int first_size, int first_bpp) {
  SCOPED_TRACE(program + " " + kind);
  IconFile icon = Load(program, kind);
  ASSERT_FALSE(icon.bytes.empty()) << "the icon file is missing or empty";
  ASSERT_FALSE(icon.entries.empty()) << "not an icon file";
  const Entry& first = icon.entries[0];
  EXPECT_EQ(first.width, first_size);
  EXPECT_EQ(first.height, first_size);
  EXPECT_EQ(first.bpp, first_bpp);
  EXPECT_EQ(first.colours, 1 << first_bpp);

  std::set<int> sizes;
  for (const Entry& e : icon.entries) {
    SCOPED_TRACE(std::to_string(e.width) + "x" + std::to_string(e.height));
    EXPECT_EQ(e.width, e.height);
    EXPECT_EQ(e.bpp, first_bpp) << "every size keeps the colour depth";
    EXPECT_TRUE(sizes.insert(e.width).second) << "each size once";
    std::size_t expected = 40 + 4 * (static_cast<std::size_t>(1) << e.bpp) + RowBytes(e.width, e.bpp) * e.height +
                           RowBytes(e.width, 1) * e.height;
    ASSERT_EQ(e.size, expected);
    ASSERT_LE(static_cast<std::size_t>(e.offset) + e.size, icon.bytes.size());
    const auto& b = icon.bytes;
    EXPECT_EQ(U32(b, e.offset), 40u);
    EXPECT_EQ(static_cast<int>(U32(b, e.offset + 4)), e.width);
    EXPECT_EQ(static_cast<int>(U32(b, e.offset + 8)), 2 * e.height) << "colour bits and mask";
    EXPECT_EQ(U16(b, e.offset + 14), e.bpp);
    EXPECT_EQ(U32(b, e.offset + 16), 0u) << "uncompressed";

    // The system makes an icon of this size from it.
    HICON handle = CreateIconFromResourceEx(const_cast<BYTE*>(b.data() + e.offset), e.size, TRUE, 0x00030000,
                                            e.width, e.height, LR_DEFAULTCOLOR);
    ASSERT_NE(handle, nullptr) << "error " << GetLastError();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP mask{};
    GetObjectW(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, e.width);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(handle);

    // A transparent pixel must have colour 0 (black), or the screen shows
    // it inverted; the corners are transparent and the picture is not empty.
    int opaque = 0;
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x) {
        if (TransparentAt(icon, e, x, y))
          ASSERT_EQ(ColourAt(icon, e, x, y), 0) << "pixel " << x << "," << y;
        else
          ++opaque;
      }
    EXPECT_GT(opaque, e.width * e.height / 4);
  }
  EXPECT_TRUE(sizes.count(first_size));
}

TEST(Icons, ProgramIconsAre32x32In16ColoursAndWellFormed) {
  for (const char* program : kPrograms) ExpectWellFormed(program, "app", 32, 4);
}

TEST(Icons, WindowIconsAre16x16InTwoColoursAndWellFormed) {
  for (const char* program : kPrograms) ExpectWellFormed(program, "small", 16, 1);
}

TEST(Icons, TwoColourIconsAreBlackAndWhite) {
  for (const char* program : kPrograms) {
    IconFile icon = Load(program, "small");
    ASSERT_FALSE(icon.entries.empty()) << program;
    const Entry& e = icon.entries[0];
    const unsigned char* palette = icon.bytes.data() + e.offset + 40;
    const unsigned char black_white[8] = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
    EXPECT_EQ(std::memcmp(palette, black_white, 8), 0) << program;
  }
}

// A copied picture would leave two programs looking alike.
TEST(Icons, EveryProgramHasItsOwnPictures) {
  for (const char* kind : {"app", "small"}) {
    std::set<std::string> pictures;
    for (const char* program : kPrograms) {
      IconFile icon = Load(program, kind);
      ASSERT_FALSE(icon.entries.empty()) << program << " " << kind;
      const Entry& e = icon.entries[0];
      std::string pixels(icon.bytes.begin() + e.offset, icon.bytes.begin() + e.offset + e.size);
      EXPECT_TRUE(pictures.insert(pixels).second) << program << " " << kind << " looks like another program's";
    }
  }
}

}  // namespace
