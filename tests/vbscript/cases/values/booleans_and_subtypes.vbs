' Booleans converted to numbers are all bits set, Round keeps the sub-type it is given, a Single
' meets a Double at its own precision, and an object stands for its default value.
WScript.Echo CInt(True), CLng(True), CByte(True), CInt(False), CByte(False), Hex(True)
' expect: -1 -1 255 0 0 FFFF
WScript.Echo TypeName(CInt(True)), TypeName(CLng(True)), TypeName(CByte(True))
' expect: Integer Long Byte
WScript.Echo CSng(0.1) = 0.1, CSng(0.1) <> 0.1, CSng(0.5) < 0.6, CDbl(CSng(0.1)) = 0.1
' expect: True False True False
WScript.Echo TypeName(Round(True)), Round(True), TypeName(Round(CSng(2.5))), TypeName(Round(CCur(2.5)))
' expect: Boolean True Single Currency
WScript.Echo TypeName(Round(#1/1/2020 6:00 PM#)), Round(#1/1/2020 6:00 PM#), TypeName(Round("2.5")), TypeName(Round(Empty))
' expect: Date 1/2/2020 Double Integer
WScript.Echo CBool("#TRUE#"), CBool("#false#"), TypeName(CBool("#True#"))
' expect: True False Boolean
If "#TRUE#" Then WScript.Echo "a #TRUE# condition holds"
' expect: a #TRUE# condition holds
If "#FALSE#" Then WScript.Echo "not reached" Else WScript.Echo "a #FALSE# condition fails"
' expect: a #FALSE# condition fails
Class Boxed
  Public Default Property Get Value
    Value = 42
  End Property
End Class
Class Worded
  Public Default Property Get Value
    Value = "abc"
  End Property
End Class
Set b = New Boxed
WScript.Echo IsNumeric(b), +b, TypeName(+b), IsNumeric(New Worded), IsNumeric(Nothing)
' expect: True 42 Integer False False
WScript.Echo IsNumeric(CreateObject("Scripting.Dictionary"))
' expect: False
WScript.Echo -3^2, -2^2, 2^-1, 2 * -3^2, -(3^2), 10 - -2^2
' expect: 9 4 0.5 18 -9 6
