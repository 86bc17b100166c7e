VERSION 4.00
Begin VB.Form ToDo
   Caption         =   "To-do list"
   Height          =   4200
   Width           =   4500
   Begin VB.TextBox NewItem
      Height          =   315
      Left            =   120
      TabIndex        =   0
      Top             =   120
      Width           =   2900
   End
   Begin VB.CommandButton Add
      Caption         =   "&Add"
      Default         =   -1  'True
      Height          =   315
      Left            =   3120
      TabIndex        =   1
      Top             =   120
      Width           =   1100
   End
   Begin VB.ListBox Items
      Height          =   2400
      Left            =   120
      Sorted          =   -1  'True
      TabIndex        =   2
      Top             =   540
      Width           =   2900
   End
   Begin VB.CommandButton Done
      Caption         =   "&Done"
      Enabled         =   0   'False
      Height          =   315
      Left            =   3120
      TabIndex        =   3
      Top             =   540
      Width           =   1100
   End
   Begin VB.Label Summary
      Caption         =   "Nothing to do."
      Height          =   255
      Left            =   120
      Top             =   3060
      Width           =   4000
   End
End
' A to-do list that remembers its items in the configuration file
' (section "ToDo" of QuorlFRM.INI). Type an item and press Add; pick an
' item and press Done to strike it off.
SUB FORM_LOAD()
  DIM COUNT AS INTEGER
  DIM I AS INTEGER
  DIM ITEM AS STRING
  COUNT = CINT(READINI("ToDo", "Count", "0"))
  I = 1
  WHILE (I <= COUNT)
    ITEM = READINI("ToDo", "Item" & I)
    ITEMS.ADDITEM ITEM
    I = I + 1
  WEND
  SHOWSUMMARY
END SUB

SUB SHOWSUMMARY()
  IF (ITEMS.LISTCOUNT = 0) THEN
    SUMMARY.CAPTION = "Nothing to do."
  ELSEIF (ITEMS.LISTCOUNT = 1) THEN
    SUMMARY.CAPTION = "One thing to do."
  ELSE
    SUMMARY.CAPTION = ITEMS.LISTCOUNT & " things to do."
  ENDIF
  IF (ITEMS.LISTINDEX >= 0) THEN
    DONE.ENABLED = TRUE
  ELSE
    DONE.ENABLED = FALSE
  ENDIF
END SUB

' Writes the whole list back to the configuration file.
SUB SAVE()
  DIM I AS INTEGER
  WRITEINI "ToDo", "Count", ITEMS.LISTCOUNT
  I = 1
  WHILE (I <= ITEMS.LISTCOUNT)
    WRITEINI "ToDo", "Item" & I, ITEMS.LIST(I - 1)
    I = I + 1
  WEND
END SUB

SUB ADD_CLICK()
  IF (TRIM(NEWITEM.TEXT) = "") THEN
    MSGBOX "Type what there is to do first.", 64, "To-do list"
    EXIT SUB
  ENDIF
  ITEMS.ADDITEM TRIM(NEWITEM.TEXT)
  NEWITEM.TEXT = ""
  SAVE
  SHOWSUMMARY
END SUB

SUB ITEMS_CLICK()
  DONE.ENABLED = TRUE
END SUB

SUB DONE_CLICK()
  MSG "Done: " & ITEMS.LIST(ITEMS.LISTINDEX)
  ITEMS.REMOVEITEM ITEMS.LISTINDEX
  SAVE
  SHOWSUMMARY
END SUB

' args: --events todo_list.events
' expect: To-do list: Type what there is to do first.
' expect: ToDo Form text="To-do list" enabled visible left=362 top=244 width=300 height=280
' expect: NewItem TextBox text="" enabled visible left=8 top=8 width=193 height=21
' expect: Add CommandButton text="&Add" enabled visible left=208 top=8 width=73 height=21 focus
' expect: Items ListBox text="" items=["buy milk", "call grandma", "water the plants"] index=-1 enabled visible left=8 top=36 width=193 height=160
' expect: Done CommandButton text="&Done" disabled visible left=208 top=36 width=73 height=21
' expect: Summary Label text="3 things to do." enabled visible left=8 top=204 width=266 height=17
' expect: Message: Done: call grandma
' expect: ToDo Form text="To-do list" enabled visible left=362 top=244 width=300 height=280
' expect: NewItem TextBox text="" enabled visible left=8 top=8 width=193 height=21
' expect: Add CommandButton text="&Add" enabled visible left=208 top=8 width=73 height=21
' expect: Items ListBox text="" items=["buy milk", "water the plants"] index=-1 enabled visible left=8 top=36 width=193 height=160
' expect: Done CommandButton text="&Done" disabled visible left=208 top=36 width=73 height=21
' expect: Summary Label text="2 things to do." enabled visible left=8 top=204 width=266 height=17
' expect-desktop: To-do list: Type what there is to do first.
' expect-desktop: ToDo Form text="To-do list" enabled visible left=381 top=244 width=262 height=280
' expect-desktop: NewItem TextBox text="" enabled visible left=7 top=8 width=168 height=21
' expect-desktop: Add CommandButton text="&Add" enabled visible left=182 top=8 width=63 height=21 focus
' expect-desktop: Items ListBox text="" items=["buy milk", "call grandma", "water the plants"] index=-1 enabled visible left=7 top=36 width=168 height=146
' expect-desktop: Done CommandButton text="&Done" disabled visible left=182 top=36 width=63 height=21
' expect-desktop: Summary Label text="3 things to do." enabled visible left=7 top=204 width=232 height=17
' expect-desktop: Message: Done: call grandma
' expect-desktop: ToDo Form text="To-do list" enabled visible left=381 top=244 width=262 height=280
' expect-desktop: NewItem TextBox text="" enabled visible left=7 top=8 width=168 height=21
' expect-desktop: Add CommandButton text="&Add" enabled visible left=182 top=8 width=63 height=21
' expect-desktop: Items ListBox text="" items=["buy milk", "water the plants"] index=-1 enabled visible left=7 top=36 width=168 height=146
' expect-desktop: Done CommandButton text="&Done" disabled visible left=182 top=36 width=63 height=21
' expect-desktop: Summary Label text="2 things to do." enabled visible left=7 top=204 width=232 height=17
