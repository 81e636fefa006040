' Math: rounding to even, Int against Fix, and the Rnd sequence a seed gives.
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.675, 2), Round(1.005, 2), Round(12.345, 1)
' expect: 2 4 -2 2.68 1 12.3
WScript.Echo Int(2.7), Int(-2.7), Fix(-2.7), Fix(2.7), Int("3.9"), TypeName(Int(2.5))
' expect: 2 -3 -2 2 3 Double
WScript.Echo Abs(-5), Abs(-2.5), Sgn(-3), Sgn(0), Sgn(7.5), TypeName(Abs(-5))
' expect: 5 2.5 -1 0 1 Integer
WScript.Echo Sqr(16), Exp(0), Log(Exp(2)), Round(Sin(0), 5), Cos(0), Round(Atn(1) * 4, 10)
' expect: 4 1 2 0 1 3.1415926536
WScript.Echo Round(Tan(0.5), 4), 10 Mod 4, CInt(-0.5), CLng(1.5), CLng(0.5)
' expect: 0.5463 2 0 2 0
x = Rnd(-1) : Randomize 42
a = Rnd : b = Rnd
x = Rnd(-1) : Randomize 42
WScript.Echo a = Rnd, b = Rnd, a <> b, a >= 0 And a < 1, Rnd(0) = b
' expect: True True True True True
x = Rnd(-1) : y = Rnd(-1)
WScript.Echo x = y
' expect: True
WScript.Echo RGB(255, 0, 0), RGB(0, 0, 255)
' expect: 255 16711680
