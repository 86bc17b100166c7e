VERSION 4.00
Begin VB.Form Stopwatch
   Caption         =   "Stopwatch"
   Height          =   2400
   Width           =   3600
   Begin VB.Label Face
      Alignment       =   2  'Center
      Caption         =   "00:00"
      FontSize        =   24
      Height          =   600
      Left            =   120
      Top             =   120
      Width           =   3200
   End
   Begin VB.CommandButton StartStop
      Caption         =   "&Start"
      Height          =   400
      Left            =   120
      TabIndex        =   0
      Top             =   900
      Width           =   1000
   End
   Begin VB.CommandButton Lap
      Caption         =   "&Lap"
      Enabled         =   0   'False
      Height          =   400
      Left            =   1200
      TabIndex        =   1
      Top             =   900
      Width           =   1000
   End
   Begin VB.CommandButton Reset
      Caption         =   "&Reset"
      Height          =   400
      Left            =   2280
      TabIndex        =   2
      Top             =   900
      Width           =   1000
   End
   Begin VB.HScrollBar Alarm
      Height          =   255
      LargeChange     =   10
      Left            =   120
      Max             =   120
      Top             =   1440
      Value           =   5
      Width           =   3200
   End
   Begin VB.Label AlarmText
      Caption         =   "Alarm after 5 seconds"
      Height          =   255
      Left            =   120
      Top             =   1740
      Width           =   3200
   End
   Begin VB.Timer Ticker
      Enabled         =   0   'False
      Interval        =   1000
   End
End
' A stopwatch driven by a Timer that ticks once a second while it runs.
' The scroll bar sets an alarm; the status line shows how close it is.
DIM SECONDS AS INTEGER

FUNCTION TWODIGITS(N AS INTEGER) AS STRING
  IF (N < 10) THEN
    TWODIGITS = "0" & N
  ELSE
    TWODIGITS = N
  ENDIF
END FUNCTION

SUB SHOWTIME()
  FACE.CAPTION = TWODIGITS(SECONDS / 60) & ":" & TWODIGITS(SECONDS % 60)
END SUB

SUB STARTSTOP_CLICK()
  IF (TICKER.ENABLED) THEN
    TICKER.ENABLED = FALSE
    STARTSTOP.CAPTION = "&Start"
    LAP.ENABLED = FALSE
    ENDSTATUS
  ELSE
    TICKER.ENABLED = TRUE
    STARTSTOP.CAPTION = "&Stop"
    LAP.ENABLED = TRUE
  ENDIF
END SUB

SUB LAP_CLICK()
  MSG "Lap at " & FACE.CAPTION
END SUB

SUB RESET_CLICK()
  SECONDS = 0
  SHOWTIME
END SUB

SUB TICKER_TIMER()
  SECONDS = SECONDS + 1
  SHOWTIME
  IF (SECONDS = ALARM.VALUE) THEN
    ENDSTATUS
    MSGBOX "Time is up: " & FACE.CAPTION, 64, "Stopwatch"
  ELSEIF (SECONDS < ALARM.VALUE) THEN
    SETSTATUS "Alarm in " & ALARM.VALUE - SECONDS & " s", SECONDS * 100 / ALARM.VALUE
  ENDIF
END SUB

SUB ALARM_CHANGE()
  ALARMTEXT.CAPTION = "Alarm after " & ALARM.VALUE & " seconds"
END SUB

' args: --events stopwatch.events
' expect: Message: Lap at 00:03
' expect: Stopwatch Form text="Stopwatch" enabled visible left=392 top=304 width=240 height=183
' expect: Face Label text="00:03" enabled visible left=8 top=8 width=213 height=40
' expect: StartStop CommandButton text="&Stop" enabled visible left=8 top=60 width=66 height=26
' expect: Lap CommandButton text="&Lap" enabled visible left=80 top=60 width=66 height=26 focus
' expect: Reset CommandButton text="&Reset" enabled visible left=152 top=60 width=66 height=26
' expect: Alarm HScrollBar value=5 min=0 max=120 enabled visible left=8 top=96 width=213 height=17
' expect: AlarmText Label text="Alarm after 5 seconds" enabled visible left=8 top=116 width=213 height=17
' expect: Ticker Timer interval=1000 enabled
' expect: status text="Alarm in 2 s" percent=60
' expect: Stopwatch: Time is up: 00:05
' expect: Message: Lap at 01:05
' expect: Stopwatch Form text="Stopwatch" enabled visible left=392 top=304 width=240 height=183
' expect: Face Label text="01:05" enabled visible left=8 top=8 width=213 height=40
' expect: StartStop CommandButton text="&Stop" enabled visible left=8 top=60 width=66 height=26
' expect: Lap CommandButton text="&Lap" enabled visible left=80 top=60 width=66 height=26 focus
' expect: Reset CommandButton text="&Reset" enabled visible left=152 top=60 width=66 height=26
' expect: Alarm HScrollBar value=70 min=0 max=120 enabled visible left=8 top=96 width=213 height=17
' expect: AlarmText Label text="Alarm after 70 seconds" enabled visible left=8 top=116 width=213 height=17
' expect: Ticker Timer interval=1000 enabled
' expect: status text="Alarm in 5 s" percent=65
' expect-desktop: Message: Lap at 00:03
' expect-desktop: Stopwatch Form text="Stopwatch" enabled visible left=407 top=304 width=210 height=183
' expect-desktop: Face Label text="00:03" enabled visible left=7 top=8 width=186 height=40
' expect-desktop: StartStop CommandButton text="&Stop" enabled visible left=7 top=60 width=57 height=26
' expect-desktop: Lap CommandButton text="&Lap" enabled visible left=70 top=60 width=57 height=26 focus
' expect-desktop: Reset CommandButton text="&Reset" enabled visible left=133 top=60 width=57 height=26
' expect-desktop: Alarm HScrollBar value=5 min=0 max=120 enabled visible left=7 top=96 width=186 height=17
' expect-desktop: AlarmText Label text="Alarm after 5 seconds" enabled visible left=7 top=116 width=186 height=17
' expect-desktop: Ticker Timer interval=1000 enabled
' expect-desktop: status text="Alarm in 2 s" percent=60
' expect-desktop: Stopwatch: Time is up: 00:05
' expect-desktop: Message: Lap at 01:05
' expect-desktop: Stopwatch Form text="Stopwatch" enabled visible left=407 top=304 width=210 height=183
' expect-desktop: Face Label text="01:05" enabled visible left=7 top=8 width=186 height=40
' expect-desktop: StartStop CommandButton text="&Stop" enabled visible left=7 top=60 width=57 height=26
' expect-desktop: Lap CommandButton text="&Lap" enabled visible left=70 top=60 width=57 height=26 focus
' expect-desktop: Reset CommandButton text="&Reset" enabled visible left=133 top=60 width=57 height=26
' expect-desktop: Alarm HScrollBar value=70 min=0 max=120 enabled visible left=7 top=96 width=186 height=17
' expect-desktop: AlarmText Label text="Alarm after 70 seconds" enabled visible left=7 top=116 width=186 height=17
' expect-desktop: Ticker Timer interval=1000 enabled
' expect-desktop: status text="Alarm in 5 s" percent=65
