#include "filelist.h"

#include <windows.h>

#include <algorithm>
#include <numeric>
#include <span>

#include "paths.h"

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

namespace {

// Natural order as a three-way comparison: negative, zero or positive.
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

}  // namespace

bool NaturalLess(std::wstring_view a, std::wstring_view b) { return NaturalCompare(a, b) < 0; }

void FileList::SetPattern(std::wstring pattern) {
  pattern_ = std::move(pattern);
  folded_patterns_ = SplitPatterns(FoldCase(pattern_));
}

namespace {

// One list being filled by a pass over the folder.
struct Pass {
  const std::vector<std::wstring>* patterns;  // folded
  std::vector<std::wstring>* names;
  std::vector<std::wstring> folded;  // the folded names, beside `names`
};

// Natural order, each name's comparison key computed once; names that differ
// only in letter case keep a fixed order among themselves.
void SortNatural(std::vector<std::wstring>& names, const std::vector<std::wstring>& folded) {
  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
    int c = NaturalCompare(folded[x], folded[y]);
    if (c != 0) return c < 0;
    return names[x] < names[y];  // same name in other letter case
  });
  std::vector<std::wstring> sorted;
  sorted.reserve(order.size());
  for (std::size_t k : order) sorted.push_back(std::move(names[k]));
  names = std::move(sorted);
}

// One enumeration of the folder fills every pass: each name is folded once
// and matched against each list's patterns.
unsigned long ReadFolder(const std::wstring& folder, std::span<Pass> passes) {
  for (Pass& pass : passes) pass.names->clear();
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileExW(Exact(InFolder(folder, L"*")).c_str(), FindExInfoBasic, &data,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES ? 0 : error;
  }
  constexpr DWORD kSkip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  do {
    if (data.dwFileAttributes & kSkip) continue;
    std::wstring key = FoldCase(data.cFileName);
    for (Pass& pass : passes) {
      for (const auto& pattern : *pass.patterns) {
        if (WildcardMatch(pattern, key)) {
          pass.names->emplace_back(data.cFileName);
          pass.folded.push_back(key);
          break;
        }
      }
    }
  } while (FindNextFileW(find, &data));
  DWORD error = GetLastError();
  FindClose(find);
  if (error != ERROR_NO_MORE_FILES) {
    for (Pass& pass : passes) pass.names->clear();
    return error;
  }
  for (Pass& pass : passes) SortNatural(*pass.names, pass.folded);
  return 0;
}

}  // namespace

unsigned long FileList::Refresh() {
  Pass pass{&folded_patterns_, &names_, {}};
  return ReadFolder(folder_, std::span<Pass>(&pass, 1));
}

unsigned long FileList::RefreshWith(FileList& also) {
  if (&also == this) return Refresh();
  if (also.folder_ != folder_) {
    unsigned long error = Refresh();
    unsigned long other = also.Refresh();
    return error ? error : other;
  }
  Pass passes[] = {{&folded_patterns_, &names_, {}}, {&also.folded_patterns_, &also.names_, {}}};
  return ReadFolder(folder_, passes);
}

}  // namespace jj
