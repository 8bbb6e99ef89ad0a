#include "fold.h"

#include <windows.h>

#include <array>

namespace jj {

namespace {

struct Run {
  unsigned first, last;
  int delta;
  unsigned step;
};

constexpr Run kRuns[] = {
#include "foldtable.inc"
};

// The runs spread out over every unit, once.
const std::array<wchar_t, 0x10000>& Table() {
  static const std::array<wchar_t, 0x10000> table = [] {
    std::array<wchar_t, 0x10000> t{};
    for (unsigned c = 0; c < t.size(); ++c) t[c] = static_cast<wchar_t>(c);
    for (const Run& r : kRuns)
      for (unsigned c = r.first; c <= r.last; c += r.step) t[c] = static_cast<wchar_t>(static_cast<int>(c) + r.delta);
    return t;
  }();
  return table;
}

}  // namespace

wchar_t FoldChar(wchar_t c) { return Table()[static_cast<unsigned short>(c)]; }

std::wstring FoldCase(std::wstring_view text) {
  const auto& table = Table();
  std::wstring out(text);
  for (wchar_t& c : out) c = table[static_cast<unsigned short>(c)];
  return out;
}

namespace {

std::wstring MapCase(std::wstring_view text, const wchar_t* locale, DWORD flags) {
  if (text.empty()) return {};
  int size = static_cast<int>(text.size());
  int n = LCMapStringEx(locale, flags, text.data(), size, nullptr, 0, nullptr, nullptr, 0);
  if (n <= 0) return std::wstring(text);
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

}  // namespace jj
