VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Tab order"
   Height          =   3600
   Begin VB.CommandButton Second
      Caption         =   "Second"
      TabIndex        =   1
   End
   Begin VB.CommandButton First
      Caption         =   "First"
      TabIndex        =   0
   End
   Begin VB.CommandButton Third
      Caption         =   "Third"
      TabIndex        =   2
   End
   Begin VB.CommandButton Fourth
      Caption         =   "Fourth"
      TabIndex        =   3
   End
   Begin VB.CommandButton Hidden1
      Caption         =   "Hidden"
      TabIndex        =   4
      Visible         =   0   'False
   End
   Begin VB.CommandButton Loose1
      Caption         =   "No tab index"
   End
   Begin VB.CheckBox Toggle1
      Caption         =   "Disable Third"
      TabIndex        =   5
   End
End
' Tab and Shift+Tab move the focus through the TabIndex order, round at the
' ends, past controls that are disabled or hidden. The form starts with the
' focus on the first control of the order.
SUB TOGGLE1_CLICK()
  THIRD.ENABLED = NOT TOGGLE1.VALUE
END SUB

' args: --events tab_order.events
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Third CommandButton text="Third" enabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0
' expect: Third CommandButton text="Third" enabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=0 enabled visible left=0 top=0 width=0 height=0 focus
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Third CommandButton text="Third" enabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0
' expect: Third CommandButton text="Third" enabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0
' expect: Third CommandButton text="Third" disabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=1 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Third CommandButton text="Third" disabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=1 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0 focus
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0
' expect: Third CommandButton text="Third" disabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=1 enabled visible left=0 top=0 width=0 height=0
' expect: Form1 Form text="Tab order" enabled visible left=512 top=264 width=0 height=240
' expect: Second CommandButton text="Second" enabled visible left=0 top=0 width=0 height=0
' expect: First CommandButton text="First" enabled visible left=0 top=0 width=0 height=0
' expect: Third CommandButton text="Third" disabled visible left=0 top=0 width=0 height=0
' expect: Fourth CommandButton text="Fourth" enabled visible left=0 top=0 width=0 height=0
' expect: Hidden1 CommandButton text="Hidden" enabled hidden left=0 top=0 width=0 height=0
' expect: Loose1 CommandButton text="No tab index" enabled visible left=0 top=0 width=0 height=0
' expect: Toggle1 CheckBox text="Disable Third" value=1 enabled visible left=0 top=0 width=0 height=0 focus
