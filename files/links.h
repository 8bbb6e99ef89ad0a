// Which entries of a folder lead elsewhere: symbolic links, junctions and
// mount points. Other reparse points (files kept in a cloud folder, files the
// system compressed or deduplicated, placeholders) are the files themselves.
#pragma once
#include <windows.h>

namespace jj {

// `attributes` and `tag` as the system reports them for one entry (the tag
// counts only where the attributes mark a reparse point). A reparse point
// whose tag the system did not give (0, which no real tag is) counts as a
// link: what it leads to cannot be told.
constexpr bool LeadsElsewhere(DWORD attributes, DWORD tag) {
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return tag == 0 || IsReparseTagNameSurrogate(tag) != 0;
}

}  // namespace jj
