x = 1
s = "never closed
' error: (2, 5) VBScript compilation error 1033: Unterminated string constant
