#pragma once
// Numbers as scripts and the settings they write read and print them: the variant rules of the
// script host (what IsNumeric, CDbl and CStr do, en-US formats). The status plugins and the
// program's own settings read numbers the same way, which is why this lives beside the other
// text helpers rather than in the script engine.
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon::text {

// The number a string stands for, as IsNumeric and CDbl read it: blanks around, a sign,
// thousands separators, a decimal point, an exponent ("E" or "D"), "&H" hexadecimal and "&O"
// octal. "&H" with up to four digits is a 16-bit Integer and wraps to negative, as does a
// longer one at 32 bits. False for anything else, and for a value too large for a double.
bool ParseNumber(std::string_view text, double& out);

// Numbers as CStr writes them: up to `significant_digits` digits, exponent form for very large
// and very small magnitudes ("1E+15", "1E-05").
std::string FormatDouble(double value, int significant_digits = 15);

// A currency amount, held as a count of ten-thousandths, without trailing zeros ("-1.2345", "2").
std::string FormatCurrency(int64_t ten_thousandths);

}  // namespace quillon::text
