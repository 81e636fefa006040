' Appending to a variable (s = s & ...) builds the text in place, and still follows the language:
' the variable is read before the pieces are worked out, each piece becomes text as & makes it,
' and a failing piece leaves the variable as it was.
s = "a"
s = s & "b" & 1 & Null & True & 2.5
WScript.Echo s
' expect: ab1True2.5
Function Grab()
  s = "changed"
  Grab = "!"
End Function
s = "start"
s = s & Grab() & s
WScript.Echo s
' expect: start!changed
Class Box
  Public Default Property Get Value
    s = "boxed"
    Value = "box"
  End Property
End Class
Set b = New Box
s = "in "
s = s & b
WScript.Echo s
' expect: in box
s = "e"
s = s & Eval("s & s")
WScript.Echo s
' expect: eee
On Error Resume Next
s = "keep"
s = s & "x" & Array(1)
WScript.Echo Err.Number, s
' expect: 13 keep
On Error GoTo 0
t = 5
t = t & "x"
WScript.Echo t, TypeName(t)
' expect: 5x String
Sub AddTo(ByRef text, piece)
  text = text & piece
End Sub
u = "u"
For i = 1 To 3 : AddTo u, i : Next
WScript.Echo u
' expect: u123
Dim parts(1)
parts(0) = "p"
parts(0) = parts(0) & "q"
WScript.Echo parts(0)
' expect: pq
Class Log
  Private text_
  Public Sub Add(line)
    text_ = text_ & line & ";"
  End Sub
  Public Property Get Text
    Text = text_
  End Property
End Class
Set journal = New Log
journal.Add "one" : journal.Add "two"
WScript.Echo journal.Text
' expect: one;two;
big = ""
For i = 1 To 20000 : big = big & Chr(65 + i Mod 26) : Next
WScript.Echo Len(big), Mid(big, 19999)
' expect: 20000 FG
