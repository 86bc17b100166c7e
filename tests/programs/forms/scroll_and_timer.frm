VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Scroll"
   Height          =   3600
   Begin VB.VScrollBar VScroll1
      LargeChange     =   10
      Max             =   25
      SmallChange     =   2
      Value           =   5
   End
   Begin VB.Frame Frame1
      Begin VB.HScrollBar HScroll1
         Max             =   3
      End
   End
   Begin VB.ListBox Many1
      MultiSelect     =   1  'Simple
   End
   Begin VB.CommandButton Restart1
   End
   Begin VB.Timer Clock1
      Interval        =   1000
   End
   Begin VB.Timer Clock2
      Enabled         =   0   'False
      Interval        =   250
   End
End
' Scroll requests move the thumb by SmallChange or LargeChange within the
' range; a change of position runs the Change procedure, a request that
' moves nothing does not. Every tick of the form's one timer runs the Timer
' procedure of the first Timer of the form. The description of the form shows
' line breaks escaped and which items a multiple-selection list has selected.
DIM TICKS AS INTEGER

SUB VSCROLL1_CHANGE()
  MSG "VScroll1 at " & VSCROLL1.VALUE
END SUB

SUB HSCROLL1_CHANGE()
  MSG "HScroll1 at " & HSCROLL1
END SUB

SUB CLOCK1_TIMER()
  TICKS = TICKS + 1
  MSG "tick " & TICKS
  IF (TICKS = 2) THEN
    CLOCK1.ENABLED = FALSE
    MSG "Clock1 enabled " & CLOCK1.ENABLED
  ENDIF
  IF (TICKS = 4) THEN
    END
  ENDIF
END SUB

SUB CLOCK2_TIMER()
  MSG "never: the first Timer's procedure runs"
END SUB

SUB RESTART1_CLICK()
  CLOCK1.ENABLED = TRUE
END SUB

SUB FORM_LOAD()
  FRAME1.CAPTION = "Framed" & CRLF
  MANY1.ADDITEM "red"
  MANY1.ADDITEM "green"
  MSG "Clock2 enabled " & CLOCK2.ENABLED
  CLOCK2.INTERVAL = 300
  MSG "Clock2 enabled " & CLOCK2.ENABLED
END SUB

' args: --events scroll_and_timer.events
' expect: Message: Clock2 enabled 0
' expect: Message: Clock2 enabled 0
' expect: Message: VScroll1 at 7
' expect: Message: VScroll1 at 17
' expect: Message: VScroll1 at 25
' expect: Message: VScroll1 at 23
' expect: Message: VScroll1 at 0
' expect: Message: VScroll1 at 12
' expect: Message: VScroll1 at 25
' expect: Message: HScroll1 at 1
' expect: Message: tick 1
' expect: Message: tick 2
' expect: Message: Clock1 enabled 0
' expect: Form1 Form text="Scroll" enabled visible left=512 top=264 width=0 height=240
' expect: VScroll1 VScrollBar value=25 min=0 max=25 enabled visible left=0 top=0 width=0 height=0
' expect: Frame1 Frame text="Framed\r\n" enabled visible left=0 top=0 width=0 height=0
' expect: HScroll1 HScrollBar value=1 min=0 max=3 enabled visible left=0 top=0 width=0 height=0
' expect: Many1 ListBox text="" items=["red", "green"] index=1 selected=[1] enabled visible left=0 top=0 width=0 height=0 focus
' expect: Restart1 CommandButton text="" enabled visible left=0 top=0 width=0 height=0
' expect: Clock1 Timer interval=1000 disabled
' expect: Clock2 Timer interval=300 disabled
' expect: Message: tick 3
' expect: Message: tick 4
