' Class_Initialize runs at New, Class_Terminate when the last reference goes.
Class Tracked
  Public Name
  Sub Class_Initialize : WScript.Echo "init" : End Sub
  Sub Class_Terminate : WScript.Echo "terminate " & Name : End Sub
End Class
Set t = New Tracked
' expect: init
t.Name = "first"
Set t = Nothing
' expect: terminate first
Sub Scoped
  Dim local
  Set local = New Tracked
  local.Name = "local"
End Sub
Scoped
' expect: init
' expect: terminate local
WScript.Echo "after"
' expect: after
