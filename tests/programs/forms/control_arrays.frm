VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Keypad"
   Height          =   3600
   Begin VB.CommandButton cmdDigit
      Caption         =   "7"
      Index           =   7
      TabIndex        =   2
   End
   Begin VB.CommandButton cmdDigit
      Caption         =   "0"
      Index           =   0
      TabIndex        =   0
   End
   Begin VB.CommandButton cmdDigit
      Caption         =   "1"
      Index           =   1
      TabIndex        =   1
   End
   Begin VB.OptionButton optMode
      Caption         =   "Add"
      Index           =   0
      Value           =   -1  'True
   End
   Begin VB.OptionButton optMode
      Caption         =   "Subtract"
      Index           =   1
   End
   Begin VB.TextBox txtField
      Index           =   0
      TabIndex        =   3
   End
   Begin VB.TextBox txtField
      Index           =   1
      TabIndex        =   4
   End
End
' Every element of a control array is built and bound as NAME(INDEX). The
' elements share the array's event procedures, which get the element's Index
' first when their header declares a parameter for it, and run without it
' when it declares none. Tab reaches every element.
SUB CMDDIGIT_CLICK(INDEX AS INTEGER)
  MSG "digit " & INDEX
END SUB

SUB OPTMODE_CLICK()
  MSG "mode chosen"
END SUB

SUB TXTFIELD_KEYPRESS(INDEX AS INTEGER, KEYASCII AS INTEGER)
  IF (INDEX = 1) THEN
    KEYASCII = 42
  ENDIF
END SUB

' args: --events control_arrays.events
' expect: Message: digit 7
' expect: Message: digit 0
' expect: Message: mode chosen
' expect: Form1 Form text="Keypad" enabled visible left=512 top=264 width=0 height=240
' expect: cmdDigit(7) CommandButton text="7" enabled visible left=0 top=0 width=0 height=0 focus
' expect: cmdDigit(0) CommandButton text="0" enabled visible left=0 top=0 width=0 height=0
' expect: cmdDigit(1) CommandButton text="1" enabled visible left=0 top=0 width=0 height=0
' expect: optMode(0) OptionButton text="Add" value=0 enabled visible left=0 top=0 width=0 height=0
' expect: optMode(1) OptionButton text="Subtract" value=1 enabled visible left=0 top=0 width=0 height=0
' expect: txtField(0) TextBox text="ab" enabled visible left=0 top=0 width=0 height=0
' expect: txtField(1) TextBox text="**" enabled visible left=0 top=0 width=0 height=0
