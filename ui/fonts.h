// The program's fonts: the faces we look for, and every font made once per
// style, face and size and owned here, not by controls.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace jj {

enum FontStyle : unsigned {
  kFontDefault = 0,
  kFontBold = 1,
  kFontUnderline = 2,
  kFontCentralEurope = 4,  // character set 238
};

// The face the windows were drawn for.
inline constexpr wchar_t kDescribedFace[] = L"MS Sans Serif";

// A face and a character height in pixels, shared by every text of a window.
struct FontChoice {
  std::wstring face;
  int height = 0;
  bool operator==(const FontChoice&) const = default;
};

class Fonts {
 public:
  ~Fonts();
  // The first installed of our faces at the described size (8.25 points);
  // windows use their own choice (Window::Font).
  HFONT Get(unsigned style, UINT dpi);
  HFONT Get(unsigned style, const FontChoice& choice);
  // Whether a face is installed in a character set.
  static bool HasCharset(const std::wstring& face, BYTE charset);
  // The described size at a DPI, as a character height in pixels.
  static int NominalHeight(UINT dpi);
  // The faces to try, best first, that are installed: the described face,
  // its usual stand-ins, then narrower ones.
  static std::vector<std::wstring> InstalledFaces();

 private:
  std::map<std::tuple<unsigned, std::wstring, int>, HFONT> cache_;
};
Fonts& ProgramFonts();

}  // namespace jj
