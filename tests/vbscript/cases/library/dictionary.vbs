' Scripting.Dictionary as scripts use it.
Set d = CreateObject("Scripting.Dictionary")
d.Add "one", 1
d.Add "two", 2
d("three") = 3
WScript.Echo d.Count, d("two"), d.Item("three"), d.Exists("one"), d.Exists("ONE")
' expect: 3 2 3 True False
keys = d.Keys : items = d.Items
WScript.Echo Join(keys, ","), items(2)
' expect: one,two,three 3
d.Remove "two"
WScript.Echo d.Count, Join(d.Keys, ",")
' expect: 2 one,three
d.Key("one") = "uno"
WScript.Echo d("uno"), d.Exists("one")
' expect: 1 False
WScript.Echo IsEmpty(d("missing")), d.Count
' expect: True 3
d.Add 1, "number key"
WScript.Echo d(1), d.Exists("1"), d.Exists(1.0)
' expect: number key False True
Set t = CreateObject("scripting.dictionary")
t.CompareMode = vbTextCompare
t.Add "Key", "v"
WScript.Echo t.Exists("KEY"), TypeName(t)
' expect: True Dictionary
For Each k In t
  WScript.Echo k, t(k)
Next
' expect: Key v
d.RemoveAll
WScript.Echo d.Count
' expect: 0
d.Add "a", 1
d.Add "a", 2
' error: (35, 1) VBScript runtime error 457: This key is already associated with an element of this collection
