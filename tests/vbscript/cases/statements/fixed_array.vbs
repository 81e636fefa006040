' An array declared with its size cannot be resized.
Dim a(3)
ReDim a(5)
' error: (3, 1) VBScript runtime error 10: This array is fixed or temporarily locked
