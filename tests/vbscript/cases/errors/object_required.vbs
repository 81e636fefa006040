Dim notAnObject
notAnObject = 5
notAnObject.Go
' error: (3, 1) VBScript runtime error 424: Object required: 'notAnObject'
