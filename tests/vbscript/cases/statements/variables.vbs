' Dim, ReDim Preserve, multi-dimensional arrays, Const, Erase, Set and With.
Dim a(2), b()
a(0) = "x" : a(2) = "z"
WScript.Echo UBound(a), a(0), IsEmpty(a(1)), a(2)
' expect: 2 x True z
ReDim b(1)
b(0) = 10 : b(1) = 11
ReDim Preserve b(3)
WScript.Echo UBound(b), b(0), b(1), IsEmpty(b(3))
' expect: 3 10 11 True
ReDim b(1)
WScript.Echo IsEmpty(b(0))
' expect: True
Dim m(2, 3)
m(2, 3) = 23 : m(1, 0) = 10
WScript.Echo UBound(m, 1), UBound(m, 2), m(2, 3), m(1, 0), LBound(m)
' expect: 2 3 23 10 0
ReDim Preserve c(2)
c(2) = "implicit"
WScript.Echo c(2)
' expect: implicit
Const Pi = 3.14159, Greeting = "hello"
WScript.Echo Pi * 2, Greeting
' expect: 6.28318 hello
copy = a
copy(0) = "changed"
WScript.Echo a(0), copy(0)
' expect: x changed
Erase a
WScript.Echo UBound(a), IsEmpty(a(0))
' expect: 2 True
Set d = CreateObject("Scripting.Dictionary")
With d
  .Add "k", "v"
  .Add "n", 2
  WScript.Echo .Count, .Item("k")
End With
' expect: 2 v
e = Array()
WScript.Echo UBound(e), LBound(e)
' expect: -1 0
