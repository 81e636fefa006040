' CStr's number formats and the conversion functions' rounding and parsing.
WScript.Echo 1/3, 1e20, 0.00001, 123456789012345, -0.5, 100 * 1.1
' expect: 0.333333333333333 1E+20 1E-05 123456789012345 -0.5 110
WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CLng("12"), CLng(" 7 "), CDbl("1,234.5")
' expect: 2 4 -2 12 7 1234.5
WScript.Echo CBool("true"), CBool(0), CBool(-3), CStr(True), CBool("FALSE")
' expect: True False True True False
WScript.Echo CDate("June 12, 2026"), CDate("2026-06-12 15:04"), CDate(1), CDate("13/6/2026")
' expect: 6/12/2026 6/12/2026 3:04:00 PM 12/31/1899 6/13/2026
WScript.Echo CCur(1.23456), TypeName(CCur(1)), CSng(1.5), TypeName(CSng(1)), CByte(200)
' expect: 1.2346 Currency 1.5 Single 200
WScript.Echo VarType("x"), VarType(1), VarType(Array()), VarType(Empty), VarType(Null), VarType(True)
' expect: 8 2 8204 0 1 11
WScript.Echo IsNumeric("12.5"), IsNumeric("abc"), IsNumeric(""), IsNumeric(Empty), IsNumeric("&H1F")
' expect: True False False True True
WScript.Echo IsDate("1/2/2003"), IsDate("hello"), IsDate(#1/1/2000#), IsDate(5)
' expect: True False True False
WScript.Echo CLng("&HFF"), CInt("-12"), CDbl("1e3"), CDbl(" +3.5 ")
' expect: 255 -12 1000 3.5
