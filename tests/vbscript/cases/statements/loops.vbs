' For with steps, For Each, Do with tests at either end, While/Wend, and the Exit statements.
s = ""
For i = 1 To 10 Step 3 : s = s & i & " " : Next
WScript.Echo s, i
' expect: 1 4 7 10  13
s = ""
For i = 5 To 1 Step -2 : s = s & i : Next
WScript.Echo s
' expect: 531
For i = 1 To 0 : WScript.Echo "never" : Next
For i = 0.5 To 2 Step 0.5 : s = s & "|" & i : Next
WScript.Echo s
' expect: 531|0.5|1|1.5|2
n = 0
Do While n < 3 : n = n + 1 : Loop
WScript.Echo n
' expect: 3
Do : n = n - 1 : Loop Until n <= 0
WScript.Echo n
' expect: 0
Do Until n = 4 : n = n + 2 : Loop
WScript.Echo n
' expect: 4
Do : n = n + 1 : Loop While n < 2
WScript.Echo n
' expect: 5
While n > 0 : n = n - 2 : Wend
WScript.Echo n
' expect: -1
Do
  n = n + 1
  If n >= 10 Then Exit Do
Loop
WScript.Echo n
' expect: 10
For i = 1 To 100
  For j = 1 To 100
    If j = 3 Then Exit For
  Next
  If i = 4 Then Exit For
Next
WScript.Echo i, j
' expect: 4 3
For Each w In Split("alpha beta gamma")
  WScript.Echo UCase(w)
Next
' expect: ALPHA
' expect: BETA
' expect: GAMMA
Dim grid(1, 2)
grid(1, 2) = "corner"
c = 0
For Each cell In grid : c = c + 1 : Next
WScript.Echo c, grid(1, 2)
' expect: 6 corner
For i = 1 To 3
  i = i + 1
Next
WScript.Echo i
' expect: 5
