' Host members are reached case-insensitively; a bad argument is the script's error.
gtalk.STATUS "loud"
' expect: status: loud
Wait "soon"
' error: (4, 1) VBScript runtime error 13: Type mismatch
