' Strings and arrays beyond what a script may hold are "Out of memory", not a crash.
On Error Resume Next
s = "x"
Do
  s = s & s
Loop While Err.Number = 0
WScript.Echo Err.Number, Err.Description, Len(s) > 1000000
' expect: 7 Out of memory True
Err.Clear
ReDim big(100000, 100000)
WScript.Echo Err.Number
' expect: 7
Err.Clear
t = Space(2000000000)
WScript.Echo Err.Number
' expect: 7
