Dim a(2)
a(3) = 1
' error: (2, 1) VBScript runtime error 9: Subscript out of range
