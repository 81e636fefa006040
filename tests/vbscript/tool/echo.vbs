' Echo converts each argument as CStr does and joins them with single blanks.
Dim total
total = 1 + 2 + 3
WScript.Echo "Total:", total, 1.5, True, Empty, #12/25/2026#
WScript.Echo
WScript.Echo "Done"
