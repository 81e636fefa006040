Sub Open
  x = 1
' error: (4, 1) VBScript compilation error 1014: Expected 'End'
