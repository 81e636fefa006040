' Dates: the parts, arithmetic by interval, and the formats en-US users see. The host's clock
' stands at 6/12/2026 3:04:05 PM.
WScript.Echo Date, Year(Now), Month(Now), Day(Now), Hour(Now), Minute(Now), Second(Now)
' expect: 6/12/2026 2026 6 12 15 4 5
WScript.Echo Weekday(Date), WeekdayName(Weekday(Date)), MonthName(6), MonthName(6, True), WeekdayName(1, True, vbMonday)
' expect: 6 Friday June Jun Mon
WScript.Echo Int(Timer), TypeName(Time), FormatDateTime(Time, vbShortTime)
' expect: 54245 Date 15:04
d = #1/31/2024 10:30:00 AM#
WScript.Echo DateAdd("m", 1, d), DateAdd("d", 1, d), DateAdd("yyyy", -1, d), DateAdd("h", 14, d)
' expect: 2/29/2024 10:30:00 AM 2/1/2024 10:30:00 AM 1/31/2023 10:30:00 AM 2/1/2024 12:30:00 AM
WScript.Echo DateAdd("n", -31, d), DateAdd("s", 30, d), DateAdd("q", 1, d), DateAdd("ww", 2, d)
' expect: 1/31/2024 9:59:00 AM 1/31/2024 10:30:30 AM 4/30/2024 10:30:00 AM 2/14/2024 10:30:00 AM
WScript.Echo DateDiff("d", #1/1/2024#, #3/1/2024#), DateDiff("m", #1/31/2024#, #2/1/2024#), DateDiff("yyyy", #12/31/2023#, #1/1/2024#)
' expect: 60 1 1
WScript.Echo DateDiff("h", #1/1/2024 11:59 PM#, #1/2/2024 12:01 AM#), DateDiff("n", #1/1/2024#, #1/1/2024 1:30 AM#), DateDiff("s", d, DateAdd("s", 90, d))
' expect: 1 90 90
WScript.Echo DateDiff("ww", #6/1/2026#, #6/15/2026#), DateDiff("w", #6/1/2026#, #6/15/2026#), DateDiff("d", #3/1/2024#, #1/1/2024#)
' expect: 2 2 -60
WScript.Echo DatePart("yyyy", d), DatePart("q", d), DatePart("y", #2/1/2024#), DatePart("w", d), DatePart("ww", #1/6/2024#), DatePart("ww", #1/7/2024#)
' expect: 2024 1 32 4 1 2
WScript.Echo DateSerial(2024, 2, 30), DateSerial(2024, 13, 1), DateSerial(99, 1, 1), DateSerial(2024, 3, 0)
' expect: 3/1/2024 1/1/2025 1/1/1999 2/29/2024
WScript.Echo TimeSerial(13, 5, 0), TimeSerial(0, 90, 0), TimeSerial(25, 0, 0)
' expect: 1:05:00 PM 1:30:00 AM 12/31/1899 1:00:00 AM
WScript.Echo DateValue("June 12, 2026 3:04 PM"), TimeValue("3:04 PM"), CDate("12/25/2026") - CDate("12/24/2026")
' expect: 6/12/2026 3:04:00 PM 1
WScript.Echo FormatDateTime(d), FormatDateTime(d, vbLongDate), FormatDateTime(d, vbShortDate), FormatDateTime(d, vbLongTime), FormatDateTime(d, vbShortTime)
' expect: 1/31/2024 10:30:00 AM Wednesday, January 31, 2024 1/31/2024 10:30:00 AM 10:30
WScript.Echo CDate(0), CDate(0.5), CDate(-1.25), Year(#1/1/100#), Month(#12/31/9999#)
' expect: 12/30/1899 12:00:00 PM 12/29/1899 6:00:00 AM 100 12
