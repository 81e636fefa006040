' Numbers in every form the language writes them, and the type each literal takes.
WScript.Echo 42, -7, &HFF, &H10&, &O17, 1.5, .25, 1E3, 2.5e-3
' expect: 42 -7 255 16 15 1.5 0.25 1000 0.0025
WScript.Echo &HFFFF, &HFFFFFFFF, &H8000
' expect: -1 -1 -32768
WScript.Echo TypeName(1), TypeName(40000), TypeName(1.5), TypeName(3000000000), TypeName(&HFFFF&)
' expect: Integer Long Double Double Long
WScript.Echo "He said ""hi""", "", "tab	inside"
' expect: He said "hi"  tab	inside
WScript.Echo #1/2/2003#, #2003-01-02 13:45#, #3:04:05 PM#, TypeName(#1/2/2003#)
' expect: 1/2/2003 1/2/2003 1:45:00 PM 3:04:05 PM Date
WScript.Echo TypeName(Empty), TypeName(Null), TypeName(Nothing), True, False
' expect: Empty Null Nothing True False
