Option Explicit
Dim a(3), b, i, s
ReDim b(2) : ReDim Preserve b(4)
For i = 0 To 3 Step 1 : a(i) = i * 2 : Next
For Each i In a : s = s & i & "," : Next
Do While i < 10 : i = i + 1 : If i = 5 Then Exit Do
Loop
While i > 0 : i = i - 3 : Wend
Select Case s
  Case "x", "y" : s = 1
  Case Else : s = Left(s, 2)
End Select
With CreateObject("Scripting.Dictionary") : .Add "k", 1 : End With
