x = CLng("twelve")
' error: (1, 1) VBScript runtime error 13: Type mismatch
