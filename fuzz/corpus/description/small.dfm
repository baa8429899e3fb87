object Form2: TForm2
  Caption = 'Main window'
  Font.Style = [fsBold, fsItalic]
  Font.Height = -11
  Scaled = False
  object Button1: TButton
    Left = 8
    Caption = 'It''s'
    Hint = 'one' +
      ' two'
    OnClick = Button1Click
  end
  // a comment
  object Chart1: TPlotChart
    Ratio = 1.5E-3
    Visible = True
    Items = []
  end
end
