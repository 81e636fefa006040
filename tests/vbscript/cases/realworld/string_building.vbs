' Building text in pieces: padding, joining, counting words, title case.
Function PadLeft(s, width)
  If Len(s) >= width Then PadLeft = s Else PadLeft = Space(width - Len(s)) & s
End Function
Function TitleCase(s)
  Dim words, i
  words = Split(LCase(s), " ")
  For i = 0 To UBound(words)
    If Len(words(i)) > 0 Then words(i) = UCase(Left(words(i), 1)) & Mid(words(i), 2)
  Next
  TitleCase = Join(words, " ")
End Function
WScript.Echo "[" & PadLeft("42", 5) & "]", TitleCase("the QUICK brown fox")
' expect: [   42] The Quick Brown Fox
text = "one  two three   four"
Do While InStr(text, "  ") > 0
  text = Replace(text, "  ", " ")
Loop
WScript.Echo UBound(Split(text, " ")) + 1, text
' expect: 4 one two three four
out = ""
For i = 1 To 5
  If out <> "" Then out = out & ", "
  out = out & i ^ 2
Next
WScript.Echo out
' expect: 1, 4, 9, 16, 25
csv = "name=Ann;age=31;city=Oslo"
Set fields = CreateObject("Scripting.Dictionary")
For Each pair In Split(csv, ";")
  kv = Split(pair, "=")
  fields(kv(0)) = kv(1)
Next
WScript.Echo fields("city"), fields.Count, CInt(fields("age")) + 1
' expect: Oslo 3 32
