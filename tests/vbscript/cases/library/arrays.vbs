' Array, bounds, arrays as values, arrays of arrays.
a = Array(1, "two", 3.5, Array("x", "y"))
WScript.Echo UBound(a), LBound(a), a(1), a(3)(1), IsArray(a), IsArray(a(0)), TypeName(a)
' expect: 3 0 two y True False Variant()
b = a
b(0) = 100
WScript.Echo a(0), b(0)
' expect: 1 100
Dim m(1, 1)
m(0, 0) = "a" : m(0, 1) = "b" : m(1, 0) = "c" : m(1, 1) = "d"
s = ""
For i = 0 To UBound(m, 1)
  For j = 0 To UBound(m, 2)
    s = s & m(i, j)
  Next
Next
WScript.Echo s
' expect: abcd
Function Doubled(list)
  Dim out(), k
  ReDim out(UBound(list))
  For k = 0 To UBound(list) : out(k) = list(k) * 2 : Next
  Doubled = out
End Function
WScript.Echo Join(Doubled(Array(1, 2, 3)), ",")
' expect: 2,4,6
Dim grow()
For i = 0 To 4
  ReDim Preserve grow(i)
  grow(i) = i * i
Next
WScript.Echo Join(grow, " ")
' expect: 0 1 4 9 16
x = UBound(grow, 2)
' error: (34, 1) VBScript runtime error 9: Subscript out of range
