VERSION 4.00
Begin VB.Form Form1
   Begin VB.TextBox Text1
      TabIndex        =   0
   End
   Begin VB.ComboBox Combo1
   End
   Begin VB.ListBox List1
   End
   Begin VB.ListBox Many1
      MultiSelect     =   1  'Simple
   End
   Begin VB.Timer Refill1
      Interval        =   100
   End
End
' Picking an item moves the focus first, and the focus change runs the script:
' when it empties the list, the item is gone and nothing is selected or read.
' Each tick refills the lists and arms Text1, which empties them all when it
' next notifies (losing the focus to the list).
DIM ARMED AS BOOLEAN

SUB REFILL1_TIMER()
  DIM I AS INTEGER
  FOR I = 1 TO 3
    COMBO1.ADDITEM "item " & I
    LIST1.ADDITEM "item " & I
    MANY1.ADDITEM "item " & I
  NEXT I
  ARMED = TRUE
END SUB

SUB TEXT1_CLICK()
  IF ARMED THEN
    COMBO1.CLEAR
    LIST1.CLEAR
    MANY1.CLEAR
    ARMED = FALSE
  ENDIF
END SUB

SUB COMBO1_CLICK()
  MSG "never: Combo1 picked [" & COMBO1.TEXT & "]"
END SUB

SUB LIST1_CLICK()
  MSG "List1 notified at " & LIST1.LISTINDEX & " of " & LIST1.LISTCOUNT
END SUB

SUB MANY1_CLICK()
  MSG "Many1 notified: " & MANY1.LISTCOUNT & " items"
END SUB
' args: --events list_emptied_on_focus.events
' expect: Message: List1 notified at -1 of 0
' expect: Message: List1 notified at -1 of 0
' expect: Message: Many1 notified: 0 items
