' Under On Error Resume Next an error inside a condition, a bound or a collection lets the
' statement go on as VBScript does, and Err holds the error afterwards.
On Error Resume Next
If 1 / 0 Then
  WScript.Echo "if taken", Err.Number
Else
  WScript.Echo "else taken"
End If
' expect: if taken 11
Err.Clear
If False Then
  WScript.Echo "first"
ElseIf CLng("x") Then
  WScript.Echo "elseif taken", Err.Number
Else
  WScript.Echo "else"
End If
' expect: elseif taken 13
Function Bad()
  Bad = 1 / 0
End Function
Err.Clear
If Bad() = 1 Then WScript.Echo "taken through a call", Err.Number
' expect: taken through a call 11
Err.Clear
n = 0
Do While 1 / 0
  n = n + 1
  If n = 3 Then Exit Do
Loop
WScript.Echo "top entered", n, Err.Number
' expect: top entered 3 11
Err.Clear
n = 0
Do Until CLng("x")
  n = n + 1
  If n = 2 Then Exit Do
Loop
WScript.Echo "until entered", n, Err.Number
' expect: until entered 2 13
Err.Clear
n = 0
Do
  n = n + 1
Loop While CLng("x") > 0
WScript.Echo "bottom ends", n, Err.Number
' expect: bottom ends 1 13
Err.Clear
n = 0
Do
  n = n + 1
Loop Until 1 / 0
WScript.Echo "until ends", n, Err.Number
' expect: until ends 1 11
Err.Clear
i = 7
For i = 1 To 1 / 0
  WScript.Echo "for body", i, Err.Number
Next
' expect: for body 7 11
Err.Clear
For i = Null To 3
  WScript.Echo "null bound", i, Err.Number
Next
' expect: null bound 7 94
Err.Clear
For i = 1 To 3 Step "x"
  WScript.Echo "bad step", i, Err.Number
Next
' expect: bad step 7 13
Err.Clear
item = "kept"
For Each item In 5
  WScript.Echo "each body", item, Err.Number
Next
' expect: each body kept 451
Err.Clear
Select Case 1 / 0
  Case 1
    WScript.Echo "case 1"
  Case Else
    WScript.Echo "case else"
End Select
WScript.Echo "no case", Err.Number
' expect: no case 11
Err.Clear
Select Case 2
  Case 1 / 0
    WScript.Echo "failed case taken", Err.Number
  Case 2
    WScript.Echo "two"
End Select
' expect: failed case taken 11
Err.Clear
x = "before"
x = FormatNumber(Null)
WScript.Echo x, Err.Number
' expect: before 13
On Error GoTo 0
If 1 / 0 Then WScript.Echo "not without the trap"
' error: (100, 1) VBScript runtime error 11: Division by zero
