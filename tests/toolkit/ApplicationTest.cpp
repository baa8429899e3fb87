#include "toolkit/Application.h"
#include "base/Exception.h"

#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Application, FullStopIsAddedAfterCharactersAboveTheFullStop) {
    const struct {
        const char* Message;
        const char* Shown;
    } cases[] = {
        {"Floating point overflow", "Floating point overflow."},
        {"Done.", "Done."},
        {"ends in a blank ", "ends in a blank "},
        {"", ""},
        {"Really!", "Really!"}, // '!' lies below '.'
        {"a-", "a-"},           // '-' just below
        {"a/", "a/."},          // '/' just above
        {"I/O error 21", "I/O error 21."},
        {"(note)", "(note)"},
        {"\"x.torvane\"", "\"x.torvane\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceptionMessageText(QString::fromLatin1(c.Message)),
                  QString::fromLatin1(c.Shown))
            << c.Message;
    // Characters beyond Latin-1 lie above "." too.
    EXPECT_EQ(ExceptionMessageText(QStringLiteral("\u00b5")), QStringLiteral("\u00b5."));
}

TEST(Application, ExceptionIsShownInAnErrorBoxWithTheTitle) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    ShowExceptionMessage(Exception("Floating point division by zero"));
    EXPECT_EQ(title, "Torvane analyzer");
    EXPECT_EQ(text, "Floating point division by zero.");
    EXPECT_EQ(icon, QMessageBox::Critical);
}
