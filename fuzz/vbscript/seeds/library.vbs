s = Replace(UCase(Trim("  abc  ")), "B", "-") & Space(2) & String(3, "x")
a = Split("a,b,c", ",") : j = Join(a, ";") : f = Filter(a, "b")
d = DateAdd("m", 1, #1/31/2024#) & FormatDateTime(Now, vbLongDate) & DateDiff("d", Date, #12/25/2026#)
n = FormatNumber(1234.5678, 2) & FormatPercent(0.5) & Round(2.5) & Int(-2.5) & Hex(255) & Sqr(2)
t = TypeName(CCur(1)) & VarType(CDate("1/1/2000")) & IsNumeric("1e3") & InStrRev("abcabc", "c")
x = &HFF + &O17 - 1.5E3 \ 7 Mod 3 ^ 2 And Not 5 Or 3 Xor 1 Eqv 0 Imp -1
