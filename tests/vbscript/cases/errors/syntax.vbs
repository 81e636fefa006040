WScript.Echo "compiled first, so this never prints"
If x Then
  y = (1 + 2
End If
' error: (3, 13) VBScript compilation error 1006: Expected ')'
