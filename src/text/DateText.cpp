#include "text/DateText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "text/ScriptDate.h"
#include "text/Strings.h"

namespace quillon::text {
namespace {

struct DateToken {
  enum Kind { kNumber, kWord, kSeparator } kind;
  std::string text;
  int number = 0;
};

int MonthOfName(std::string_view word) {
  static constexpr const char* kMonths[] = {"january",   "february", "march",    "april",
                                            "may",       "june",     "july",     "august",
                                            "september", "october",  "november", "december"};
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    std::string_view name = kMonths[m];
    if (StartsWithAsciiNoCase(name, word)) return m + 1;
  }
  return 0;
}

bool IsWeekdayName(std::string_view word) {
  static constexpr const char* kDays[] = {"sunday",   "monday", "tuesday", "wednesday",
                                          "thursday", "friday", "saturday"};
  if (word.size() < 3) return false;
  for (const char* day : kDays) {
    std::string_view name = day;
    if (StartsWithAsciiNoCase(name, word)) return true;
  }
  return false;
}

bool ValidDate(int year, int month, int day) {
  return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

int FullYear(const DateToken& token) {
  if (token.text.size() <= 2) return token.number < 30 ? 2000 + token.number : 1900 + token.number;
  return token.number;
}

}  // namespace

bool ParseDate(std::string_view text, double& serial) {
  std::vector<DateToken> tokens;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      size_t start = i;
      while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
      if (i - start > 4) return false;
      DateToken token{DateToken::kNumber, std::string(text.substr(start, i - start))};
      token.number = std::atoi(token.text.c_str());
      tokens.push_back(token);
    } else if (std::isalpha(c)) {
      size_t start = i;
      while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
      tokens.push_back({DateToken::kWord, std::string(text.substr(start, i - start))});
    } else if (c == '/' || c == '-' || c == ':' || c == ',' || c == '.') {
      tokens.push_back({DateToken::kSeparator, std::string(1, static_cast<char>(c))});
      ++i;
    } else if (IsWhitespace(static_cast<char>(c))) {
      ++i;
    } else {
      return false;
    }
  }
  if (tokens.empty()) return false;

  // The time: numbers joined by ":" and an optional AM/PM word.
  bool has_time = false;
  int hour = 0, minute = 0, second = 0;
  std::vector<DateToken> date_tokens;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == DateToken::kNumber && i + 2 < tokens.size() &&
        tokens[i + 1].text == ":" && tokens[i + 2].kind == DateToken::kNumber) {
      if (has_time) return false;
      has_time = true;
      hour = tokens[i].number;
      minute = tokens[i + 2].number;
      i += 2;
      if (i + 2 < tokens.size() && tokens[i + 1].text == ":" &&
          tokens[i + 2].kind == DateToken::kNumber) {
        second = tokens[i + 2].number;
        i += 2;
      }
      if (i + 1 < tokens.size() && tokens[i + 1].kind == DateToken::kWord) {
        std::string_view word = tokens[i + 1].text;
        bool am = EqualsAsciiNoCase(word, "am") || EqualsAsciiNoCase(word, "a");
        bool pm = EqualsAsciiNoCase(word, "pm") || EqualsAsciiNoCase(word, "p");
        if (am || pm) {
          if (hour < 1 || hour > 12) return false;
          if (am && hour == 12) hour = 0;
          if (pm && hour != 12) hour += 12;
          ++i;
        }
      }
      if (hour > 23 || minute > 59 || second > 59) return false;
      continue;
    }
    if (tokens[i].kind == DateToken::kNumber && i + 1 < tokens.size() &&
        tokens[i + 1].kind == DateToken::kWord) {
      // "3 PM"
      std::string_view word = tokens[i + 1].text;
      bool am = EqualsAsciiNoCase(word, "am");
      bool pm = EqualsAsciiNoCase(word, "pm");
      if (am || pm) {
        if (has_time || tokens[i].number < 1 || tokens[i].number > 12) return false;
        has_time = true;
        hour = tokens[i].number % 12 + (pm ? 12 : 0);
        ++i;
        continue;
      }
    }
    date_tokens.push_back(tokens[i]);
  }

  std::vector<DateToken> numbers;
  int named_month = 0;
  for (const auto& token : date_tokens) {
    if (token.kind == DateToken::kNumber) {
      numbers.push_back(token);
    } else if (token.kind == DateToken::kWord) {
      if (int month = MonthOfName(token.text)) {
        if (named_month) return false;
        named_month = month;
      } else if (!IsWeekdayName(token.text)) {
        return false;
      }
    }
  }
  bool has_date = !numbers.empty() || named_month;
  if (!has_date && !has_time) return false;
  double day_number = 0;
  if (has_date) {
    int year = 0, month = 0, day = 0;
    if (named_month) {
      if (numbers.size() != 2) return false;
      month = named_month;
      // "June 12, 2026" or "12 June 2026": the four-digit (or larger) number is the year.
      if (numbers[0].text.size() >= 3 || numbers[0].number > 31) {
        year = FullYear(numbers[0]);
        day = numbers[1].number;
      } else {
        day = numbers[0].number;
        year = FullYear(numbers[1]);
      }
    } else {
      if (numbers.size() != 3) return false;
      if (numbers[0].text.size() >= 3) {
        year = numbers[0].number;
        month = numbers[1].number;
        day = numbers[2].number;
      } else {
        month = numbers[0].number;
        day = numbers[1].number;
        year = FullYear(numbers[2]);
        // A first number that cannot be a month is the day, as in 13/6/2026.
        if (!ValidDate(year, month, day) && ValidDate(year, day, month)) std::swap(month, day);
      }
    }
    if (!ValidDate(year, month, day)) return false;
    day_number = ScriptDayNumber(year, month, day);
  }
  serial = ScriptDateJoin(day_number, ScriptTimeFraction(hour, minute, second));
  return true;
}

std::string FormatDate(double serial) {
  ScriptDateParts parts = ScriptDateSplit(serial);
  char buffer[64];
  std::string text;
  bool has_time = parts.hour != 0 || parts.minute != 0 || parts.second != 0;
  bool has_date = std::trunc(serial) != 0 || !has_time;
  if (has_date) {
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d", parts.month, parts.day, parts.year);
    text = buffer;
  }
  if (has_time) {
    int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, parts.minute, parts.second,
                  parts.hour < 12 ? "AM" : "PM");
    if (!text.empty()) text += ' ';
    text += buffer;
  }
  return text;
}

}  // namespace quillon::text
