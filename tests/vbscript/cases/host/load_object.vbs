' LoadObject adds a creatable object under a name, its members global.
LoadObject "Store", "Scripting.Dictionary"
Store.Add "k", 1
WScript.Echo Store.Count, Count, TypeName(Store)
' expect: 1 1 Dictionary
LoadObject "Nope", "No.Such.Class"
' error: (6, 1) VBScript runtime error 429: ActiveX component can't create object
