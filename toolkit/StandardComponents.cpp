#include "toolkit/StandardComponents.h"

#include "toolkit/Bevel.h"
#include "toolkit/Button.h"
#include "toolkit/DescriptionError.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/DriveComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PrintDialog.h"
#include "toolkit/WindowDescription.h"

namespace {

template <class T> TComponentFactory Factory() {
    return [](QWidget* parent) -> QObject* { return new T(parent); };
}

[[noreturn]] void BadIdent(const QString& what, const QString& value) {
    throw EDescriptionError(0, QStringLiteral("unknown %1 \"%2\"").arg(what, value).toStdString());
}

bool SetBevelProperty(QObject* component, const QString& name, const QString& value) {
    auto* bevel = static_cast<TBevel*>(component);
    if (name == u"Shape") {
        const QString shape = DescIdent(value);
        if (shape == u"bsBox")
            bevel->SetShape(bsBox);
        else if (shape == u"bsFrame")
            bevel->SetShape(bsFrame);
        else
            BadIdent(QStringLiteral("bevel shape"), shape);
        return true;
    }
    if (name == u"Style") {
        const QString style = DescIdent(value);
        if (style == u"bsLowered")
            bevel->SetStyle(bsLowered);
        else if (style == u"bsRaised")
            bevel->SetStyle(bsRaised);
        else
            BadIdent(QStringLiteral("bevel style"), style);
        return true;
    }
    return false;
}

bool SetListBoxProperty(QObject* component, const QString& name, const QString& value) {
    if (name == u"ItemHeight") {
        static_cast<TListBox*>(component)->SetItemHeight(DescInt(value));
        return true;
    }
    return false;
}

bool SetFileListProperty(QObject* component, const QString& name, const QString& value) {
    auto* list = static_cast<TFileListBox*>(component);
    if (name == u"ItemHeight") {
        list->SetItemHeight(DescInt(value));
        return true;
    }
    if (name == u"Mask") {
        list->SetMask(DescString(value));
        return true;
    }
    return false;
}

bool SetPrintDialogProperty(QObject* component, const QString& name, const QString& value) {
    auto* dialog = static_cast<TPrintDialog*>(component);
    if (name == u"Options") {
        TPrintDialogOptions options = 0;
        for (const QString& option : DescSet(value)) {
            if (option == u"poPrintToFile")
                options |= poPrintToFile;
            else if (option == u"poPageNums")
                options |= poPageNums;
            else if (option == u"poSelection")
                options |= poSelection;
            else if (option == u"poDisablePrintToFile")
                options |= poDisablePrintToFile;
            else
                BadIdent(QStringLiteral("print dialog option"), option);
        }
        dialog->SetOptions(options);
        return true;
    }
    if (name == u"PrintToFile") {
        dialog->SetPrintToFile(DescBool(value));
        return true;
    }
    return false;
}

} // namespace

void RegisterStandardComponents() {
    static bool done = false;
    if (done)
        return;
    done = true;
    RegisterComponentClass(QStringLiteral("TLabel"), Factory<TLabel>());
    RegisterComponentClass(QStringLiteral("TBevel"), Factory<TBevel>(), SetBevelProperty);
    RegisterComponentClass(QStringLiteral("TButton"), Factory<TButton>());
    RegisterComponentClass(QStringLiteral("TEdit"), Factory<TEdit>());
    RegisterComponentClass(QStringLiteral("TListBox"), Factory<TListBox>(), SetListBoxProperty);
    RegisterComponentClass(QStringLiteral("TDriveComboBox"), Factory<TDriveComboBox>());
    RegisterComponentClass(QStringLiteral("TDirectoryListBox"), Factory<TDirectoryListBox>());
    RegisterComponentClass(QStringLiteral("TFileListBox"), Factory<TFileListBox>(),
                           SetFileListProperty);
    RegisterComponentClass(
        QStringLiteral("TPrintDialog"),
        [](QWidget* parent) -> QObject* { return new TPrintDialog(parent); },
        SetPrintDialogProperty);
}
