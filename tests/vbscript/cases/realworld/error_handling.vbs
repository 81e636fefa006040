' Guarding the risky parts of a status script and reporting what went wrong.
Function SafeDivide(a, b)
  On Error Resume Next
  SafeDivide = a / b
  If Err.Number <> 0 Then
    SafeDivide = "n/a (" & Err.Description & ")"
    Err.Clear
  End If
End Function
WScript.Echo SafeDivide(10, 4), SafeDivide(1, 0), SafeDivide("x", 1)
' expect: 2.5 n/a (Division by zero) n/a (Type mismatch)
Function TryLoad(progId)
  On Error Resume Next
  Dim o
  Set o = CreateObject(progId)
  If Err.Number = 0 Then
    TryLoad = "loaded " & TypeName(o)
  Else
    TryLoad = "failed " & Err.Number
  End If
End Function
WScript.Echo TryLoad("Scripting.Dictionary"), TryLoad("Outlook.Application")
' expect: loaded Dictionary failed 429
On Error Resume Next
Status Mid("abc", 0)
If Err.Number = 5 Then Status "fallback status"
' expect: status: fallback status
On Error GoTo 0
Err.Raise vbObjectError + 513, "StatusScript", "feed unavailable"
' error: (29, 1) StatusScript -2147220991: feed unavailable
