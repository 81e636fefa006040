' The message box constants, for scripts that build a MsgBox style.
WScript.Echo vbOKOnly, vbOKCancel, vbAbortRetryIgnore, vbYesNoCancel, vbYesNo, vbRetryCancel
' expect: 0 1 2 3 4 5
WScript.Echo vbCritical, vbQuestion, vbExclamation, vbInformation
' expect: 16 32 48 64
WScript.Echo vbDefaultButton1, vbDefaultButton2, vbDefaultButton3, vbDefaultButton4
' expect: 0 256 512 768
WScript.Echo vbApplicationModal, vbSystemModal, vbMsgBoxHelpButton, vbMsgBoxSetForeground
' expect: 0 4096 16384 65536
WScript.Echo vbMsgBoxRight, vbMsgBoxRtlReading, vbYesNo + vbQuestion + vbDefaultButton2 + vbSystemModal
' expect: 524288 1048576 4388
