' A script's own class named RegExp is the one New makes; CreateObject still gives the built-in.
Class RegExp
  Public Pattern
  Public Function Test(text)
    Test = "mine: " & text
  End Function
End Class
Set re = New RegExp
WScript.Echo TypeName(re), re.Test("x")
' expect: RegExp mine: x
Set builtin = CreateObject("VBScript.RegExp")
builtin.Pattern = "x"
WScript.Echo TypeName(builtin), builtin.Test("x")
' expect: IRegExp2 True
