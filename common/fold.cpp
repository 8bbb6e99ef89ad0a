#include "fold.h"

#include <memory>

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
  const wchar_t* table = Table();
  std::wstring out(text);
  for (wchar_t& c : out) c = table[static_cast<unsigned short>(c)];
  return out;
}

}  // namespace jj
