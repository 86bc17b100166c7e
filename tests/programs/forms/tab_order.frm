VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Tab order"
   Height          =   3600
   Begin VB.CommandButton Second
      TabIndex        =   1
   End
   Begin VB.CommandButton First
      TabIndex        =   0
   End
   Begin VB.CommandButton Off1
      TabIndex        =   2
   End
   Begin VB.CommandButton Hidden1
      TabIndex        =   3
      Visible         =   0   'False
   End
   Begin VB.CommandButton Loose1
   End
   Begin VB.CheckBox Last1
      TabIndex        =   4
   End
End
' Tab and Shift+Tab move the focus through the TabIndex order, round at the
' ends, past controls that are disabled or hidden. A control without a
' TabIndex is in no order: Tab from it goes to TabIndex 1, Shift+Tab to the
' last of the order.
SUB FORM_LOAD()
  OFF1.ENABLED = FALSE
END SUB

' args: --events tab_order.events
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Off1 CommandButton text="" disabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Last1 CheckBox text="" value=0 enabled visible left=0 top=0 width=0 height=0 focus
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="" enabled visible left=0 top=0 width=0 height=0 focus
' expect: First CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Off1 CommandButton text="" disabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Last1 CheckBox text="" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="" enabled visible left=0 top=0 width=0 height=0 focus
' expect: First CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Off1 CommandButton text="" disabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Last1 CheckBox text="" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Off1 CommandButton text="" disabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Last1 CheckBox text="" value=0 enabled visible left=0 top=0 width=0 height=0 focus
