// Dates as scripts read and print them, and the calendar under every date.
#include <gtest/gtest.h>

#include <optional>

#include "text/DateText.h"
#include "text/ScriptDate.h"

namespace quillon::text {
namespace {

TEST(DateText, DatesParseInTheFormsEnUsUsersWrite) {
  double serial = 0;
  const double june12 = ScriptDayNumber(2026, 6, 12);
  for (const char* text : {"6/12/2026", "2026-06-12", "June 12, 2026", "12 Jun 2026",
                           "Friday, June 12, 2026", "06/12/26"}) {
    ASSERT_TRUE(ParseDate(text, serial)) << text;
    EXPECT_EQ(serial, june12) << text;
  }
  ASSERT_TRUE(ParseDate("6/12/2026 3:04:05 PM", serial));
  EXPECT_EQ(FormatDate(serial), "6/12/2026 3:04:05 PM");
  ASSERT_TRUE(ParseDate("12:00 AM", serial));
  EXPECT_EQ(serial, 0);
  ASSERT_TRUE(ParseDate("12:30 PM", serial));
  EXPECT_EQ(FormatDate(serial), "12:30:00 PM");
  for (const char* text : {"2/30/2026", "13/13/2026", "25:00", "hello", "6/12", "1/1/99999"}) {
    EXPECT_FALSE(ParseDate(text, serial)) << text;
  }
}

// The edges: leap days, the century of two-digit years, a day written first, the twelve
// o'clocks, the ends of the range, and days before day 0, printed back as they were read.
TEST(DateText, EdgesReadAndPrintBack) {
  struct Case {
    const char* text;
    std::optional<const char*> printed;  // nullopt: not a date
  };
  const Case cases[] = {
      {"2/29/2024", "2/29/2024"},
      {"2/29/2023", std::nullopt},
      {"2/29/1900", std::nullopt},  // 1900 is no leap year
      {"2/29/2000", "2/29/2000"},
      {"1/1/29", "1/1/2029"},
      {"1/1/30", "1/1/1930"},
      {"13/6/2026", "6/13/2026"},  // 13 cannot be the month
      {"6/13/2026", "6/13/2026"},
      {"12 PM", "12:00:00 PM"},
      {"12 AM", "12/30/1899"},  // midnight of day 0 prints as the date
      {"3 pm", "3:00:00 PM"},
      {"0:30 PM", std::nullopt},  // no hour 0 on a twelve-hour clock
      {"13:00 PM", std::nullopt},
      {"23:59:59", "11:59:59 PM"},
      {"24:00", std::nullopt},
      {"12:60", std::nullopt},
      {"2026-06-12 15:04", "6/12/2026 3:04:00 PM"},
      {"1/1/100", "1/1/100"},
      {"12/31/9999", "12/31/9999"},
      {"1/1/10000", std::nullopt},
      {"12/29/1899 6:00 AM", "12/29/1899 6:00:00 AM"},
      {"Ju 12 2026", std::nullopt},  // too short to name a month
      {"June July 12", std::nullopt},
      {"1:2:3:4", std::nullopt},
      {"1/2/3/4", std::nullopt},
      {"6/12/2026 @", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    double serial = 0;
    bool parsed = ParseDate(c.text, serial);
    EXPECT_EQ(parsed, c.printed.has_value()) << c.text;
    if (parsed && c.printed) {
      EXPECT_EQ(FormatDate(serial), *c.printed) << c.text;
    }
  }
}

TEST(ScriptDate, CalendarRoundTripsAcrossTheWholeRange) {
  for (int year : {100, 1600, 1899, 1900, 2000, 2024, 9999}) {
    for (int month : {1, 2, 12}) {
      int last = DaysInMonth(year, month);
      double serial = ScriptDayNumber(year, month, last);
      ScriptDateParts parts = ScriptDateSplit(serial);
      EXPECT_EQ(parts.year, year);
      EXPECT_EQ(parts.month, month);
      EXPECT_EQ(parts.day, last);
    }
  }
  EXPECT_EQ(ScriptDayNumber(1899, 12, 30), 0);
  EXPECT_EQ(ScriptDayNumber(100, 1, 1), kScriptDateMin);
  EXPECT_EQ(ScriptDateSplit(ScriptDayNumber(2026, 6, 12)).weekday, 6);  // a Friday
  // Before day 0 the fraction still counts forward from midnight.
  ScriptDateParts early = ScriptDateSplit(-1.25);
  EXPECT_EQ(early.day, 29);
  EXPECT_EQ(early.hour, 6);
  EXPECT_EQ(ScriptDateJoin(-2, 0.25), -2.25);
  // DateSerial-style rollover in both directions.
  EXPECT_EQ(ScriptDayNumber(2024, 14, 1), ScriptDayNumber(2025, 2, 1));
  EXPECT_EQ(ScriptDayNumber(2024, 0, 1), ScriptDayNumber(2023, 12, 1));
  EXPECT_EQ(ScriptDayNumber(2024, 3, 0), ScriptDayNumber(2024, 2, 29));
  // A time that rounds up to midnight moves to the next day.
  EXPECT_EQ(ScriptDateSplit(1.9999999).day, 1);
  EXPECT_EQ(ScriptDateSplit(1.9999999).month, 1);
}

}  // namespace
}  // namespace quillon::text
