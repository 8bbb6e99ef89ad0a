#include "files/sizetext.h"

namespace jj {

std::wstring SizeText(std::uint64_t bytes) {
  return std::to_wstring(bytes) + L" bytes (" + std::to_wstring(bytes / 1024) + L" kilobytes)";
}

}  // namespace jj
