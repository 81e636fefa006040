' timeout: 50
' stop-after: 200
' A script that calls its host often is not stopped, however long it runs in all.
Do
  Wait 10
  n = n + 1
Loop Until CheckEnd()
WScript.Echo n
' expect: 200
