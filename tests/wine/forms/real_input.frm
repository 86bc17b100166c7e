VERSION 4.00
Begin VB.Form Form1
   Caption         =   "Real Input"
   Height          =   3600
   Width           =   4800
   Begin VB.CommandButton Command1
      Height          =   375
      Left            =   240
      TabIndex        =   3
      Top             =   240
      Width           =   1215
   End
   Begin VB.TextBox Text1
      Height          =   300
      Left            =   240
      TabIndex        =   0
      Top             =   840
      Width           =   1800
   End
   Begin VB.TextBox Text2
      Height          =   300
      Left            =   240
      TabIndex        =   1
      Top             =   1320
      Width           =   1800
   End
   Begin VB.TextBox Text3
      Enabled         =   0   'False
      TabIndex        =   2
   End
   Begin VB.CommandButton Ask
      Height          =   375
      Left            =   2400
      TabIndex        =   4
      Top             =   240
      Width           =   1215
   End
   Begin VB.CommandButton Busy
      Height          =   375
      Left            =   2400
      Top             =   840
      Width           =   1215
   End
End
' Worked by real_input_test.sh with a real mouse and keyboard. What happens
' is written to section "Seen" of QuorlFRM.INI, where the test reads it: the
' screen centres of the controls, the clicks, the texts and the answers.
' A control's centre on the screen, from the form's place and frame. (In
' this dialect + and - bind tighter than /, and A - B - C is A - (B - C).)
SUB RECORDCENTRE(NAME AS STRING, X AS INTEGER, Y AS INTEGER, W AS INTEGER, H AS INTEGER)
  DIM FRAME AS INTEGER
  FRAME = (FORM1.WIDTH - FORM1.SCALEWIDTH) / 2
  X = FORM1.LEFT + FRAME + X + (W / 2)
  Y = FORM1.TOP + ((FORM1.HEIGHT - FORM1.SCALEHEIGHT) - FRAME) + Y + (H / 2)
  WRITEINI "Seen", NAME & "At", X & " " & Y
END SUB

SUB FORM_LOAD()
  RECORDCENTRE "Command1", COMMAND1.LEFT, COMMAND1.TOP, COMMAND1.WIDTH, COMMAND1.HEIGHT
  RECORDCENTRE "Text1", TEXT1.LEFT, TEXT1.TOP, TEXT1.WIDTH, TEXT1.HEIGHT
  RECORDCENTRE "Ask", ASK.LEFT, ASK.TOP, ASK.WIDTH, ASK.HEIGHT
  RECORDCENTRE "Busy", BUSY.LEFT, BUSY.TOP, BUSY.WIDTH, BUSY.HEIGHT
  WRITEINI "Seen", "Clicks", "0"
  WRITEINI "Seen", "Ready", "yes"
END SUB

SUB COMMAND1_CLICK()
  DIM CLICKS AS INTEGER
  CLICKS = CINT(READINI("Seen", "Clicks"))
  CLICKS = CLICKS + 1
  WRITEINI "Seen", "Clicks", CSTR(CLICKS)
END SUB

' Every a typed into Text1 becomes b.
SUB TEXT1_KEYPRESS(K AS INTEGER)
  IF (K = 97) THEN
    K = 98
  ENDIF
END SUB

SUB TEXT1_CLICK()
  WRITEINI "Seen", "Text1", TEXT1.TEXT
END SUB

SUB TEXT2_CLICK()
  WRITEINI "Seen", "Text2", TEXT2.TEXT
END SUB

SUB ASK_CLICK()
  WRITEINI "Seen", "Answer", "[" & INPUTBOX("Say something", "Question", "default") & "]"
END SUB

' The status strip, half way through its progress bar.
SUB BUSY_CLICK()
  SETSTATUS "Working", 50
  WRITEINI "Seen", "Height", CSTR(FORM1.HEIGHT)
END SUB
