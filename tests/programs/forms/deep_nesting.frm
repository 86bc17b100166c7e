VERSION 4.00
Begin VB.Form Form1
   Begin VB.Frame Frame1
      Begin VB.Frame Frame2
         Begin VB.Frame Frame3
            Begin VB.Frame Frame4
               Begin VB.Frame Frame5
                  Begin VB.Frame Frame6
                     Begin VB.Frame Frame7
                        Begin VB.Frame Frame8
                           Begin VB.Frame Frame9
                              Begin VB.Frame Frame10
                                 Begin VB.Frame Frame11
                                    Begin VB.Frame Frame12
                                       Begin VB.Frame Frame13
                                          Begin VB.Frame Frame14
                                             Begin VB.Frame Frame15
                                                Begin VB.Frame Frame16
                                                   Begin VB.Frame Frame17
                                                      Begin VB.Frame Frame18
                                                         Begin VB.Frame Frame19
                                                            Begin VB.Frame Frame20
                                                               Begin VB.Frame Frame21
                                                                  Begin VB.Frame Frame22
                                                                     Begin VB.Frame Frame23
                                                                        Begin VB.Frame Frame24
                                                                           Begin VB.Frame Frame25
                                                                              Begin VB.Frame Frame26
                                                                                 Begin VB.Frame Frame27
                                                                                    Begin VB.Frame Frame28
                                                                                       Begin VB.Frame Frame29
                                                                                          Begin VB.Frame Frame30
                                                                                             Begin VB.Frame Frame31
                                                                                                Caption = "Level 31"
                                                                                                Begin VB.Frame Frame32
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
