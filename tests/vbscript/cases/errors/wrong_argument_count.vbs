Sub Two(a, b) : End Sub
Two 1
' error: (2, 1) VBScript runtime error 450: Wrong number of arguments or invalid property assignment: 'Two'
