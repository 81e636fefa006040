On Error Resume Next
x = 1 / 0 : y = CLng("x") : z = Mid("abc", 0)
Err.Raise 5, "src", "desc"
e = Err.Number & Err.Description
On Error GoTo 0
Function F(ByVal a, b) : b = a : F = Eval("a + 1") : End Function
r = F(1, q) : Execute "w = r * 2" : ExecuteGlobal "Sub G : End Sub" : G
Sink.Call 1, r : v = Sink.Get(r) : Sink.fail
