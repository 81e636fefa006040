' Not, And, Or, Xor, Eqv and Imp are bitwise on numbers and logical on Booleans; Null is
' "unknown".
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not True, True And False
' expect: 8 14 6 -1 False False
WScript.Echo 5 Eqv 3, 0 Imp 0, True Imp False, False Imp True, TypeName(1 And 1&)
' expect: -7 -1 False True Long
WScript.Echo IsNull(Null And True), Null And False, Null Or True, IsNull(Null Or False)
' expect: True False True True
WScript.Echo IsNull(Not Null), IsNull(Null Xor True), 1 < 2 And 2 < 3, Not 1 > 2
' expect: True True True True
