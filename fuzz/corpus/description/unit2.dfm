object Form2: TForm2
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'ZELMAR Torvane analyzer BETA 1.0.1   17 January 2019       torvane-analyzer@example.org     https://example.org/torvane-analyzer '
  ClientHeight = 711
  ClientWidth = 978
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PrintScale = poPrintToFit
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel2: TBevel
    Left = 8
    Top = 8
    Width = 959
    Height = 185
    Shape = bsFrame
  end
  object DriveComboBox1: TDriveComboBox
    Left = 24
    Top = 24
    Width = 217
    Height = 19
    TabOrder = 3
  end
  object DirectoryListBox1: TDirectoryListBox
    Left = 24
    Top = 49
    Width = 217
    Height = 137
    TabOrder = 1
  end
  object FileListBox1: TFileListBox
    Left = 247
    Top = 24
    Width = 515
    Height = 102
    ItemHeight = 13
    Mask = '*.torvane*'
    OnClick = FileListBox1Change
    TabOrder = 2
  end
  object Label3: TLabel
    Left = 276
    Top = 136
    Caption = 'File name'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit1: TEdit
    Left = 336
    Top = 132
    Width = 426
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
    Enabled = False
    TabOrder = 7
  end
  object Button1: TButton
    Left = 247
    Top = 159
    Width = 515
    Height = 27
    Caption = 'Analyze selected Torvane'
    OnClick = Button1Click
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
    TabOrder = 0
  end
  object ListBox1: TListBox
    Left = 768
    Top = 24
    Width = 121
    Height = 129
    ItemHeight = 13
    TabOrder = 5
  end
  object Label2: TLabel
    Left = 774
    Top = 163
    Caption = 'File size'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
  end
  object Edit4: TEdit
    Left = 824
    Top = 159
    Width = 65
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 13
  end
  object Button2: TButton
    Left = 895
    Top = 24
    Width = 58
    Height = 79
    Caption = 'Exit'
    OnClick = Button2Click
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
    TabOrder = 4
  end
  object Button3: TButton
    Left = 895
    Top = 109
    Width = 58
    Height = 77
    Caption = 'Print'
    OnClick = Button3Click
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold, fsItalic]
    ParentFont = False
    TabOrder = 27
  end
  object Bevel1: TBevel
    Left = 8
    Top = 199
    Width = 959
    Height = 504
    Shape = bsFrame
  end
  object Label9: TLabel
    Left = 17
    Top = 220
    Caption = 'Pulsar ( file ) name'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit2: TEdit
    Left = 145
    Top = 220
    Width = 209
    Height = 24
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 17
  end
  object Label10: TLabel
    Left = 63
    Top = 242
    Caption = 'Date / Time'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit3: TEdit
    Left = 145
    Top = 240
    Width = 209
    Height = 24
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 15
  end
  object Label8: TLabel
    Left = 368
    Top = 235
    Caption = 'S/N'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit18: TEdit
    Left = 398
    Top = 222
    Width = 67
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 26
  end
  object Label7: TLabel
    Left = 471
    Top = 225
    Caption = 'Linear'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
  end
  object Edit15: TEdit
    Left = 398
    Top = 242
    Width = 67
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 23
  end
  object Label5: TLabel
    Left = 471
    Top = 244
    Caption = 'dB'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
  end
  object Label1: TLabel
    Left = 536
    Top = 225
    Caption = 'Min bin value'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit5: TEdit
    Left = 616
    Top = 222
    Width = 105
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 8
  end
  object Label4: TLabel
    Left = 548
    Top = 244
    Caption = '        @ Bin #'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
  end
  object Edit10: TEdit
    Left = 616
    Top = 242
    Width = 105
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 11
  end
  object Label6: TLabel
    Left = 761
    Top = 226
    Caption = 'Max bin value '
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit6: TEdit
    Left = 848
    Top = 222
    Width = 105
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 9
  end
  object Label11: TLabel
    Left = 780
    Top = 245
    Caption = '        @ Bin #'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsItalic]
    ParentFont = False
  end
  object Edit11: TEdit
    Left = 848
    Top = 242
    Width = 105
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 12
  end
  // Chart1 (TPlotChart) lies beneath ListBox5, which overlaps its left edge.
  object ListBox5: TListBox
    Left = 24
    Top = 306
    Width = 298
    Height = 351
    ItemHeight = 13
    TabOrder = 6
  end
  object Bevel3: TBevel
    Left = 1006
    Top = 8
    Width = 514
    Height = 93
    Shape = bsBox
  end
  object Label22: TLabel
    Left = 1022
    Top = 21
    Caption = 'Values calculated normalizing profile to ZERO  MAIN'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label21: TLabel
    Left = 1034
    Top = 46
    Caption = 'Mean w/o peak'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit16: TEdit
    Left = 1137
    Top = 43
    Width = 121
    Height = 21
    TabOrder = 24
  end
  object Label20: TLabel
    Left = 1034
    Top = 70
    Caption = 'StdDev w/o peak'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit17: TEdit
    Left = 1137
    Top = 70
    Width = 121
    Height = 21
    TabOrder = 25
  end
  object Label24: TLabel
    Left = 1006
    Top = 130
    Caption = 'Values calculated with ZELMAR Values'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label19: TLabel
    Left = 1026
    Top = 155
    Caption = 'SNR Linear'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit9: TEdit
    Left = 1121
    Top = 152
    Width = 66
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 10
  end
  object Label18: TLabel
    Left = 1026
    Top = 174
    Caption = 'SNR dB'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit7: TEdit
    Left = 1121
    Top = 172
    Width = 66
    Height = 21
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
    Enabled = False
    TabOrder = 16
  end
  object Label23: TLabel
    Left = 1006
    Top = 226
    Caption = 'Values calculated without profile normalization to ZERO'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Label12: TLabel
    Left = 1018
    Top = 251
    Caption = 'Mean w/o peak'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit13: TEdit
    Left = 1121
    Top = 248
    Width = 121
    Height = 21
    TabOrder = 20
  end
  object Label15: TLabel
    Left = 1018
    Top = 275
    Caption = 'StdDev w/o peak'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit12: TEdit
    Left = 1121
    Top = 275
    Width = 121
    Height = 21
    TabOrder = 19
  end
  object Label16: TLabel
    Left = 1018
    Top = 308
    Caption = 'SNR Linear'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit8: TEdit
    Left = 1121
    Top = 305
    Width = 121
    Height = 21
    TabOrder = 18
  end
  object Label17: TLabel
    Left = 1018
    Top = 335
    Caption = 'SNR dB'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Edit14: TEdit
    Left = 1121
    Top = 332
    Width = 121
    Height = 21
    TabOrder = 21
  end
  // Chart2 (TPlotChart) lies right of the client area.
  object PrintDialog1: TPrintDialog
  end
end
