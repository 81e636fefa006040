WScript.Echo "running"
On Error Resume Next
WScript.Quit 3
WScript.Echo "still running"
