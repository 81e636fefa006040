' Endless recursion ends in "Out of stack space", which the script can trap.
Function Down(n)
  Down = Down(n + 1)
End Function
On Error Resume Next
x = Down(1)
WScript.Echo Err.Number, Err.Description
' expect: 28 Out of stack space
On Error GoTo 0
x = Down(1)
' error: (3, 3) VBScript runtime error 28: Out of stack space
