' Arithmetic on variants: result types, widening on overflow, strings taking part as numbers.
WScript.Echo 7 \ 2, -7 \ 2, 7 Mod 3, -7 Mod 3, 7.5 \ 2, 6.5 Mod 4
' expect: 3 -3 1 -1 4 2
WScript.Echo 2 ^ 3, 2 ^ -1, -2 ^ 2, 2 ^ 0.5 * 2 ^ 0.5
' expect: 8 0.5 4 2
WScript.Echo TypeName(1 + 1), TypeName(32767 + 1), TypeName(2147483647 + 1), TypeName(-32768 - 1)
' expect: Integer Long Double Long
WScript.Echo "1" + 2, "1" + "2", "a" & 1, 1 & 2, TypeName("1" + 2)
' expect: 3 12 a1 12 Double
WScript.Echo 10 / 4, TypeName(10 / 2), 3 * 1.5, 1 - 0.25
' expect: 2.5 Double 4.5 0.75
WScript.Echo IsNull(Null + 1), IsNull(Null & Null), "a" & Null & "b", IsNull(-Null)
' expect: True True ab True
WScript.Echo Empty + 1, TypeName(Empty + Empty), "[" & Empty & "]", -Empty
' expect: 1 Integer [] 0
WScript.Echo True + True, TypeName(True + 1), -True
' expect: -2 Integer 1
WScript.Echo #1/1/2000# + 1, TypeName(#1/1/2000# + 1), #1/3/2000# - #1/1/2000#
' expect: 1/2/2000 Date 2
WScript.Echo CCur(1.5) * 3, TypeName(CCur(1) + 1)
' expect: 4.5 Currency
