' A conversion that does not fit is "Overflow".
WScript.Echo CInt(32767)
' expect: 32767
x = CInt(32768)
' error: (4, 1) VBScript runtime error 6: Overflow
