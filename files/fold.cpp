#include "files/fold.h"

#include <windows.h>

#include <memory>

namespace jj {

namespace {

struct Run {
  unsigned first, last;
  int delta;
  unsigned step;
};

constexpr Run kRuns[] = {
#include "files/foldtable.inc"
};

// The runs spread out over every unit, once, when first needed: made at run
// time so that the program file carries only the runs.
const wchar_t* Table() {
  static const std::unique_ptr<wchar_t[]> table = [] {
    volatile unsigned size = 0x10000;  // not folded into a constant table
    auto t = std::make_unique<wchar_t[]>(size);
    for (unsigned c = 0; c < size; ++c) t[c] = static_cast<wchar_t>(c);
    for (const Run& r : kRuns)
      for (unsigned c = r.first; c <= r.last; c += r.step) t[c] = static_cast<wchar_t>(static_cast<int>(c) + r.delta);
    return t;
  }();
  return table.get();
}

}  // namespace

wchar_t FoldChar(wchar_t c) { return Table()[static_cast<unsigned short>(c)]; }

std::wstring FoldCase(std::wstring_view text) {
  std::wstring out;
  FoldInto(text, out);
  return out;
}

void FoldInto(std::wstring_view text, std::wstring& out) {
  const wchar_t* table = Table();
  out.assign(text);
  for (wchar_t& c : out) c = table[static_cast<unsigned short>(c)];
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
