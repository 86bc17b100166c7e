VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Typing"
   Height          =   3600
   Width           =   4800
   Begin VB.TextBox Text1
      Height          =   300
      TabIndex        =   0
      Width           =   1500
   End
   Begin VB.TextBox Short1
      Height          =   300
      MaxLength       =   3
      TabIndex        =   1
      Width           =   1500
   End
   Begin VB.TextBox Memo1
      Height          =   900
      MultiLine       =   -1  'True
      TabIndex        =   2
      Width           =   1500
   End
   Begin VB.ComboBox Combo1
      Height          =   900
      TabIndex        =   3
      Width           =   1500
   End
End
' The KeyPress procedure sees each typed character's code and may replace
' it through its parameter: here letters become capitals and digits are
' refused (code 0). A text box notifies on focus and on every change, and
' each notification runs its Click procedure; a combo box's typing runs its
' Change procedure.
SUB TEXT1_KEYPRESS(KEYASCII AS INTEGER)
  MSG "KeyPress " & KEYASCII
  IF (KEYASCII >= 97 AND KEYASCII <= 122) THEN
    KEYASCII = KEYASCII - 32
  ELSEIF (KEYASCII >= 48 AND KEYASCII <= 57) THEN
    KEYASCII = 0
  ENDIF
END SUB

SUB TEXT1_CLICK()
  MSG "Text1 notified: " & TEXT1.TEXT
END SUB

SUB SHORT1_CLICK()
  MSG "Short1 notified: " & SHORT1.TEXT
END SUB

SUB COMBO1_KEYPRESS(K AS INTEGER)
  MSG "Combo KeyPress " & K
END SUB

SUB COMBO1_CHANGE()
  MSG "Combo changed to " & COMBO1.TEXT
END SUB

SUB COMBO1_CLICK()
  MSG "never: typing is no click"
END SUB

SUB MEMO1_CLICK()
  MSG "Memo1 notified"
END SUB

' args: --events keypress.events
' expect: Message: KeyPress 97
' expect: Message: Text1 notified: A
' expect: Message: Text1 notified: A
' expect: Message: KeyPress 49
' expect: Message: KeyPress 8
' expect: Message: Text1 notified: 
' expect: Message: Text1 notified: 
' expect: Message: Text1 notified: 
' expect: Message: Short1 notified: 
' expect: Message: Short1 notified: a
' expect: Message: Short1 notified: a
' expect: Message: Short1 notified: ab
' expect: Message: Short1 notified: ab
' expect: Message: Short1 notified: abc
' expect: Message: Short1 notified: abc
' expect: Message: Short1 notified: abc
' expect: Message: Short1 notified: abc
' expect: Message: Combo KeyPress 72
' expect: Message: Combo changed to H
' expect: Message: Combo KeyPress 105
' expect: Message: Combo changed to Hi
' expect: Message: Memo1 notified
' expect: Message: Memo1 notified
' expect: Message: Memo1 notified
' expect: Form1 Form text="Typing" enabled visible left=352 top=264 width=320 height=240
' expect: Text1 TextBox text="" enabled visible left=0 top=0 width=100 height=20
' expect: Short1 TextBox text="abc" enabled visible left=0 top=0 width=100 height=20
' expect: Memo1 TextBox text="\r\n" enabled visible left=0 top=0 width=100 height=60 focus
' expect: Combo1 ComboBox text="Hi" items=[] index=-1 enabled visible left=0 top=0 width=100 height=300
' expect-desktop: Message: KeyPress 97
' expect-desktop: Message: Text1 notified: A
' expect-desktop: Message: Text1 notified: A
' expect-desktop: Message: KeyPress 49
' expect-desktop: Message: KeyPress 8
' expect-desktop: Message: Text1 notified: 
' expect-desktop: Message: Text1 notified: 
' expect-desktop: Message: Text1 notified: 
' expect-desktop: Message: Short1 notified: 
' expect-desktop: Message: Short1 notified: a
' expect-desktop: Message: Short1 notified: a
' expect-desktop: Message: Short1 notified: ab
' expect-desktop: Message: Short1 notified: ab
' expect-desktop: Message: Short1 notified: abc
' expect-desktop: Message: Short1 notified: abc
' expect-desktop: Message: Short1 notified: abc
' expect-desktop: Message: Short1 notified: abc
' expect-desktop: Message: Combo KeyPress 72
' expect-desktop: Message: Combo changed to H
' expect-desktop: Message: Combo KeyPress 105
' expect-desktop: Message: Combo changed to Hi
' expect-desktop: Message: Memo1 notified
' expect-desktop: Message: Memo1 notified
' expect-desktop: Message: Memo1 notified
' expect-desktop: Form1 Form text="Typing" enabled visible left=372 top=264 width=280 height=240
' expect-desktop: Text1 TextBox text="" enabled visible left=0 top=0 width=87 height=20
' expect-desktop: Short1 TextBox text="abc" enabled visible left=0 top=0 width=87 height=20
' expect-desktop: Memo1 TextBox text="\r\n" enabled visible left=0 top=0 width=87 height=60 focus
' expect-desktop: Combo1 ComboBox text="Hi" items=[] index=-1 enabled visible left=0 top=0 width=87 height=20
