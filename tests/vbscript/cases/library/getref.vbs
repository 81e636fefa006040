' GetRef gives a procedure as a value that can be called later.
Function Square(n) : Square = n * n : End Function
Sub Greet(name) : WScript.Echo "hello " & name : End Sub
Set f = GetRef("Square")
WScript.Echo f(7)
' expect: 49
Set g = GetRef("greet")
g "ref"
' expect: hello ref
WScript.Echo ScriptEngine, ScriptEngineMajorVersion
' expect: VBScript 5
x = CreateObject("Shell.Application")
' error: (12, 1) VBScript runtime error 429: ActiveX component can't create object: 'Shell.Application'
