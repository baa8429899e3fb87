object Form1: TForm1
  Caption = 'one'#13#10'two' +
    #9'three'
  Hint = #10
end
