' One-line and block If, ElseIf, and Select Case with lists, ranges and Is.
x = 5
If x > 3 Then WScript.Echo "big" Else WScript.Echo "small"
' expect: big
If x < 3 Then WScript.Echo "no" : WScript.Echo "no again" Else WScript.Echo "else one" : WScript.Echo "else two"
' expect: else one
' expect: else two
If x = 1 Then
  WScript.Echo "one"
ElseIf x = 5 Then
  WScript.Echo "elseif"
Else
  WScript.Echo "else"
End If
' expect: elseif
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is false"
' expect: null is false
If "True" Then WScript.Echo "string condition"
' expect: string condition
For Each v In Array(1, 4, 7, 12, 99)
  Select Case v
    Case 1, 2
      WScript.Echo v, "small"
    Case 3 To 8
      WScript.Echo v, "middle"
    Case Is >= 90
      WScript.Echo v, "huge"
    Case Else
      WScript.Echo v, "other"
  End Select
Next
' expect: 1 small
' expect: 4 middle
' expect: 7 middle
' expect: 12 other
' expect: 99 huge
Select Case "Apple"
  Case "apple": WScript.Echo "case-insensitive?"
  Case "Apple": WScript.Echo "exact"
End Select
' expect: exact
