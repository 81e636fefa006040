' A status built from the date and time, the way status scripts format them.
Function TwoDigits(n)
  TwoDigits = Right("0" & n, 2)
End Function
Function Stamp(d)
  Dim h, suffix
  h = Hour(d)
  suffix = "AM"
  If h >= 12 Then suffix = "PM"
  If h > 12 Then h = h - 12
  If h = 0 Then h = 12
  Stamp = WeekdayName(Weekday(d)) & ", " & MonthName(Month(d)) & " " & Day(d) & " - " & h & ":" & TwoDigits(Minute(d)) & " " & suffix
End Function
Status Stamp(Now)
' expect: status: Friday, June 12 - 3:04 PM
daysLeft = DateDiff("d", Date, DateSerial(Year(Date), 12, 25))
Status daysLeft & " days until Christmas"
' expect: status: 196 days until Christmas
Status "Week " & DatePart("ww", Date) & ", day " & DatePart("y", Date) & " of " & Year(Date)
' expect: status: Week 24, day 163 of 2026
Status FormatDateTime(Now, vbLongDate) & " " & FormatDateTime(Now, vbShortTime)
' expect: status: Friday, June 12, 2026 15:04
