' Names ignore case; statements continue with " _" and share a line with ":".
DIM Counter : counter = 5 : WScript.Echo COUNTER
' expect: 5
x = 1 + _
    2 + _
      3
WScript.Echo x
' expect: 6
Rem a remark on its own line
y = 10 : Rem and one after a statement
WScript.Echo y ' a comment holding "quotes" and a ' mark
' expect: 10
s = "it's not a comment ' here"
WScript.Echo s
' expect: it's not a comment ' here
wscript.echo "done" : WSCRIPT.ECHO "twice"
' expect: done
' expect: twice
[my var] = 3
WScript.Echo [my var] * 2
' expect: 6
