// The program's fonts: which face its windows take at a DPI, from what the
// system says of the faces it has, and every font made once per style, face
// and size and owned here, not by controls.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>

namespace jj {

enum FontStyle : unsigned {
  kFontDefault = 0,
  kFontBold = 1,
  kFontUnderline = 2,
  kFontCentralEurope = 4,  // character set 238
};

// The face the windows were drawn for.
inline constexpr wchar_t kDescribedFace[] = L"MS Sans Serif";

// A face and a text height (the character cell, as GetTextMetrics reports
// it) in pixels, shared by every text of a program's windows.
struct FontChoice {
  std::wstring face;
  int height = 0;
  // Where the height is below the nominal one: the text that did not fit its
  // box (or whose bold did not show) one pixel higher.
  std::wstring limit;
  bool operator==(const FontChoice&) const = default;
};

// What the system says of a face: not there, drawn from bitmaps of a few
// fixed sizes only, or scalable to any size.
enum class FaceKind { kMissing, kBitmap, kScalable };

// The kind of one entry of a face's enumeration (EnumFontFamiliesEx), from
// its font type and its text metrics' pitch and family bits.
FaceKind EntryKind(DWORD font_type, BYTE pitch_and_family);

// The system's answers that decide the face.
struct FaceAnswers {
  std::function<FaceKind(const std::wstring&)> kind;
  // Whether the face's bold draws visibly bolder than its regular weight at
  // the nominal size or within a tenth below it.
  std::function<bool(const std::wstring&)> bold_shows;
  std::function<std::wstring()> message_face;  // the face the system's message font resolves to
  std::function<std::wstring()> sans_face;     // the face a plain scalable sans-serif request resolves to
};

// The face of all windows at a DPI: at 96 DPI the described face wherever it
// is installed, as the windows were drawn for it; otherwise the first
// scalable face whose bold shows of: the described face's scalable twin
// (Microsoft Sans Serif), the described face itself where the system scales
// it, Tahoma, the system's message font, the system's sans-serif.
std::wstring ChooseFace(UINT dpi, const FaceAnswers& answers);

class Fonts {
 public:
  ~Fonts();
  HFONT Get(unsigned style, const FontChoice& choice);
  // Whether a face is installed in a character set.
  static bool HasCharset(const std::wstring& face, BYTE charset);
  // The nominal text height at a DPI: that of the described face at
  // 8 points, 13 pixels at 96 DPI, grown with the DPI as the layout grows.
  static int NominalHeight(UINT dpi);
  // The system's answers about a face, its message font and its sans-serif.
  static FaceKind Kind(const std::wstring& face);
  static std::wstring MessageFace();
  static std::wstring SansFace();

 private:
  std::map<std::tuple<unsigned, std::wstring, int>, HFONT> cache_;
};
Fonts& ProgramFonts();

}  // namespace jj
