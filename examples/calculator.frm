VERSION 4.00
Begin VB.Form Calculator
   Caption         =   "Calculator"
   Height          =   3000
   Width           =   3300
   Begin VB.TextBox Display
      Alignment       =   1  'Right Justify
      Height          =   375
      Left            =   120
      MaxLength       =   12
      TabIndex        =   0
      Text            =   "0"
      Top             =   120
      Width           =   2900
   End
   Begin VB.CommandButton Plus
      Caption         =   "+"
      Height          =   500
      Left            =   120
      TabIndex        =   1
      Top             =   720
      Width           =   600
   End
   Begin VB.CommandButton Minus
      Caption         =   "-"
      Height          =   500
      Left            =   840
      TabIndex        =   2
      Top             =   720
      Width           =   600
   End
   Begin VB.CommandButton Times
      Caption         =   "*"
      Height          =   500
      Left            =   1560
      TabIndex        =   3
      Top             =   720
      Width           =   600
   End
   Begin VB.CommandButton Divide
      Caption         =   "/"
      Height          =   500
      Left            =   2280
      TabIndex        =   4
      Top             =   720
      Width           =   600
   End
   Begin VB.CommandButton Equals
      Caption         =   "="
      Default         =   -1  'True
      Height          =   500
      Left            =   120
      TabIndex        =   5
      Top             =   1320
      Width           =   1320
   End
   Begin VB.CommandButton Clear
      Caption         =   "C"
      Height          =   500
      Left            =   1560
      TabIndex        =   6
      Top             =   1320
      Width           =   1320
   End
   Begin VB.Label Memory
      Caption         =   ""
      Height          =   255
      Left            =   120
      Top             =   1920
      Width           =   2900
   End
End
' A pocket calculator: type a number into the display, press an operator,
' type the next number and press "=". The display takes digits and a
' decimal point only; other keys are swallowed by DISPLAY_KEYPRESS.
DIM ACCUMULATOR AS DOUBLE
DIM PENDING AS STRING
DIM FRESH AS BOOLEAN

SUB FORM_LOAD()
  FRESH = TRUE
  PENDING = ""
END SUB

SUB DISPLAY_KEYPRESS(KEYASCII AS INTEGER)
  IF (KEYASCII = 8) THEN
    EXIT SUB
  ENDIF
  IF ((KEYASCII < 48 OR KEYASCII > 57) AND KEYASCII <> 46) THEN
    KEYASCII = 0
    EXIT SUB
  ENDIF
  IF (FRESH) THEN
    DISPLAY.TEXT = ""
    FRESH = FALSE
  ENDIF
END SUB

SUB CALCULATE()
  DIM NUMBER AS DOUBLE
  NUMBER = CDBL(DISPLAY.TEXT)
  IF (PENDING = "+") THEN
    ACCUMULATOR = ACCUMULATOR + NUMBER
  ELSEIF (PENDING = "-") THEN
    ACCUMULATOR = ACCUMULATOR - NUMBER
  ELSEIF (PENDING = "*") THEN
    ACCUMULATOR = ACCUMULATOR * NUMBER
  ELSEIF (PENDING = "/") THEN
    IF (NUMBER = 0) THEN
      MSGBOX "You cannot divide by zero.", 48, "Calculator"
      NUMBER = 1
    ENDIF
    ACCUMULATOR = ACCUMULATOR / NUMBER
  ELSE
    ACCUMULATOR = NUMBER
  ENDIF
  DISPLAY.TEXT = ACCUMULATOR
END SUB

SUB OPERATE(OPERATOR AS STRING)
  IF (NOT FRESH) THEN
    CALCULATE
  ENDIF
  PENDING = OPERATOR
  MEMORY.CAPTION = ACCUMULATOR & " " & OPERATOR
  FRESH = TRUE
END SUB

SUB PLUS_CLICK()
  OPERATE "+"
END SUB

SUB MINUS_CLICK()
  OPERATE "-"
END SUB

SUB TIMES_CLICK()
  OPERATE "*"
END SUB

SUB DIVIDE_CLICK()
  OPERATE "/"
END SUB

SUB EQUALS_CLICK()
  CALCULATE
  PENDING = ""
  MEMORY.CAPTION = ""
  FRESH = TRUE
  MSG DISPLAY.TEXT
END SUB

SUB CLEAR_CLICK()
  ACCUMULATOR = 0
  PENDING = ""
  MEMORY.CAPTION = ""
  DISPLAY.TEXT = "0"
  FRESH = TRUE
END SUB

' The test runner replays calculator.events: 12 + 30 = 42, then 7.5 / 2 * 4 = 15,
' then a division by zero.
' args: --events calculator.events
' expect: Message: 42
' expect: Calculator Form text="Calculator" enabled visible left=402 top=284 width=220 height=200
' expect: Display TextBox text="3.75" enabled visible left=8 top=8 width=193 height=25
' expect: Plus CommandButton text="+" enabled visible left=8 top=48 width=40 height=33
' expect: Minus CommandButton text="-" enabled visible left=56 top=48 width=40 height=33
' expect: Times CommandButton text="*" enabled visible left=104 top=48 width=40 height=33 focus
' expect: Divide CommandButton text="/" enabled visible left=152 top=48 width=40 height=33
' expect: Equals CommandButton text="=" enabled visible left=8 top=88 width=88 height=33
' expect: Clear CommandButton text="C" enabled visible left=104 top=88 width=88 height=33
' expect: Memory Label text="3.75 *" enabled visible left=8 top=128 width=193 height=17
' expect: Message: 15
' expect: Calculator: You cannot divide by zero.
' expect: Message: 9
' expect-desktop: Message: 42
' expect-desktop: Calculator Form text="Calculator" enabled visible left=416 top=284 width=192 height=200
' expect-desktop: Display TextBox text="3.75" enabled visible left=7 top=8 width=168 height=25
' expect-desktop: Plus CommandButton text="+" enabled visible left=7 top=48 width=35 height=33
' expect-desktop: Minus CommandButton text="-" enabled visible left=49 top=48 width=35 height=33
' expect-desktop: Times CommandButton text="*" enabled visible left=91 top=48 width=35 height=33 focus
' expect-desktop: Divide CommandButton text="/" enabled visible left=133 top=48 width=35 height=33
' expect-desktop: Equals CommandButton text="=" enabled visible left=7 top=88 width=77 height=33
' expect-desktop: Clear CommandButton text="C" enabled visible left=91 top=88 width=77 height=33
' expect-desktop: Memory Label text="3.75 *" enabled visible left=7 top=128 width=168 height=17
' expect-desktop: Message: 15
' expect-desktop: Calculator: You cannot divide by zero.
' expect-desktop: Message: 9
