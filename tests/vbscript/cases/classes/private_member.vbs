Class Safe
  Private code_
End Class
Set s = New Safe
WScript.Echo s.code_
' error: (5, 1) VBScript runtime error 438: Object doesn't support this property or method: 'code_'
