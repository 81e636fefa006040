' On Error Resume Next traps an error, Err describes it, and the script goes on.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description, Err.Source
' expect: 11 Division by zero VBScript runtime error
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"
' expect: 0 []
y = Split(Null)
WScript.Echo Err.Number
' expect: 94
Err.Raise 1000, "MyScript", "custom failure"
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 1000 MyScript custom failure
Err.Raise vbObjectError + 1
WScript.Echo Err.Number - vbObjectError, Err.Description
' expect: 1 Unknown runtime error
Err.Raise 9
WScript.Echo Err.Description
' expect: Subscript out of range
On Error GoTo 0
WScript.Echo Err.Number
' expect: 0
Sub Inner
  Dim q : q = CLng("x")
  WScript.Echo "not reached"
End Sub
Sub Outer
  On Error Resume Next
  Inner
  WScript.Echo "outer goes on after", Err.Number
End Sub
Outer
' expect: outer goes on after 13
Function Safe(v)
  On Error Resume Next
  Safe = 10 / v
  If Err.Number <> 0 Then Safe = "bad input"
End Function
WScript.Echo Safe(2), Safe(0)
' expect: 5 bad input
Err.Raise 424
' error: (42, 1) VBScript runtime error 424: Object required
