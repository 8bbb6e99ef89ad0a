#include "search.h"

namespace levels {

namespace {

std::wstring MapCase(std::wstring_view text, const wchar_t* locale, DWORD flags) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int n = LCMapStringEx(locale, flags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return std::wstring(text);  // the system cannot map it: keep the text as typed
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  n = LCMapStringEx(locale, flags, text.data(), size, out.data(), n, nullptr, nullptr, 0);
  if (n <= 0) return std::wstring(text);
  out.resize(static_cast<std::size_t>(n));
  return out;
}

}  // namespace

std::wstring LowerCase(std::wstring_view text, const wchar_t* locale) {
  return MapCase(text, locale, LCMAP_LOWERCASE);
}

std::wstring UpperCase(std::wstring_view text, const wchar_t* locale) {
  return MapCase(text, locale, LCMAP_UPPERCASE);
}

std::wstring SearchPattern(std::wstring_view text, const wchar_t* locale) {
  return L"*" + LowerCase(text, locale) + L"*.j2l;*" + UpperCase(text, locale) + L"*.J2L";
}

}  // namespace levels
