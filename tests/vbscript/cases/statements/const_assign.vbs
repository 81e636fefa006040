Const Limit = 10
Limit = 11
' error: (2, 1) VBScript runtime error 501: Illegal assignment: 'Limit'
