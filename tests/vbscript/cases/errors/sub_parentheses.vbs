Sub Pair(a, b) : End Sub
Pair(1, 2)
' error: (2, 1) VBScript compilation error 1044: Cannot use parentheses when calling a Sub
