' A bad pattern is reported by the statement that uses it; a search that backtracks without end
' stops; members that do not exist or take other arguments fail as for any object.
Set re = New RegExp
On Error Resume Next
re.Pattern = "(?<=a)b"
WScript.Echo Err.Number
' expect: 0
x = re.Test("ab")
WScript.Echo Err.Number, Err.Description, IsEmpty(x)
' expect: 5017 Syntax error in regular expression True
Err.Clear
For Each p In Array("a**", "[a", "(a", "[b-a]")
  re.Pattern = p
  re.Execute "a"
  WScript.Echo Err.Number, Err.Description
  Err.Clear
Next
' expect: 5018 Unexpected quantifier
' expect: 5019 Expected ']' in regular expression
' expect: 5020 Expected ')' in regular expression
' expect: 5021 Invalid range in character set
re.Pattern = "^(\w+\s?)+$"
found = re.Test("a long line of words that ends in a character that cannot match!")
WScript.Echo Err.Number, Err.Description
' expect: 28 Out of stack space
Err.Clear
re.Pattern = "a"
re.Colour = 1
WScript.Echo Err.Number
' expect: 438
Err.Clear
re.Replace "a"
WScript.Echo Err.Number
' expect: 450
Err.Clear
WScript.Echo re.Execute("a")(3)
WScript.Echo Err.Number
' expect: 5
Err.Clear
re.Test Null
WScript.Echo Err.Number
' expect: 94
On Error GoTo 0
re.Pattern = "(?P<name>x)"
re.Replace "x", "y"
' error: (45, 1) VBScript runtime error 5017: Syntax error in regular expression
