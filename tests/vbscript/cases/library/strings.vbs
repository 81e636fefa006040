' The string functions, counting in characters even where a character takes several bytes.
s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Len(12345), Len(Null) & "|"
' expect: 12 Hello World World Wor 5 |
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "z"), InStr(1, s, "WORLD", 1), InStr(s, "")
' expect: 5 9 0 8 1
WScript.Echo InStrRev(s, "o"), InStrRev(s, "o", 8), InStrRev("abcabc", "bc")
' expect: 9 5 5
WScript.Echo Replace(s, "o", "0"), Replace("aAaA", "a", "-", 1, -1, 1), Replace("abcabc", "b", "", 3)
' expect: Hell0, W0rld ---- cac
WScript.Echo Replace("one two one", "one", "1", 1, 1)
' expect: 1 two one
parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts), "[" & parts(2) & "]", Join(parts, "+"), UBound(Split("a b c", " ", 2))
' expect: 3 [] a+b++c 1
WScript.Echo UCase("mixed Case"), LCase("MiXeD"), "[" & Trim("  pad  ") & "]", "[" & LTrim("  l") & "]", "[" & RTrim("r  ") & "]"
' expect: MIXED CASE mixed [pad] [l] [r]
WScript.Echo "[" & Space(3) & "]", String(4, "*"), String(3, 65), StrReverse("stressed")
' expect: [   ] **** AAA desserts
WScript.Echo Chr(65), Asc("a"), ChrW(8364), AscW("€"), Asc("€"), Chr(233)
' expect: A 97 € 8364 128 é
WScript.Echo Len("héllo"), Mid("héllo", 2, 2), UCase("été"), InStr("naïve café", "café"), StrReverse("añb")
' expect: 5 él ÉTÉ 7 bña
WScript.Echo Hex(255), Hex(-1), Hex(-1&), Oct(8), Hex(65536)
' expect: FF FFFF FFFFFFFF 10 10000
WScript.Echo StrComp("a", "B"), StrComp("a", "B", vbTextCompare), StrComp("x", "x")
' expect: 1 -1 0
WScript.Echo Join(Filter(Array("apple", "banana", "cherry"), "an")), Join(Filter(Array("apple", "banana"), "AN", False, 1))
' expect: banana apple
WScript.Echo "a" & vbTab & "b", Len(vbCrLf), Asc(vbLf), Len(vbNullString)
' expect: a	b 2 10 0
