' on-wait: inner = 1 / 0
' An error in the nested run is reported for it alone; the suspended script goes on.
Wait 1
WScript.Echo "outer continues"
' error: (1, 1) VBScript runtime error 11: Division by zero
' expect: outer continues
