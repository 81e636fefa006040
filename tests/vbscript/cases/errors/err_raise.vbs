' Err.Raise: the arguments it takes, the numbers it accepts, and what Err keeps of each raise.
On Error Resume Next
Err.Raise
WScript.Echo Err.Number
' expect: 450
Err.Clear
Err.Raise 65536
WScript.Echo Err.Number, Err.Description
' expect: 5 Invalid procedure call or argument
Err.Raise 65535
WScript.Echo Err.Number
' expect: 65535
Err.Raise &h8007000E
WScript.Echo Err.Number, Err.Description
' expect: 7 Out of memory
Err.Raise &h800A000D
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch
Err.Raise vbObjectError + 513, "Mine", "my own"
WScript.Echo Err.Number = vbObjectError + 513, Err.Source, Err.Description
' expect: True Mine my own
Err.Raise 1000, "src", "desc", "help.chm", 42
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext
' expect: 1000 src desc help.chm 42
Err.Raise 1234
WScript.Echo Err.Number, Err.Source, "[" & Err.Description & "]", "[" & Err.HelpFile & "]", Err.HelpContext
' expect: 1234 VBScript runtime error [Unknown runtime error] [] 0
Err.Raise 1002, "again", "and again", "other.chm", 7
x = 1 / 0
WScript.Echo Err.Number, Err.Source, "[" & Err.HelpFile & "]", Err.HelpContext
' expect: 11 VBScript runtime error [] 0
Err.Raise 5, , , "only.chm"
WScript.Echo Err.Number, Err.HelpFile, Err.Description
' expect: 5 only.chm Invalid procedure call or argument
On Error GoTo 0
Err.Raise
' error: (36, 1) VBScript runtime error 450: Wrong number of arguments or invalid property assignment: 'Raise'
