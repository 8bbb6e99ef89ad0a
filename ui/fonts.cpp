#include "ui/fonts.h"

#include "ui/system.h"

namespace jj {

FaceKind EntryKind(DWORD font_type, BYTE pitch_and_family) {
  bool scalable = (font_type & TRUETYPE_FONTTYPE) || (pitch_and_family & (TMPF_VECTOR | TMPF_TRUETYPE));
  return scalable ? FaceKind::kScalable : FaceKind::kBitmap;
}

std::wstring ChooseFace(UINT dpi, const FaceAnswers& answers) {
  if (dpi == kBaseDpi && answers.kind(kDescribedFace) != FaceKind::kMissing) return kDescribedFace;
  std::wstring message = answers.message_face();
  const std::wstring candidates[] = {L"Microsoft Sans Serif", kDescribedFace, L"Tahoma", message,
                                     answers.sans_face()};
  for (const std::wstring& face : candidates)
    if (!face.empty() && answers.kind(face) == FaceKind::kScalable && answers.bold_shows(face)) return face;
  // No bold shows anywhere: the first scalable face, else what the system draws messages in.
  for (const std::wstring& face : candidates)
    if (!face.empty() && answers.kind(face) == FaceKind::kScalable) return face;
  return message.empty() ? L"MS Shell Dlg" : message;
}

namespace {

// Scalable when any of the face's entries is.
int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW* tm, DWORD type, LPARAM found) {
  auto& kind = *reinterpret_cast<FaceKind*>(found);
  if (kind != FaceKind::kScalable) kind = EntryKind(type, tm->tmPitchAndFamily);
  return 1;
}

FaceKind Enumerate(const std::wstring& face, BYTE charset) {
  LOGFONTW lf{};
  lf.lfCharSet = charset;
  wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  FaceKind kind = FaceKind::kMissing;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &lf, FoundFace, reinterpret_cast<LPARAM>(&kind), 0);
  ReleaseDC(nullptr, dc);
  return kind;
}

// The face the system draws a font request with.
std::wstring Resolved(const LOGFONTW& lf) {
  HFONT font = CreateFontIndirectW(&lf);
  if (!font) return L"";
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return face;
}

}  // namespace

bool Fonts::HasCharset(const std::wstring& face, BYTE charset) {
  return Enumerate(face, charset) != FaceKind::kMissing;
}

int Fonts::NominalHeight(UINT dpi) { return ScaleToDpi(13, dpi); }

FaceKind Fonts::Kind(const std::wstring& face) { return Enumerate(face, DEFAULT_CHARSET); }

std::wstring Fonts::MessageFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return L"";
  return Resolved(metrics.lfMessageFont);
}

std::wstring Fonts::SansFace() {
  LOGFONTW lf{};
  lf.lfHeight = 13;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  return Resolved(lf);
}

Fonts::~Fonts() {
  for (auto& [key, font] : cache_) DeleteObject(font);
}

HFONT Fonts::Get(unsigned style, const FontChoice& choice) {
  style &= kFontBold | kFontUnderline | kFontCentralEurope;
  auto key = std::make_tuple(style, choice.face, choice.height);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = choice.height;  // the character cell: the same text height in every face
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
