#pragma once

#include "base/Exception.h"

#include <QString>
#include <QWidget>
#include <string>

class TBevel;
class TButton;
class TDirectoryListBox;
class TDriveComboBox;
class TEdit;
class TFileListBox;
class TLabel;
class TListBox;
class TPrintDialog;
struct TAnalysisResult;

// The analyzer's one window. Its controls come from the window description
// TFORM2; each member points to the control of that name, owned by the window.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // File-selection panel.
    TBevel* Bevel2;
    TDriveComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    TFileListBox* FileListBox1;
    TLabel* Label3;
    TEdit* Edit1;
    TButton* Button1;
    TListBox* ListBox1;
    TLabel* Label2;
    TEdit* Edit4;
    TButton* Button2;
    TButton* Button3;
    // Results panel.
    TBevel* Bevel1;
    TLabel* Label9;
    TEdit* Edit2;
    TLabel* Label10;
    TEdit* Edit3;
    TLabel* Label8;
    TEdit* Edit18;
    TLabel* Label7;
    TEdit* Edit15;
    TLabel* Label5;
    TLabel* Label1;
    TEdit* Edit5;
    TLabel* Label4;
    TEdit* Edit10;
    TLabel* Label6;
    TEdit* Edit6;
    TLabel* Label11;
    TEdit* Edit11;
    TListBox* ListBox5;
    // Right of the client area: filled, never seen.
    TBevel* Bevel3;
    TLabel* Label22;
    TLabel* Label21;
    TEdit* Edit16;
    TLabel* Label20;
    TEdit* Edit17;
    TLabel* Label24;
    TLabel* Label19;
    TEdit* Edit9;
    TLabel* Label18;
    TEdit* Edit7;
    TLabel* Label23;
    TLabel* Label12;
    TEdit* Edit13;
    TLabel* Label15;
    TEdit* Edit12;
    TLabel* Label16;
    TEdit* Edit8;
    TLabel* Label17;
    TEdit* Edit14;
    TPrintDialog* PrintDialog1;

    void FormCreate();
    void FileListBox1Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();

    // The control of that name, or an Exception when the description lacks it.
    template <class T> T* Control(const char* name) const;

private:
    // Step after a successful analysis: redraws the charts.
    void PlotResults(const TAnalysisResult& result);
};

template <class T> T* TForm2::Control(const char* name) const {
    T* control = findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!control)
        throw Exception(std::string("The window description has no control ") + name +
                        " of the expected class");
    return control;
}

// The one window, for the life of the program.
extern TForm2* Form2;
