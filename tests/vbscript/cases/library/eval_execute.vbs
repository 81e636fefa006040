' Eval, Execute and ExecuteGlobal, in the scope where they run.
x = 6
WScript.Echo Eval("x * 7"), Eval("Len(""abc"") + 1"), Eval("x = 6")
' expect: 42 4 True
Execute "y = x + 1"
WScript.Echo y
' expect: 7
Sub Local
  Dim z
  z = 5
  Execute "z = z * 2"
  WScript.Echo z, Eval("z + 1")
  ExecuteGlobal "Function Made() : Made = ""made globally"" : End Function"
End Sub
Local
' expect: 10 11
WScript.Echo Made()
' expect: made globally
Execute "Sub Generated(v) : WScript.Echo ""generated "" & v : End Sub"
Generated 3
' expect: generated 3
On Error Resume Next
Eval "1 +"
WScript.Echo Err.Number, Err.Source
' expect: 1023 VBScript compilation error
