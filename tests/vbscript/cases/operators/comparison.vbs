' Comparisons: strings by code, numbers by value, and the rules for a string meeting a number.
WScript.Echo 1 < 2, "a" < "b", "B" < "a", "10" < "9", "abc" = "ABC"
' expect: True True True True False
s = "10"
WScript.Echo s = 10, s > 9, 10 = s
' expect: True True True
n = 10
WScript.Echo n = s, n < s, n > s
' expect: False True False
WScript.Echo Empty = 0, Empty = "", IsNull(Null = Null), IsNull(1 <> Null)
' expect: True True True True
Set d1 = CreateObject("Scripting.Dictionary")
Set d2 = d1
Set d3 = CreateObject("Scripting.Dictionary")
WScript.Echo d1 Is d2, d1 Is d3, d1 Is Nothing, Nothing Is Nothing
' expect: True False False True
WScript.Echo #1/2/2003# > #1/1/2003#, 1.5 >= 1.5, 2 <> 2.0, True = -1
' expect: True True False True
