// Small text helpers shared by the three programs: the size text and the
// system's reason for a failure.
#pragma once
#include <cstdint>
#include <string>

namespace jj {

// Line break inside a message box text: a lone carriage return.
inline constexpr wchar_t CR[] = L"\r";

// "n bytes (k kilobytes)", k = n / 1024 truncated. Computed from the full
// 64-bit length, so large files never show a negative number.
std::wstring SizeText(std::uint64_t bytes);

// Shown in a size label when the length of a picked file cannot be read.
inline constexpr wchar_t kSizeUnknown[] = L"(size unknown: the file cannot be read)";

// The system's own text for an error code, without a trailing line break;
// "error N" when the system has no text for it.
std::wstring SystemMessage(unsigned long code);

}  // namespace jj
