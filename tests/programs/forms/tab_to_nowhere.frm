VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Nowhere to go"
   Height          =   1800
   Begin VB.TextBox Text1
   End
   Begin VB.CommandButton Off1
      Enabled         =   0   'False
      TabIndex        =   3
   End
End
' When Tab finds no control that can take the focus, the focus goes to
' TabIndex 0 whatever it holds: with nothing there, the text box loses the
' focus (and its Click runs for that, as for every notification of a text
' box). Shift+Tab then leaves the focus where it is.
DIM CLICKS AS INTEGER

SUB TEXT1_CLICK()
  CLICKS = CLICKS + 1
  MSG "Text1 click " & CLICKS
END SUB

' args: --events tab_to_nowhere.events
' expect: Message: Text1 click 1
' expect: Message: Text1 click 2
' expect: Form1 Form text="Nowhere to go" enabled visible left=512 top=324 width=0 height=120
' expect: Text1 TextBox text="" enabled visible left=0 top=0 width=0 height=0
' expect: Off1 CommandButton text="" disabled visible left=0 top=0 width=0 height=0
' expect: Message: Text1 click 3
