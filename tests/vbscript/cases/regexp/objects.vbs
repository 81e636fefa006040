' The RegExp object as scripts use it: made with New or CreateObject, its properties, the
' Matches collection with Count, Item, For Each and default members, and SubMatches.
Set re = New RegExp
WScript.Echo TypeName(re), re.Pattern = "", re.IgnoreCase, re.Global, re.Multiline
' expect: IRegExp2 True False False False
re.Pattern = "(\w+)=(\d+)"
re.Global = 1
WScript.Echo re.Global, re.Test("a=1"), re.Test("a=b")
' expect: True True False
Set found = re.Execute("width=80, height=25; depth=x")
WScript.Echo TypeName(found), found.Count, found.Item(1).Value, found(0)
' expect: IMatchCollection2 2 height=25 width=80
For Each m In found
  WScript.Echo TypeName(m), m.FirstIndex, m.Length, m.SubMatches.Count, m.SubMatches(0), m.SubMatches.Item(1)
Next
' expect: IMatch2 0 8 2 width 80
' expect: IMatch2 10 9 2 height 25
Set groups = found(1).SubMatches
For Each g In groups : WScript.Echo "[" & g & "]" : Next
' expect: [height]
' expect: [25]
total = 0
For i = 0 To found.Count - 1 : total = total + CInt(found(i).SubMatches(1)) : Next
WScript.Echo total
' expect: 105
re.Global = False
WScript.Echo re.Execute("a=1 b=2").Count, re.Replace("a=1 b=2", "$2=$1")
' expect: 1 1=a b=2
re.Global = True
WScript.Echo re.Replace("a=1 b=2", "$2=$1")
' expect: 1=a 2=b
Set none = re.Execute("nothing here")
WScript.Echo none.Count
' expect: 0
For Each m In none : WScript.Echo "never" : Next
Set re2 = CreateObject("VBScript.RegExp")
re2.Pattern = "^\s+|\s+$"
re2.Global = True
WScript.Echo "[" & re2.Replace("   padded text  ", "") & "]"
' expect: [padded text]
re2.Pattern = "STATUS"
re2.IgnoreCase = True
WScript.Echo re2.Test("my status"), re2.Execute("my Status")(0).FirstIndex
' expect: True 3
re2.Pattern = "^> (.*)$"
re2.Multiline = True
re2.IgnoreCase = False
For Each m In re2.Execute("> one" & vbCrLf & "two" & vbCrLf & "> three")
  WScript.Echo m.SubMatches(0)
Next
' expect: one
' expect: three
' A group that did not take part is Empty.
re2.Pattern = "(a)|(b)"
re2.Multiline = False
Set m = re2.Execute("b")(0)
WScript.Echo IsEmpty(m.SubMatches(0)), m.SubMatches(1)
' expect: True b
' LoadObject makes one too.
LoadObject "Finder", "VBScript.RegExp"
Finder.Pattern = "\d+"
WScript.Echo Finder.Execute("abc 42")(0)
' expect: 42
