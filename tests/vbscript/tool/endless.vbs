' Prints two lines, then waits for ever: only being stopped from outside ends it.
WScript.Echo "first"
WScript.Echo "second"
Do
  WScript.Sleep 50
Loop
