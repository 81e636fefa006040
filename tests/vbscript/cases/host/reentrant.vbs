' on-wait: shared = shared & "+event" : WScript.Echo "event sees " & shared
' on-wait: Sub FromEvent : WScript.Echo "defined by the event" : End Sub
' A host call may run more script on the same engine; the first script then goes on.
shared = "start"
Wait 10
WScript.Echo "outer sees " & shared
FromEvent
' expect: event sees start+event
' expect: outer sees start+event
' expect: defined by the event
