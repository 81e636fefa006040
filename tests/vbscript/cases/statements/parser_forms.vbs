' Forms that scripts in the wild are written in and VBScript accepts.
Stop
WScript.Echo 1 >< 2, 1 >< 1
' expect: True False
x = 3
If x > 2 Then WScript.Echo "big" Else WScript.Echo "small" End If
' expect: big
If x > 5 Then WScript.Echo "big" Else WScript.Echo "small" End If
' expect: small
If x = 3 Then y = 1 End If
WScript.Echo y
' expect: 1
If True Then
  Function Twice(v)
    Twice = v * 2
  End Function
End If
WScript.Echo Twice(4)
' expect: 8
If False Then
  Sub NeverRun
    WScript.Echo "defined all the same"
  End Sub
End If
NeverRun
' expect: defined all the same
Dim default, error, property
default = 1 : error = 2 : property = 3
WScript.Echo default + error + property
' expect: 6
Class Property
  Public Default
  Public Function Error(n)
    Error = n + Default
  End Function
  Public Property Get Stop
    Stop = "member"
  End Property
End Class
Set p = New Property
p.Default = 10
WScript.Echo TypeName(p), p.Error(5), p.default, p.Stop
' expect: Property 15 10 member
Function Add(a, b): Add = (a + b)End Function
WScript.Echo Add(1, 2)
' expect: 3
Class Pair: Public Left End Class
Set pair = New Pair
pair.Left = "kept"
WScript.Echo pair.Left
' expect: kept
For i = 1 To "2"
  WScript.Echo "turn", i, TypeName(i)
Next
' expect: turn 1 Integer
' expect: turn 2 Integer
For i = "3" To 1 Step -1
  n = n + 1
Next
WScript.Echo n
' expect: 3
On Error Resume Next
item = "kept"
For Each item In Empty
  WScript.Echo "body once", item, Err.Number
Next
' expect: body once kept 451
On Error GoTo 0
For Each item In Empty
Next
' error: (69, 1) VBScript runtime error 451: Object not a collection
