Class Node
  Public Value, NextNode
  Private hidden
  Sub Class_Initialize : hidden = 1 : End Sub
  Sub Class_Terminate : hidden = 0 : End Sub
  Public Default Property Get Item : Item = Value : End Property
  Property Let Item(v) : Value = v : End Property
  Property Set Link(n) : Set NextNode = n : End Property
  Function Count() : If NextNode Is Nothing Then Count = 1 Else Count = 1 + NextNode.Count() : End Function
End Class
Set n = New Node : n.Item = 3 : Set n.Link = New Node
x = n & "" : y = n.Count()
Set n = Nothing
