' A global Dim declares its variable for the whole script, wherever it stands: code above it,
' and procedures, may use the variable under Option Explicit.
Option Explicit
counter = 5
WScript.Echo counter
' expect: 5
Dim counter
WScript.Echo counter
' expect: 5
Sub Bump
  later = later + 1
End Sub
Bump
Bump
WScript.Echo later
' expect: 2
If False Then
  Dim later
End If
For Each x In Array(1)
  Dim x
Next
WScript.Echo x
' expect: 1
WScript.Echo undeclared
' error: (25, 1) VBScript runtime error 500: Variable is undefined: 'undeclared'
