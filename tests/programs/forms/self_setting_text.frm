VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Rewrite"
   Begin VB.TextBox Text1
   End
   Begin VB.TextBox Text2
   End
   Begin VB.CommandButton Command1
   End
End
' A text box's Click runs for each of its notifications, and setting its text
' notifies. Setting the text it already holds changes nothing and notifies
' nothing, so Text1's Click, which upper-cases its own text, comes to an end.
' Text2's Click adds to its own text every time: each chain stops when every
' frame is in use (99 calls deep), with one message for the user's action
' however many chains it set off, and the next action goes on as usual.
' Typing into Text2 sets off three chains (focus, update, change); the click
' on Command1 one more (Text2 loses the focus): 1 + 4 * 99 characters.
DIM CALLS AS INTEGER

SUB FORM_LOAD()
  TEXT1.TEXT = "SAME"
  FORM1.CAPTION = "Rewrite"
  TEXT1.TEXT = "SAME"
  TEXT1.CAPTION = "SAME"
  MSG "calls after setting the same text again: " & CALLS
END SUB

SUB TEXT1_CLICK()
  CALLS = CALLS + 1
  TEXT1.TEXT = UCASE(TEXT1.TEXT)
END SUB

SUB TEXT2_CLICK()
  TEXT2.TEXT = TEXT2.TEXT & "x"
END SUB

SUB COMMAND1_CLICK()
  MSG "Text1 " & TEXT1.TEXT & " after " & CALLS & " calls; Text2 holds " & LEN(TEXT2.TEXT)
END SUB
' args: --events self_setting_text.events
' expect: Message: calls after setting the same text again: 2
' expect: Quorl: TOO MANY NESTED CALLS!
' expect: TEXT2.TEXT = TEXT2.TEXT & "x"
' expect: Quorl: TOO MANY NESTED CALLS!
' expect: TEXT2.TEXT = TEXT2.TEXT & "x"
' expect: Message: Text1 SAMEA after 8 calls; Text2 holds 397
