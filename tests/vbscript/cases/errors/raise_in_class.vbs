' A raised error keeps the source and description its raiser gave.
Class Validator
  Sub Check(v)
    If v < 0 Then Err.Raise 5, "Validator", "value below zero"
  End Sub
End Class
Set check = New Validator
check.Check 1
check.Check -1
' error: (4, 19) Validator 5: value below zero
