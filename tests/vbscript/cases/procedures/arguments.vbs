' Arguments go by reference unless ByVal says otherwise; parentheses make a value of a variable.
Sub Bump(n) : n = n + 1 : End Sub
Sub BumpByVal(ByVal n) : n = n + 1 : End Sub
x = 1
Bump x
WScript.Echo x
' expect: 2
BumpByVal x
WScript.Echo x
' expect: 2
Bump (x)
WScript.Echo x
' expect: 2
Call Bump(x)
WScript.Echo x
' expect: 3
Dim arr(2)
arr(1) = 40
Bump arr(1)
WScript.Echo arr(1)
' expect: 41
Sub Swap(a, b)
  Dim t : t = a : a = b : b = t
End Sub
p = "first" : q = "second"
Swap p, q
WScript.Echo p, q
' expect: second first
Sub Fill(list)
  ReDim list(2)
  list(2) = "filled"
End Sub
Fill z
WScript.Echo z(2)
' expect: filled
Function Twice(ByVal v) : v = v * 2 : Twice = v : End Function
y = 4
WScript.Echo Twice(y), y
' expect: 8 4
Sub ShowArray(ByVal list) : list(0) = "local" : End Sub
Dim keep(0) : keep(0) = "kept"
ShowArray keep
WScript.Echo keep(0)
' expect: kept
