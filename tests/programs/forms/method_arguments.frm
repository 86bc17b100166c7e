VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Methods"
   Begin VB.ListBox List1
   End
End
' A control method's argument is the rest of the line as written, so an
' operator inside a call in the argument keeps its blanks, and one outside
' parentheses belongs to the argument too.
' expect: Message: B5
' expect: Message: x
' expect: Message: Item 5
' expect: Message: 3 items, no fourth: []
SUB FORM_LOAD()
  DIM I AS INTEGER
  I = 5
  LIST1.ADDITEM UCASE("b" & I)
  LIST1.ADDITEM("x")
  LIST1.ADDITEM "Item " & I
  LIST1.ADDITEM "gone"
  LIST1.REMOVEITEM I - 2
  MSG LIST1.LIST(0)
  MSG LIST1.LIST(1)
  MSG LIST1.LIST(2)
  MSG LIST1.LISTCOUNT & " items, no fourth: [" & LIST1.LIST(3) & "]"
END SUB
