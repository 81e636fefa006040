' stop-after: 3
' A status that cycles through a playlist, trimming long titles, until the user stops it.
Dim songs, index, title
songs = Array("Short Song", "A Very Long Song Title That Will Not Fit In The Status Line", "Third")
index = 0
Do
  title = songs(index Mod (UBound(songs) + 1))
  If Len(title) > 20 Then title = Left(title, 17) & "..."
  Status "Now playing: " & title & " (" & (index + 1) & "/" & (UBound(songs) + 1) & ")"
  index = index + 1
  Wait 5000
Loop Until CheckEnd()
' expect: status: Now playing: Short Song (1/3)
' expect: status: Now playing: A Very Long Song ... (2/3)
' expect: status: Now playing: Third (3/3)
