VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Status"
   Height          =   3600
   Begin VB.CommandButton Work1
   End
   Begin VB.CommandButton Stop1
   End
End
' SETSTATUS shows the status strip at the bottom of the form, which grows by
' the strip's height once, and so does its client area; ENDSTATUS hides it
' and the form shrinks back. The percentage is kept within 0 to 100; -1 shows
' no progress bar. The script places the form, so no size depends on the font.
SUB FORM_LOAD()
  DIM CLIENT AS INTEGER
  FORM1.LEFT = 100
  FORM1.WIDTH = 300
  CLIENT = FORM1.SCALEHEIGHT
  MSG "shown " & SETSTATUS("Loading", 150)
  SETSTATUS "Still loading", -5
  MSG "height " & FORM1.HEIGHT & ", client grew by " & (FORM1.SCALEHEIGHT - CLIENT)
END SUB

SUB WORK1_CLICK()
  SETSTATUS "Working"
  SETSTATUS "Half way", 50
END SUB

SUB STOP1_CLICK()
  ENDSTATUS
  ENDSTATUS
  SETSTATUS(, 5)
END SUB

SUB FORM1_CLICK()
  MSG "never: the form is no control that notifies"
END SUB

' args: --events status_line.events
' expect: Message: shown 1
' expect: Message: height 263, client grew by 23
' expect: Form1 Form text="Status" enabled visible left=100 top=264 width=300 height=263
' expect: Work1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Stop1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: status text="Still loading" percent=0
' expect: Form1 Form text="Status" enabled visible left=100 top=264 width=300 height=263
' expect: Work1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0 focus
' expect: Stop1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: status text="Half way" percent=50
' expect: Quorl: CAN'T CONVERT PARAMETERS!
' expect: SETSTATUS(, 5)
' expect: Form1 Form text="Status" enabled visible left=100 top=264 width=300 height=240
' expect: Work1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Stop1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0 focus
