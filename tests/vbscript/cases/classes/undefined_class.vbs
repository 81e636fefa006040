Set x = New Missing
' error: (1, 1) VBScript runtime error 506: Class not defined: 'Missing'
