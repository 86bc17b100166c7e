VERSION 4.00
Begin VB.Form Form1
   Begin VB.TextBox Text1
      TabIndex        =   0
   End
   Begin VB.TextBox Short1
      MaxLength       =   3
   End
   Begin VB.TextBox Memo1
      Height          =   900
      MultiLine       =   -1  'True
      Width           =   1500
   End
   Begin VB.ComboBox Combo1
      Height          =   900
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
  MSG "Memo1 notified: " & LEN(MEMO1.TEXT)
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
' expect: Message: Memo1 notified: 0
' expect: Message: Memo1 notified: 2
' expect: Message: Memo1 notified: 2
