' Classes: public and private members, properties, methods, Me, New, and objects as values.
Class Account
  Public Owner
  Private balance_
  Private Sub Class_Initialize()
    balance_ = 0
  End Sub
  Public Property Get Balance
    Balance = balance_
  End Property
  Public Property Let Balance(value)
    If value < 0 Then Err.Raise 5, "Account", "negative balance"
    balance_ = value
  End Property
  Public Function Deposit(amount)
    balance_ = balance_ + amount
    Set Deposit = Me
  End Function
  Public Sub Describe()
    WScript.Echo Owner & " has " & Balance
  End Sub
  Private Function Secret()
    Secret = 42
  End Function
  Public Function Reveal()
    Reveal = Secret() + Me.Secret
  End Function
End Class
Set acct = New Account
acct.Owner = "Ann"
acct.Balance = 10
acct.Deposit(5).Deposit 7
acct.Describe
' expect: Ann has 22
WScript.Echo acct.Reveal(), TypeName(acct), IsObject(acct), VarType(acct)
' expect: 84 Account True 9
Set other = acct
other.Owner = "Bob"
WScript.Echo acct.Owner
' expect: Bob
Set acct = Nothing
WScript.Echo other.Balance, acct Is Nothing
' expect: 22 True
Class Node
  Public Value, NextNode
End Class
Set head = Nothing
For i = 1 To 3
  Set n = New Node
  n.Value = i
  Set n.NextNode = head
  Set head = n
Next
s = ""
Set cur = head
Do Until cur Is Nothing
  s = s & cur.Value
  Set cur = cur.NextNode
Loop
WScript.Echo s
' expect: 321
Class Stack
  Private items(), count_
  Sub Class_Initialize : ReDim items(0) : count_ = 0 : End Sub
  Sub Push(v)
    ReDim Preserve items(count_)
    items(count_) = v
    count_ = count_ + 1
  End Sub
  Function Pop()
    count_ = count_ - 1
    Pop = items(count_)
  End Function
  Property Get Count : Count = count_ : End Property
End Class
Set st = New Stack
st.Push "a" : st.Push "b"
WScript.Echo st.Pop(), st.Count
' expect: b 1
