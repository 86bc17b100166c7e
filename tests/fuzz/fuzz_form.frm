VERSION 4.00
Begin VB.Form Form1
   Begin VB.TextBox Text1
      Text            =   "one"
   End
   Begin VB.TextBox Text2
      MaxLength       =   8
   End
   Begin VB.ComboBox Combo1
   End
   Begin VB.ComboBox Pick1
      Style           =   2  'Dropdown List
   End
   Begin VB.ListBox List1
      Sorted          =   -1  'True
   End
   Begin VB.ListBox Many1
      MultiSelect     =   2  'Extended
   End
   Begin VB.CommandButton Command1
   End
   Begin VB.CheckBox Check1
   End
   Begin VB.Frame Frame1
      Begin VB.OptionButton Option1
         Value           =   -1  'True
      End
      Begin VB.OptionButton Option2
      End
      Begin VB.HScrollBar HScroll1
         Max             =   10
      End
   End
   Begin VB.VScrollBar VScroll1
      LargeChange     =   5
      Max             =   20
      Min             =   -20
      SmallChange     =   2
   End
   Begin VB.Label Label1
   End
   Begin VB.Image Image1
   End
   Begin VB.Timer Timer1
      Interval        =   10
   End
End
' The form the fuzz targets work with their event files and expressions:
' every kind of control, and event procedures that change other controls,
' empty lists, rewrite their own texts, move and hide controls and end the run.
DIM N AS INTEGER
DIM S AS STRING
GLOBAL G AS DOUBLE
CONST LIMIT = 7
SUB FORM_LOAD()
  COMBO1.ADDITEM "alpha"
  COMBO1.ADDITEM "beta"
  PICK1.ADDITEM "red"
  PICK1.ADDITEM "green"
  LIST1.ADDITEM "pear"
  LIST1.ADDITEM "apple"
  MANY1.ADDITEM "x"
  MANY1.ADDITEM "y"
  MANY1.ADDITEM "z"
END SUB
FUNCTION TWICE(X AS INTEGER) AS INTEGER
  TWICE = X * 2
END FUNCTION
SUB TEXT1_CLICK()
  N = N + 1
  TEXT1.TEXT = UCASE(TEXT1.TEXT)
  IF N % 5 = 0 THEN LIST1.CLEAR
END SUB
SUB TEXT1_KEYPRESS(K AS INTEGER)
  IF K = 122 THEN K = 0
  IF K = 121 THEN K = 300
END SUB
SUB TEXT2_CLICK()
  IF LEN(TEXT2.TEXT) < 40 THEN TEXT2.TEXT = TEXT2.TEXT & "x"
END SUB
SUB COMBO1_CLICK()
  MANY1.CLEAR
  COMBO1.REMOVEITEM COMBO1.LISTINDEX
END SUB
SUB COMBO1_CHANGE()
  S = COMBO1.TEXT & S
  COMBO1.ADDITEM LEFT(S, 5)
END SUB
SUB PICK1_CLICK()
  COMBO1.CLEAR
  PICK1.ADDITEM PICK1.TEXT
END SUB
SUB LIST1_CLICK()
  MSG LIST1.LIST(LIST1.LISTINDEX)
  IF LIST1.LISTCOUNT > 3 THEN LIST1.REMOVEITEM 0
END SUB
SUB MANY1_CLICK()
  IF MANY1.SELECTED(2) THEN MANY1.CLEAR
  MANY1.ADDITEM "w"
END SUB
SUB COMMAND1_CLICK()
  COMMAND1.LEFT = COMMAND1.LEFT + TWICE(N)
  FORM1.HEIGHT = FORM1.HEIGHT * 2
  TEXT2.VISIBLE = NOT TEXT2.VISIBLE
  IF MSGBOX("Again?", 4) = 6 THEN COMMAND1_CLICK
END SUB
SUB CHECK1_CLICK()
  COMBO1.ENABLED = CHECK1.VALUE
  TIMER1.ENABLED = NOT TIMER1.ENABLED
END SUB
SUB OPTION2_CLICK()
  S = INPUTBOX("Name?", "Fuzz", S)
  SETSTATUS S, N
END SUB
SUB HSCROLL1_CHANGE()
  VSCROLL1.VALUE = HSCROLL1.VALUE * 3
  LABEL1.CAPTION = HSCROLL1
END SUB
SUB VSCROLL1_CHANGE()
  TIMER1.INTERVAL = VSCROLL1.VALUE
  G = G + VSCROLL1 / 3
END SUB
SUB TIMER1_TIMER()
  N = N + 1
  IF N > 60 THEN END
  IF N % LIMIT = 0 THEN TEXT1.TEXT = TEXT1.TEXT & N
END SUB
