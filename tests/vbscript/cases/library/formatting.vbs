' FormatNumber, FormatPercent and FormatCurrency with en-US defaults.
WScript.Echo FormatNumber(1234.567), FormatNumber(1234.567, 0), FormatNumber(0.5, 2, 0), FormatNumber(-1234.5, 1)
' expect: 1,234.57 1,235 .50 -1,234.5
WScript.Echo FormatNumber(-5, 0, , -1), FormatNumber(1234567, 2, , , 0), FormatNumber("3.14159", 3)
' expect: (5) 1234567.00 3.142
WScript.Echo FormatPercent(0.256), FormatPercent(0.5, 0), FormatPercent(1 / 3, 1)
' expect: 25.60% 50% 33.3%
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-2), FormatCurrency(0.125, 2)
' expect: $1,234.50 ($2.00) $0.13
