Set d = CreateObject("Scripting.Dictionary")
d.Fly 1
' error: (2, 1) VBScript runtime error 438: Object doesn't support this property or method: 'Fly'
