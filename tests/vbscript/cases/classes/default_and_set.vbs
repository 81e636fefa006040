' A default member, Property Set, With on a class, and objects in arrays.
Class Box
  Private content_
  Public Default Property Get Content
    If IsObject(content_) Then Set Content = content_ Else Content = content_
  End Property
  Public Property Let Content(v) : content_ = v : End Property
  Public Property Set Content(v) : Set content_ = v : End Property
End Class
Set b = New Box
b.Content = "inside"
WScript.Echo b, b.Content & "!", "value: " & b
' expect: inside inside! value: inside
Set inner = New Box
inner.Content = "nested"
Set b.Content = inner
WScript.Echo b.Content.Content
' expect: nested
With New Box
  .Content = 7
  WScript.Echo .Content * 6
End With
' expect: 42
Dim boxes(1)
Set boxes(0) = New Box
boxes(0).Content = "in array"
WScript.Echo boxes(0).Content
' expect: in array
