#include "app/Unit2.h"

#include "analysis/AnalysisCommand.h"
#include "analysis/ProfileData.h"
#include "app/OpenPath.h"
#include "app/ProfilePlots.h"
#include "base/Exception.h"
#include "chart/ChartRegistration.h"
#include "chart/PlotChart.h"
#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/FormPrinting.h"
#include "toolkit/FormatSettingsQt.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PrintDialog.h"
#include "toolkit/WindowDescription.h"

#include <QFile>
#include <cstdlib>

TForm2* Form2 = nullptr;

namespace {

// The parsed profile of the last analysis; every analysis overwrites it.
TProfileData ProfileData;

TDescObject ReadFormDescription() {
    QFile file(QStringLiteral(":/TFORM2"));
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("The window description TFORM2 is missing from the program");
    return ParseWindowDescription(QString::fromUtf8(file.readAll()));
}

} // namespace

// Resources of a static library are registered by hand.
static void InitFormResources() {
    Q_INIT_RESOURCE(Unit2);
}

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    InitFormResources();
    RegisterChartComponents(); // before the description names a TPlotChart
    const TDescEventHandlers handlers = {
        {QStringLiteral("FormCreate"), [this] { FormCreate(); }},
        {QStringLiteral("FileListBox1Change"), [this] { FileListBox1Change(); }},
        {QStringLiteral("Button1Click"), [this] { Button1Click(); }},
        {QStringLiteral("Button2Click"), [this] { Button2Click(); }},
        {QStringLiteral("Button3Click"), [this] { Button3Click(); }},
    };
    const TDescEventHandler onCreate = LoadWindowDescription(this, ReadFormDescription(), handlers);

#define TORVANE_FIND(type, name) name = Control<type>(#name)
    TORVANE_FIND(TBevel, Bevel2);
    TORVANE_FIND(TDriveComboBox, DriveComboBox1);
    TORVANE_FIND(TDirectoryListBox, DirectoryListBox1);
    TORVANE_FIND(TFileListBox, FileListBox1);
    TORVANE_FIND(TLabel, Label3);
    TORVANE_FIND(TEdit, Edit1);
    TORVANE_FIND(TButton, Button1);
    TORVANE_FIND(TListBox, ListBox1);
    TORVANE_FIND(TLabel, Label2);
    TORVANE_FIND(TEdit, Edit4);
    TORVANE_FIND(TButton, Button2);
    TORVANE_FIND(TButton, Button3);
    TORVANE_FIND(TBevel, Bevel1);
    TORVANE_FIND(TLabel, Label9);
    TORVANE_FIND(TEdit, Edit2);
    TORVANE_FIND(TLabel, Label10);
    TORVANE_FIND(TEdit, Edit3);
    TORVANE_FIND(TLabel, Label8);
    TORVANE_FIND(TEdit, Edit18);
    TORVANE_FIND(TLabel, Label7);
    TORVANE_FIND(TEdit, Edit15);
    TORVANE_FIND(TLabel, Label5);
    TORVANE_FIND(TLabel, Label1);
    TORVANE_FIND(TEdit, Edit5);
    TORVANE_FIND(TLabel, Label4);
    TORVANE_FIND(TEdit, Edit10);
    TORVANE_FIND(TLabel, Label6);
    TORVANE_FIND(TEdit, Edit6);
    TORVANE_FIND(TLabel, Label11);
    TORVANE_FIND(TEdit, Edit11);
    TORVANE_FIND(TListBox, ListBox5);
    TORVANE_FIND(TBevel, Bevel3);
    TORVANE_FIND(TLabel, Label22);
    TORVANE_FIND(TLabel, Label21);
    TORVANE_FIND(TEdit, Edit16);
    TORVANE_FIND(TLabel, Label20);
    TORVANE_FIND(TEdit, Edit17);
    TORVANE_FIND(TLabel, Label24);
    TORVANE_FIND(TLabel, Label19);
    TORVANE_FIND(TEdit, Edit9);
    TORVANE_FIND(TLabel, Label18);
    TORVANE_FIND(TEdit, Edit7);
    TORVANE_FIND(TLabel, Label23);
    TORVANE_FIND(TLabel, Label12);
    TORVANE_FIND(TEdit, Edit13);
    TORVANE_FIND(TLabel, Label15);
    TORVANE_FIND(TEdit, Edit12);
    TORVANE_FIND(TLabel, Label16);
    TORVANE_FIND(TEdit, Edit8);
    TORVANE_FIND(TLabel, Label17);
    TORVANE_FIND(TEdit, Edit14);
    TORVANE_FIND(TPrintDialog, PrintDialog1);
#undef TORVANE_FIND

    // ListBox5 overlaps the left edge of Chart1 and stays on top of it.
    ListBox5->raise();

    // The file browser's links, in this order; each shows its effect at once.
    DriveComboBox1->SetDirList(DirectoryListBox1);
    DirectoryListBox1->SetFileList(FileListBox1);
    FileListBox1->SetFileEdit(Edit1);
    // A file or folder dropped on the window opens as from the command line.
    AcceptDroppedPaths(*this);
    if (onCreate)
        onCreate();
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::FormCreate() {
    DirectoryListBox1->SetDrive(QChar(u'c'));
    Button1->setEnabled(false);
}

void TForm2::FileListBox1Change() {
    Button1->setEnabled(true);
}

void TForm2::Button1Click() {
    // The 8-bit name as the file list gave it, so that a name whose bytes are
    // no valid text still opens that very file.
    const std::string fileName = Edit1->Local8BitText().toStdString();
    const TAnalysisResult result =
        RunAnalysisCommand(fileName, ProfileData, SystemFormatSettings());
    for (const TControlText& write : result.Writes) {
        if (write.IsList) {
            auto* list = Control<TListBox>(write.Name.c_str());
            list->clear();
            for (const std::string& entry : write.Entries)
                list->addItem(QString::fromLocal8Bit(entry));
        } else {
            Control<TEdit>(write.Name.c_str())
                ->SetLocal8BitText(write.Entries.empty()
                                       ? QByteArray()
                                       : QByteArray::fromStdString(write.Entries.front()));
        }
    }
    if (result.Error)
        std::rethrow_exception(result.Error);
    PlotResults(result);
}

void TForm2::PlotResults(const TAnalysisResult& result) {
    PlotProfile(*Control<TPlotChart>("Chart1"), ProfileData, result.Stats);
    PlotCleanedProfile(*Control<TPlotChart>("Chart2"), ProfileData, result.Stats);
}

void TForm2::Button2Click() {
    std::exit(0);
}

void TForm2::Button3Click() {
    // The dialog opens with printing to a file offered and chosen, every time.
    PrintDialog1->SetOptions(PrintDialog1->Options() | poPrintToFile);
    PrintDialog1->SetPrintToFile(true);
    if (!PrintDialog1->Execute())
        return; // Cancel prints nothing
    PrintForm(this, CurrentPrinter(), QStringLiteral("Torvane analyzer"));
}
