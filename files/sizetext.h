// The size of a file as the programs show it.
#pragma once
#include <cstdint>
#include <string>

namespace jj {

// "n bytes (k kilobytes)", k = n / 1024 truncated. Computed from the full
// 64-bit length, so large files never show a negative number.
std::wstring SizeText(std::uint64_t bytes);

// Shown in a size label when the length of a picked file cannot be read.
inline constexpr wchar_t kSizeUnknown[] = L"(size unknown: the file cannot be read)";

}  // namespace jj
