' stop-after: 3
' The shape of an Active Status script: set the status, wait, poll CheckEnd, through the bare
' global members and through the object alike.
i = 0
Do
  i = i + 1
  Status "tick " & i
  GTalk.Wait 1000
Loop Until CheckEnd()
WScript.Echo "stopped after", i, GetStatus(), GTalk.GetStatus
' expect: status: tick 1
' expect: status: tick 2
' expect: status: tick 3
' expect: stopped after 3 tick 3 tick 3
