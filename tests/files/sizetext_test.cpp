#include <gtest/gtest.h>

#include <cstdint>

#include "files/sizetext.h"

// Kilobytes truncated, and lengths past 2 and 4 GB never negative.
TEST(SizeText, EdgesAndLargeFiles) {
  const struct {
    std::uint64_t bytes;
    const wchar_t* text;
  } cases[] = {
      {0, L"0 bytes (0 kilobytes)"},
      {1023, L"1023 bytes (0 kilobytes)"},
      {1024, L"1024 bytes (1 kilobytes)"},
      {1536, L"1536 bytes (1 kilobytes)"},
      {2600, L"2600 bytes (2 kilobytes)"},
      {1048576, L"1048576 bytes (1024 kilobytes)"},
      {2147483648ull, L"2147483648 bytes (2097152 kilobytes)"},
      {3221225472ull, L"3221225472 bytes (3145728 kilobytes)"},
      {9999999999ull, L"9999999999 bytes (9765624 kilobytes)"},
  };
  for (const auto& c : cases) EXPECT_EQ(jj::SizeText(c.bytes), c.text) << c.bytes;
}
