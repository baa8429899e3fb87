// What a person sees of the window's controls: bold text heavier than
// regular, disabled controls greyed, no selection shown where no focus can be.
#include "app/Unit2.h"
#include "tests/common/KeepCurrentDirectory.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileListBox.h"
#include "toolkit/Label.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The darkness of everything drawn over the picture's background colour
// (its top left pixel), in whole black pixels.
double Ink(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int background = qGray(image.pixel(0, 0));
    double ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += std::max(0, background - qGray(image.pixel(x, y)));
    return ink / 255.0;
}

QImage Picture(QWidget* w) {
    return w->grab().toImage();
}

// Whether the box looks different with its text selected than without.
bool SelectionShows(TEdit* edit) {
    const int start = edit->selectionStart();
    const int length = edit->selectionLength();
    const QImage selected = Picture(edit);
    edit->deselect();
    const QImage plain = Picture(edit);
    edit->setSelection(start, length);
    return selected != plain;
}

} // namespace

TEST(WindowLook, BoldTextHasHeavierStemsThanRegularOnTheBoldAdvances) {
    TForm2 form;
    form.show();
    // Labels of both bold sizes; the same caption in the same font, regular.
    for (const char* name : {"Label3", "Label1", "Label6", "Label9", "Label10", "Label8"}) {
        SCOPED_TRACE(name);
        auto* bold = form.findChild<TLabel*>(name);
        ASSERT_NE(bold, nullptr);
        ASSERT_TRUE(bold->font().bold());
        TLabel regular(&form);
        QFont font = bold->font();
        font.setBold(false);
        regular.setFont(font);
        regular.SetCaption(bold->text());
        regular.show();
        const double boldInk = Ink(Picture(bold));
        const double regularInk = Ink(Picture(&regular));
        // Wine's bold face alone draws within a few per cent of the regular ink.
        EXPECT_GT(boldInk, 1.3 * regularInk) << bold->text().toStdString();
        // The bold face's wider advances, which the layout was designed for.
        EXPECT_GT(QFontMetrics(bold->font()).horizontalAdvance(bold->text()),
                  QFontMetrics(font).horizontalAdvance(bold->text()));
    }
}

TEST(WindowLook, DisabledButtonIsGreyedAndEnabledOneInItsTextColour) {
    TForm2 form;
    form.show();
    TButton* button = form.Button1;
    ASSERT_FALSE(button->isEnabled());
    const QPalette palette = button->palette();
    const QColor text = palette.color(QPalette::Active, QPalette::ButtonText);
    EXPECT_EQ(text, QColor(Qt::black)); // the description's clWindowText
    EXPECT_EQ(palette.color(QPalette::Inactive, QPalette::ButtonText), text);
    const QColor greyed = palette.color(QPalette::Disabled, QPalette::ButtonText);
    EXPECT_NE(greyed, text);
    EXPECT_GT(qGray(greyed.rgb()), qGray(text.rgb()) + 40);

    const QImage disabled = Picture(button);
    button->setEnabled(true);
    const QImage enabled = Picture(button);
    EXPECT_NE(disabled, enabled);
    EXPECT_GT(Ink(enabled), 1.3 * Ink(disabled));
}

TEST(WindowLook, TheDisabledFileNameBoxShowsNoSelectionBand) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QFile(dir.filePath("p1.torvane")).open(QIODevice::WriteOnly));
    TKeepCurrentDirectory keep;
    TForm2 form;
    form.DirectoryListBox1->SetDirectory(dir.path());
    form.show();
    form.FileListBox1->setCurrentRow(0);
    TEdit* edit = form.Edit1;
    ASSERT_EQ(edit->text(), "p1.torvane");
    ASSERT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->selectedText(), "p1.torvane"); // selected, as the list leaves it

    EXPECT_FALSE(SelectionShows(edit));
    // The same box enabled shows it: the check can see a band.
    edit->setEnabled(true);
    EXPECT_TRUE(SelectionShows(edit));
}
