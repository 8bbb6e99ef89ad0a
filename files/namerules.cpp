#include "files/namerules.h"

namespace jj {

std::vector<std::wstring> SplitPatterns(std::wstring_view list) {
  std::vector<std::wstring> out;
  std::size_t start = 0;
  for (;;) {
    std::size_t semi = list.find(L';', start);
    out.emplace_back(list.substr(start, semi == std::wstring_view::npos ? semi : semi - start));
    if (semi == std::wstring_view::npos) break;
    start = semi + 1;
  }
  return out;
}

namespace {

bool IsHigh(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Length in UTF-16 units of the character at i (a surrogate pair is one).
std::size_t CharLen(std::wstring_view s, std::size_t i) {
  return (IsHigh(s[i]) && i + 1 < s.size() && IsLow(s[i + 1])) ? 2 : 1;
}

// Sort weight of a non-digit character: blanks and ASCII punctuation before
// digits and letters, as the desktop's file views sort.
unsigned Weight(wchar_t c) {
  bool punct = c < 0x80 && !(c >= L'0' && c <= L'9') && !(c >= L'A' && c <= L'Z');
  return punct ? c : 0x100u + c;
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool WildcardMatch(std::wstring_view p, std::wstring_view s) {
  std::size_t pi = 0, si = 0;
  std::size_t star = std::wstring_view::npos, resume = 0;
  while (si < s.size()) {
    if (pi < p.size() && p[pi] == L'*') {
      star = ++pi;
      resume = si;
    } else if (pi < p.size() && p[pi] == L'?') {
      ++pi;
      si += CharLen(s, si);
    } else if (pi < p.size() && p[pi] == s[si]) {
      ++pi;
      ++si;
    } else if (star != std::wstring_view::npos) {
      pi = star;
      resume += CharLen(s, resume);
      si = resume;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == L'*') ++pi;
  return pi == p.size();
}

int NaturalCompare(std::wstring_view a, std::wstring_view b) {
  std::size_t i = 0, j = 0;
  int zeros = 0;  // tie-break: fewer leading zeros first ("2" before "02")
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      std::size_t i0 = i, j0 = j;
      while (i < a.size() && a[i] == L'0') ++i;
      while (j < b.size() && b[j] == L'0') ++j;
      std::size_t ia = i, jb = j;
      while (i < a.size() && IsDigit(a[i])) ++i;
      while (j < b.size() && IsDigit(b[j])) ++j;
      std::size_t la = i - ia, lb = j - jb;
      if (la != lb) return la < lb ? -1 : 1;
      int c = a.substr(ia, la).compare(b.substr(jb, lb));
      if (c != 0) return c < 0 ? -1 : 1;
      if (!zeros) zeros = static_cast<int>(ia - i0) - static_cast<int>(jb - j0);
      continue;
    }
    if (a[i] != b[j]) {
      // A digit run sorts before any other character but blanks and punctuation.
      unsigned wa = IsDigit(a[i]) ? 0xFF : Weight(a[i]);
      unsigned wb = IsDigit(b[j]) ? 0xFF : Weight(b[j]);
      return wa < wb ? -1 : 1;
    }
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return i == a.size() ? -1 : 1;
  return zeros < 0 ? -1 : zeros > 0 ? 1 : 0;
}

}  // namespace jj
