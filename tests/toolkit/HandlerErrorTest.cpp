// An exception from a handler that a window description binds ends in the
// application's error box at the event sink, not in Qt's frames, and the
// window goes on.

#include "base/Exception.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/WindowDescription.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

struct TShownBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
};

// Clicks the button and reads the error box that comes up (and closes it);
// no box gives an empty title.
TShownBox ClickAndReadBox(TButton* button) {
    TShownBox shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = {box->windowTitle(), box->text(), box->icon()};
            box->accept();
        }
    });
    button->click();
    QApplication::processEvents();
    return shown;
}

} // namespace

TEST(HandlerError, ReachesTheErrorBoxAndTheWindowGoesOn) {
    int thrown = 0;
    int calm = 0;
    std::function<void()> fault;
    const TDescEventHandlers handlers = {
        {"Faulty",
         [&] {
             ++thrown;
             fault();
         }},
        {"Calm", [&] { ++calm; }},
    };
    QWidget form;
    LoadWindowDescription(&form, ParseWindowDescription(R"(object F: TF
  object Bad: TButton
    OnClick = Faulty
  end
  object Good: TButton
    OnClick = Calm
  end
end)"),
                          handlers);
    auto* bad = form.findChild<TButton*>("Bad");
    auto* good = form.findChild<TButton*>("Good");
    ASSERT_TRUE(bad && good);

    const struct {
        const char* Name;
        std::function<void()> Fault;
        const char* Shown;
    } cases[] = {
        {"our exception", [] { throw Exception("Floating point overflow"); },
         "Floating point overflow."},
        {"a standard one", [] { throw std::runtime_error("out of memory"); }, "out of memory."},
        {"anything else", [] { throw 42; }, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        fault = c.Fault;
        const TShownBox box = ClickAndReadBox(bad);
        EXPECT_EQ(box.Title, TApplication::Title());
        EXPECT_EQ(box.Text, QString::fromLatin1(c.Shown));
        EXPECT_EQ(box.Icon, QMessageBox::Critical);
    }
    EXPECT_EQ(thrown, 3);
    // The window goes on: its other handlers run, and no box comes.
    EXPECT_EQ(ClickAndReadBox(good).Title, QString());
    EXPECT_EQ(calm, 1);
}
