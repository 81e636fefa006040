// Numbers as scripts, plugins and settings read and print them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "text/NumberText.h"

namespace quillon::text {
namespace {

TEST(NumberText, NumbersPrintAsCStrPrintsThem) {
  EXPECT_EQ(FormatDouble(0.1 + 0.2), "0.3");
  EXPECT_EQ(FormatDouble(1e15), "1E+15");
  EXPECT_EQ(FormatDouble(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatDouble(-0.0001), "-0.0001");
  EXPECT_EQ(FormatDouble(0.00001), "1E-05");
  EXPECT_EQ(FormatDouble(-0.0), "0");  // no "-0"
  EXPECT_EQ(FormatDouble(0.1, 17), "0.10000000000000001");
  EXPECT_EQ(FormatCurrency(-12345), "-1.2345");
  EXPECT_EQ(FormatCurrency(20000), "2");
  EXPECT_EQ(FormatCurrency(5), "0.0005");
  EXPECT_EQ(FormatCurrency(std::numeric_limits<int64_t>::min()), "-922337203685477.5808");
}

TEST(NumberText, NumericTextIsReadTheWayIsNumericReadsIt) {
  double n = 0;
  for (const char* text : {"12", " -3.5 ", "1,234", "1e3", "&HFF", "&o17", ".5", "+7", "2D2"}) {
    EXPECT_TRUE(ParseNumber(text, n)) << text;
  }
  for (const char* text : {"", " ", "abc", "1.2.3", "1e", "&H", "&HG", "12abc", ",5", "--1"}) {
    EXPECT_FALSE(ParseNumber(text, n)) << text;
  }
  ASSERT_TRUE(ParseNumber("&HFFFF", n));
  EXPECT_EQ(n, -1);
  ASSERT_TRUE(ParseNumber("&H10000", n));
  EXPECT_EQ(n, 65536);
}

// The edges: where hexadecimal and octal wrap, what may stand around the digits, and values a
// double cannot hold (which must fail rather than come back as infinity).
TEST(NumberText, EdgesOfTheNumberForms) {
  struct Case {
    const char* text;
    std::optional<double> value;
  };
  const Case cases[] = {
      {"&H7FFF", 32767},
      {"&H8000", -32768},  // four digits: a 16-bit Integer
      {"&H0FFFF", 65535},  // five digits: a Long, even with a leading zero
      {"&H7FFFFFFF", 2147483647},
      {"&HFFFFFFFF", -1},             // eight digits wrap at 32 bits
      {"&H100000000", std::nullopt},  // nine digits never fit
      {"&hff", 255},
      {"-&H10", -16},
      {"&O177777", -1},
      {"&O200000", 65536},
      {"&O8", std::nullopt},
      {"&X1", std::nullopt},
      {"1,234,567.25", 1234567.25},
      {"1.", 1},
      {".", std::nullopt},
      {"- 5", -5},  // blanks may follow the sign
      {"\t12\r\n", 12},
      {"1 2", std::nullopt},
      {"1e+3", 1000},
      {"1E-2", 0.01},
      {"1e", std::nullopt},
      {"1e400", std::nullopt},
      {"-1e400", std::nullopt},
      {"1.5e-400", 0},  // too small is zero, not a failure
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
  };
  for (const Case& c : cases) {
    double n = 12345;
    bool parsed = ParseNumber(c.text, n);
    EXPECT_EQ(parsed, c.value.has_value()) << c.text;
    if (parsed && c.value) {
      EXPECT_DOUBLE_EQ(n, *c.value) << c.text;
      EXPECT_TRUE(std::isfinite(n)) << c.text;
    }
  }
}

}  // namespace
}  // namespace quillon::text
