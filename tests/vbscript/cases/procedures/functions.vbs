' Functions return through their own name; recursion; procedures defined after their callers.
WScript.Echo Fib(20), Fact(12), Later()
' expect: 6765 479001600 defined below
Function Fib(n)
  If n < 2 Then
    Fib = n
  Else
    Fib = Fib(n - 1) + Fib(n - 2)
  End If
End Function
Function Fact(n)
  Fact = 1
  If n > 1 Then Fact = n * Fact(n - 1)
End Function
Function Later()
  Later = "defined below"
End Function
Function Early(x)
  Early = "start"
  If x Then Exit Function
  Early = "end"
End Function
WScript.Echo Early(True), Early(False)
' expect: start end
Function NoValue()
End Function
WScript.Echo IsEmpty(NoValue())
' expect: True
Function MakeList()
  MakeList = Array(3, 2, 1)
End Function
WScript.Echo MakeList()(0), UBound(MakeList)
' expect: 3 2
Function Counter()
  Static_count = Static_count + 1
  Counter = Static_count
End Function
WScript.Echo Counter(), Counter()
' expect: 1 1
total = 0
Sub AddTo(amount) : total = total + amount : End Sub
AddTo 5 : AddTo 7
WScript.Echo total
' expect: 12
