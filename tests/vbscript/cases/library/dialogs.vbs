' A host without a user interface refuses dialogs.
MsgBox "hello"
' error: (2, 1) VBScript runtime error 70: Permission denied
