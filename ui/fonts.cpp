#include "ui/fonts.h"

namespace jj {

namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found) {
  *reinterpret_cast<DWORD*>(found) |= (type & TRUETYPE_FONTTYPE) ? 2 : 1;
  return 1;
}

// 0: no such face in that character set; bit 1: a raster (bitmap) face; bit 2: a scalable one.
DWORD FaceKinds(const wchar_t* face, BYTE charset) {
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  DWORD found = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

const wchar_t* const kFaces[] = {kDescribedFace, L"Microsoft Sans Serif", L"Tahoma", L"Arial"};
// Stand-ins where none of the above is installed (a Wine prefix without
// Wine's own fonts has only the system's), then narrower faces.
const wchar_t* const kMoreFaces[] = {L"Liberation Sans", L"DejaVu Sans", L"Arial Narrow", L"Liberation Sans Narrow",
                                     L"DejaVu Sans Condensed"};

}  // namespace

bool Fonts::HasCharset(const std::wstring& face, BYTE charset) { return FaceKinds(face.c_str(), charset) != 0; }

int Fonts::NominalHeight(UINT dpi) { return MulDiv(825, static_cast<int>(dpi), 7200); }  // 8.25 points

std::vector<std::wstring> Fonts::InstalledFaces() {
  static const std::vector<std::wstring> faces = [] {
    std::vector<std::wstring> found;
    for (const wchar_t* face : kFaces)
      if (FaceKinds(face, DEFAULT_CHARSET)) found.emplace_back(face);
    for (const wchar_t* face : kMoreFaces)
      if (FaceKinds(face, DEFAULT_CHARSET)) found.emplace_back(face);
    return found;
  }();
  return faces;
}

Fonts::~Fonts() {
  for (auto& [key, font] : cache_) DeleteObject(font);
}

HFONT Fonts::Get(unsigned style, UINT dpi) {
  std::vector<std::wstring> faces = InstalledFaces();
  return Get(style, FontChoice{faces.empty() ? L"MS Shell Dlg" : faces.front(), NominalHeight(dpi)});
}

HFONT Fonts::Get(unsigned style, const FontChoice& choice) {
  style &= kFontBold | kFontUnderline | kFontCentralEurope;
  auto key = std::make_tuple(style, choice.face, choice.height);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -choice.height;
  lf.lfWeight = (style & kFontBold) ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = (style & kFontUnderline) ? TRUE : FALSE;
  // Central European where the face has it; otherwise the same face in its
  // own character set rather than a wider stand-in.
  bool central = (style & kFontCentralEurope) && HasCharset(choice.face, EASTEUROPE_CHARSET);
  lf.lfCharSet = central ? EASTEUROPE_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, choice.face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectW(&lf);
  cache_.emplace(key, font);
  return font;
}

Fonts& ProgramFonts() {
  static Fonts fonts;
  return fonts;
}

}  // namespace jj
