WScript.Echo "before"
WScript.Echo "before quit"
Dim x
x = 1 / 0
WScript.Echo "never"
