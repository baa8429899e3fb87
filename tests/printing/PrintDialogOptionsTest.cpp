// What the window's print dialog offers, whichever printer is chosen in it:
// all pages only, copies, the printer's properties, and print to file chosen
// when it opens.

#include "app/Unit2.h"
#include "tests/printing/PrintServer.h"
#include "toolkit/Button.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Tries every entry of the dialog's printer list: Qt offers page ranges for
// the print system's printers and offers them again on every change of
// printer.
void ExpectAllPagesOnlyForEveryPrinter(QPrintDialog& dialog, QStringList& entries) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    ASSERT_NE(printers, nullptr);
    for (int i = 0; i < printers->count(); ++i) {
        if (printers->itemText(i).isEmpty())
            continue; // the separator
        entries << printers->itemText(i);
        printers->setCurrentIndex(i);
        SCOPED_TRACE(printers->itemText(i).toStdString());
        auto* all = dialog.findChild<QAbstractButton*>(QStringLiteral("printAll"));
        ASSERT_NE(all, nullptr);
        EXPECT_TRUE(all->isChecked());
        for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                                 "printSelection", "printCurrentPage", "pageSetCombo"}) {
            auto* choice = dialog.findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(choice, nullptr) << name;
            EXPECT_TRUE(choice->isHidden() || !choice->isEnabled()) << name << " is offered";
        }
        auto* copies = dialog.findChild<QSpinBox*>(QStringLiteral("copies"));
        ASSERT_NE(copies, nullptr);
        EXPECT_TRUE(copies->isEnabled());
        auto* properties = dialog.findChild<QAbstractButton*>(QStringLiteral("properties"));
        ASSERT_NE(properties, nullptr);
        EXPECT_TRUE(!properties->isHidden() && properties->isEnabled());
    }
}

} // namespace

TEST(PrintDialog, OffersAllPagesOnlyCopiesAndPropertiesWhateverPrinterIsChosen) {
    TForm2 form;
    QStringList entries;
    QString chosen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")))
            chosen = printers->currentText();
        ExpectAllPagesOnlyForEveryPrinter(*dialog, entries);
        dialog->reject();
    });
    form.Button3Click();
    EXPECT_EQ(chosen, QStringLiteral("Print to File (PDF)"));
    if (PrintServer().Ready) {
        EXPECT_TRUE(entries.contains(PrintServer().Queue)) << entries.join(", ").toStdString();
    }
}
