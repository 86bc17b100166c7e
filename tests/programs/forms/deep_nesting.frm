VERSION 4.00
Begin VB.Form Form1
   Caption = "Deep"
   Begin VB.Frame Frame1
      Caption = "Level 1"
      Begin VB.Frame Frame2
         Caption = "Level 2"
         Begin VB.Frame Frame3
            Caption = "Level 3"
            Begin VB.Frame Frame4
               Caption = "Level 4"
               Begin VB.Frame Frame5
                  Caption = "Level 5"
                  Begin VB.Frame Frame6
                     Caption = "Level 6"
                     Begin VB.Frame Frame7
                        Caption = "Level 7"
                        Begin VB.Frame Frame8
                           Caption = "Level 8"
                           Begin VB.Frame Frame9
                              Caption = "Level 9"
                              Begin VB.Frame Frame10
                                 Caption = "Level 10"
                                 Begin VB.Frame Frame11
                                    Caption = "Level 11"
                                    Begin VB.Frame Frame12
                                       Caption = "Level 12"
                                       Begin VB.Frame Frame13
                                          Caption = "Level 13"
                                          Begin VB.Frame Frame14
                                             Caption = "Level 14"
                                             Begin VB.Frame Frame15
                                                Caption = "Level 15"
                                                Begin VB.Frame Frame16
                                                   Caption = "Level 16"
                                                   Begin VB.Frame Frame17
                                                      Caption = "Level 17"
                                                      Begin VB.Frame Frame18
                                                         Caption = "Level 18"
                                                         Begin VB.Frame Frame19
                                                            Caption = "Level 19"
                                                            Begin VB.Frame Frame20
                                                               Caption = "Level 20"
                                                               Begin VB.Frame Frame21
                                                                  Caption = "Level 21"
                                                                  Begin VB.Frame Frame22
                                                                     Caption = "Level 22"
                                                                     Begin VB.Frame Frame23
                                                                        Caption = "Level 23"
                                                                        Begin VB.Frame Frame24
                                                                           Caption = "Level 24"
                                                                           Begin VB.Frame Frame25
                                                                              Caption = "Level 25"
                                                                              Begin VB.Frame Frame26
                                                                                 Caption = "Level 26"
                                                                                 Begin VB.Frame Frame27
                                                                                    Caption = "Level 27"
                                                                                    Begin VB.Frame Frame28
                                                                                       Caption = "Level 28"
                                                                                       Begin VB.Frame Frame29
                                                                                          Caption = "Level 29"
                                                                                          Begin VB.Frame Frame30
                                                                                             Caption = "Level 30"
                                                                                             Begin VB.Frame Frame31
                                                                                                Caption = "Level 31"
                                                                                                Begin VB.Frame Frame32
                                                                                                   Caption = "Level 32"
                                                                                                   Begin VB.Frame Frame33
                                                                                                      Caption = "Level 33"
                                                                                                      Begin VB.Frame Frame34
                                                                                                         Caption = "Level 34"
                                                                                                      End
                                                                                                   End
                                                                                                End
                                                                                             End
                                                                                          End
                                                                                       End
                                                                                    End
                                                                                 End
                                                                              End
                                                                           End
                                                                        End
                                                                     End
                                                                  End
                                                               End
                                                            End
                                                         End
                                                      End
                                                   End
                                                End
                                             End
                                          End
                                       End
                                    End
                                 End
                              End
                           End
                        End
                     End
                  End
               End
            End
         End
      End
   End
   Begin VB.CommandButton Command1
      Caption = "After"
   End
End
' Blocks nest at most 32 deep (the form is the first); deeper ones are read
' past with one message, and the rest of the form is built.
SUB FORM_LOAD()
  MSG FRAME31.CAPTION & ", " & COMMAND1.CAPTION
END SUB

' expect: Error: Form description nested too deeply:
' expect:   blocks deeper than 32 levels are not built.
' expect: Message: Level 31, After
