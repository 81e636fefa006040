' Arithmetic at the edges of Long, and with an array as an operand.
' A Long result that leaves the Long range widens to Double; one that stays inside keeps Long.
WScript.Echo CLng(2147483646) + 1, TypeName(CLng(2147483646) + 1)
' expect: 2147483647 Long
WScript.Echo CLng(2147483647) + 1, TypeName(CLng(2147483647) + 1)
' expect: 2147483648 Double
WScript.Echo CLng(-2147483647) - 1, TypeName(CLng(-2147483647) - 1)
' expect: -2147483648 Long
WScript.Echo CLng(-2147483647) - 2, TypeName(CLng(-2147483647) - 2)
' expect: -2147483649 Double
WScript.Echo CLng(65536) * 32767, TypeName(CLng(65536) * 32767)
' expect: 2147418112 Long
WScript.Echo CLng(65536) * 32768, TypeName(CLng(65536) * 32768)
' expect: 2147483648 Double
' An Integer meeting a Long is done in Long, so it does not overflow at the Integer bound.
WScript.Echo 32767 + CLng(1), TypeName(32767 + CLng(1)), TypeName(CInt(1) * CLng(1))
' expect: 32768 Long Long
WScript.Echo CLng(7) \ 2, TypeName(CLng(7) \ 2), CLng(-7) Mod 2, TypeName(CLng(7) Mod 2)
' expect: 3 Long -1 Long
WScript.Echo TypeName(CLng(10) / 2), TypeName(CLng(2) ^ 2), TypeName(-CLng(5)), -CLng(5)
' expect: Double Double Long -5
' An array is no number: every arithmetic operator refuses it with a type mismatch, on either side.
On Error Resume Next
a = Array(1, 2)
Dim f(1)
x = a + 1
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch
Err.Clear
x = 1 - a
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = a * 2
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = 2 / f
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = f \ 2
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = a Mod 2
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = a ^ 2
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = -a
WScript.Echo Err.Number
' expect: 13
Err.Clear
x = a & "x"
WScript.Echo Err.Number
' expect: 13
Err.Clear
' The array itself is untouched, and its elements take part as the numbers they are.
WScript.Echo a(0) + a(1), UBound(a), TypeName(a(0) + CLng(1))
' expect: 3 1 Long
