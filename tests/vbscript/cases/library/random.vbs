' Rnd follows VBScript's published generator: a fresh engine gives the same numbers, Rnd(0)
' repeats the last one (the seed itself before any other call), and a negative argument
' reseeds from the number alone.
WScript.Echo Rnd(0), TypeName(Rnd(0))
' expect: 0.01953125 Single
WScript.Echo Rnd, Rnd, Rnd(1), Rnd(0), Rnd
' expect: 0.7055475 0.533424 0.5795186 0.5795186 0.2895625
WScript.Echo Rnd(-1), Rnd(-1), Rnd
' expect: 0.224007 0.224007 0.03584582
' The usual way to repeat a sequence: reseed with a negative number, then Randomize.
x = Rnd(-1) : Randomize 5 : a = Rnd : b = Rnd
x = Rnd(-1) : Randomize 5 : c = Rnd : d = Rnd
WScript.Echo a = c, b = d, a = b
' expect: True True False
Randomize
Call Randomize(0)
x = Rnd
On Error Resume Next
x = Randomize(0)
WScript.Echo Err.Number, Err.Description
' expect: 13 Type mismatch: 'Randomize'
Err.Clear
y = Randomize
WScript.Echo Err.Number
' expect: 13
