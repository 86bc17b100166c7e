VERSION 4.00
Begin VB.Form Form1
   Begin VB.ListBox List1
      Sorted          =   -1  'True
   End
   Begin VB.ListBox Many1
      MultiSelect     =   1  'Simple
   End
   Begin VB.ComboBox Combo1
   End
   Begin VB.ComboBox Pick1
      Style           =   2  'Dropdown List
   End
   Begin VB.TextBox Text1
   End
End
' The list methods, and the user's choices: picking an item of a list box or
' combo box runs its Click procedure; setting LISTINDEX from the script does not.
' A method's argument is the rest of the line as written, operators and all.
' A list box's Click also runs when it gains or loses the focus, as a text
' box's does for each of its notifications; a combo box's does not.
SUB FORM_LOAD()
  DIM I AS INTEGER
  LIST1.ADDITEM "pear"
  LIST1.ADDITEM "Apple"
  MSG "apple went to " & LIST1.NEWINDEX
  LIST1.ADDITEM "fig"
  MSG "fig went to " & LIST1.NEWINDEX & ", count " & LIST1.LISTCOUNT
  MSG "items " & LIST1.LIST(0) & " " & LIST1.LIST(1) & " " & LIST1.LIST(2) & " [" & LIST1.LIST(7) & "]"
  LIST1.LISTINDEX = 1
  MSG "index " & LIST1.LISTINDEX & " selected " & LIST1.SELECTED(1) & LIST1.SELECTED(0)
  LIST1.LISTINDEX = -1
  MSG "index " & LIST1.LISTINDEX
  LIST1.REMOVEITEM 0
  MSG "after remove: new index " & LIST1.NEWINDEX & ", count " & LIST1.LISTCOUNT & ", first " & LIST1.LIST(0)
  LIST1.REMOVEITEM(-1)
  MSG "nothing removed: count " & LIST1.LISTCOUNT
  MANY1.ADDITEM "red"
  MANY1.ADDITEM "green"
  MANY1.ADDITEM "blue"
  I = 1
  COMBO1.ADDITEM LCASE("ON" & "E")
  COMBO1.ADDITEM("two")
  COMBO1.ADDITEM "gone " & I
  MSG COMBO1.LIST(0) & COMBO1.LIST(1) & " " & COMBO1.LIST(2)
  COMBO1.REMOVEITEM I + 1
  PICK1.ADDITEM "alpha"
  PICK1.ADDITEM "beta"
  PICK1.ADDITEM "bravo"
  TEXT1.ADDITEM "ignored"
  MSG "text list [" & TEXT1.LIST(0) & "]"
  TEXT1.CLEAR
END SUB

SUB LIST1_CLICK()
  MSG "List1 click: " & LIST1.LISTINDEX & " [" & LIST1.LIST(LIST1.LISTINDEX) & "]"
END SUB

SUB MANY1_CLICK()
  MSG "Many1 selected " & MANY1.SELECTED(0) & MANY1.SELECTED(1) & MANY1.SELECTED(2)
END SUB

SUB COMBO1_CLICK()
  MSG "Combo1 click: " & COMBO1.TEXT & " at " & COMBO1.LISTINDEX & " of " & COMBO1.LISTCOUNT
END SUB

SUB PICK1_CLICK()
  MSG "Pick1 click: " & PICK1.TEXT
END SUB

SUB COMBO1_CHANGE()
  MSG "never: choosing is no change"
END SUB

SUB TEXT1_CLICK()
  MSG "List1 " & LIST1.LIST(0) & " " & LIST1.LIST(1) & " at " & LIST1.LISTINDEX & ", Many1 " & MANY1.SELECTED(0) & MANY1.SELECTED(1) & MANY1.SELECTED(2) & " at " & MANY1.LISTINDEX
  MSG "Combo1 " & COMBO1.TEXT & " at " & COMBO1.LISTINDEX & ", Pick1 " & PICK1.TEXT & " at " & PICK1.LISTINDEX
  COMBO1.CLEAR
  MSG "Combo1 cleared: " & COMBO1.LISTCOUNT & " [" & COMBO1.TEXT & "]"
END SUB

' args: --events lists.events
' expect: Message: apple went to 0
' expect: Message: fig went to 1, count 3
' expect: Message: items Apple fig pear []
' expect: Message: index 1 selected 10
' expect: Message: index -1
' expect: Message: after remove: new index 0, count 2, first fig
' expect: Message: nothing removed: count 2
' expect: Message: onetwo gone 1
' expect: Message: List1 click: -1 []
' expect: Message: List1 click: 1 [pear]
' expect: Message: List1 click: 0 [fig]
' expect: Message: List1 click: 0 [fig]
' expect: Message: Many1 selected 000
' expect: Message: Many1 selected 100
' expect: Message: Many1 selected 101
' expect: Message: Many1 selected 001
' expect: Message: Many1 selected 001
' expect: Message: Combo1 click: two at 1 of 2
' expect: Message: Pick1 click: beta
' expect: Message: Pick1 click: bravo
' expect: Message: List1 fig pear at 0, Many1 001 at 0
' expect: Message: Combo1 two at 1, Pick1 bravo at 2
' expect: Message: Combo1 cleared: 0 []
