' timeout: 50
' A script that never calls its host is stopped, and On Error cannot keep it going.
On Error Resume Next
WScript.Echo "start"
' expect: start
Do
  n = n + 1
Loop
' error: (6, 1) VBScript runtime error -2147023436: The script ran for longer than its time-out of 50 ms of its own work
