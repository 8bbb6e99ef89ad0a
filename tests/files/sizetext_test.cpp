#include <gtest/gtest.h>

#include "files/sizetext.h"

TEST(SizeText, EdgesAndLargeFiles) {
  EXPECT_EQ(jj::SizeText(0), L"0 bytes (0 kilobytes)");
  EXPECT_EQ(jj::SizeText(1023), L"1023 bytes (0 kilobytes)");
  EXPECT_EQ(jj::SizeText(1024), L"1024 bytes (1 kilobytes)");
  EXPECT_EQ(jj::SizeText(1536), L"1536 bytes (1 kilobytes)");
  EXPECT_EQ(jj::SizeText(2600), L"2600 bytes (2 kilobytes)");
  EXPECT_EQ(jj::SizeText(1048576), L"1048576 bytes (1024 kilobytes)");
  EXPECT_EQ(jj::SizeText(2147483648ull), L"2147483648 bytes (2097152 kilobytes)");
  EXPECT_EQ(jj::SizeText(3221225472ull), L"3221225472 bytes (3145728 kilobytes)");
}
