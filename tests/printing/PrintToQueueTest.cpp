// The window's Print command on a real print queue, through Qt's own print
// dialog: what reaches the queue, what the page shows, what a Cancel or a
// queue that takes no job leaves behind.

#include "app/Unit2.h"
#include "tests/printing/PrintServer.h"
#include "toolkit/Button.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/FileListBox.h"
#include "toolkit/FormPrinting.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <cups/cups.h>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString FileEntry = QStringLiteral("Print to File (PDF)");
const QString NotPrinting = QStringLiteral("Printer is not currently printing.");
// Where Qt's printer engine keeps the options that an OK in the dialog passes
// on to the print system (job options, page set).
const auto JobOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Handles the modal windows that come up, one step each, in turn.
class TModals {
public:
    using TStep = std::function<void(QWidget*)>;

    explicit TModals(std::vector<TStep> steps) : FSteps(std::move(steps)) {
        QObject::connect(&FTimer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == FLast || FNext == FSteps.size())
                return;
            FLast = modal;
            // Queued: a step may open the next modal window, whose loop must
            // not run inside this timer's own handler, or the timer would
            // not fire again to handle it.
            QMetaObject::invokeMethod(
                modal,
                [this, step = FNext++, watched = QPointer<QWidget>(modal)] {
                    if (watched)
                        FSteps[step](watched);
                },
                Qt::QueuedConnection);
        });
        FTimer.start(10);
    }
    bool AllDone() const { return FNext == FSteps.size(); }

private:
    std::vector<TStep> FSteps;
    size_t FNext = 0;
    QPointer<QWidget> FLast; // a pointer alone could name a new box at a freed dialog's address
    QTimer FTimer;
};

// What the print dialog offered when it came up.
struct TDialogSeen {
    bool Opened = false;
    QString Chosen;
    QStringList Entries;
};

QComboBox* PrinterList(QWidget* dialog) {
    return dialog->findChild<QComboBox*>(QStringLiteral("printers"));
}

// Notes what the dialog offers, lets `browse` act on it as a user would,
// then presses OK or Cancel.
TModals::TStep InPrintDialog(TDialogSeen& seen, std::function<void(QPrintDialog&)> browse,
                             bool ok) {
    return [&seen, browse, ok](QWidget* modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(modal);
        if (!dialog)
            return;
        seen.Opened = true;
        if (QComboBox* printers = PrinterList(dialog)) {
            seen.Chosen = printers->currentText();
            for (int i = 0; i < printers->count(); ++i)
                seen.Entries << printers->itemText(i);
        }
        if (browse)
            browse(*dialog);
        if (ok)
            dialog->accept();
        else
            dialog->reject();
    };
}

void Choose(QPrintDialog& dialog, const QString& entry) {
    QComboBox* printers = PrinterList(&dialog);
    ASSERT_NE(printers, nullptr);
    const int index = printers->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    printers->setCurrentIndex(index);
}

std::function<void(QPrintDialog&)> ChooseEntry(const QString& entry) {
    return [entry](QPrintDialog& dialog) { Choose(dialog, entry); };
}

TModals::TStep InErrorBox(QString& text) {
    return [&text](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            text = box->text();
            box->accept();
        }
    };
}

// A left click as the window system delivers it, so that an error escaping
// the handler takes the application's way to its error box.
void Click(QWidget* target) {
    const QPointF at = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

int PdfPages(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The smallest rectangle holding every pixel that is not paper white.
QRect InkBounds(const QImage& page) {
    QRect bounds;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 245)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// How closely the grey levels of two pictures of one size follow each other
// (Pearson's correlation): near 1 for the same picture, near 0 for unrelated.
double Likeness(const QImage& a, const QImage& b) {
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    const double n = double(a.width()) * a.height();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const double ga = qGray(a.pixel(x, y));
            const double gb = qGray(b.pixel(x, y));
            sa += ga;
            sb += gb;
            saa += ga * ga;
            sbb += gb * gb;
            sab += ga * gb;
        }
    const double cov = sab - sa * sb / n;
    return cov / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

// The printer's set-up as the user chose it, compared as a whole.
struct TSetup {
    QPrinter::OutputFormat Format;
    QString Printer;
    QString File;
    int Copies;
    QPageLayout Layout;
    QVariant JobOptions;
    bool operator==(const TSetup&) const = default;
};

TSetup SetupOf(const QPrinter& printer) {
    return {printer.outputFormat(),   printer.printerName(),
            printer.outputFileName(), printer.copyCount(),
            printer.pageLayout(),     printer.printEngine()->property(JobOptionsKey)};
}

void PrintTo(const TSetup& s, std::ostream* os) {
    *os << (s.Format == QPrinter::PdfFormat ? "PDF " : "native ") << s.Printer.toStdString()
        << " file '" << s.File.toStdString() << "' copies " << s.Copies << ' '
        << s.Layout.pageSize().key().toStdString()
        << (s.Layout.orientation() == QPageLayout::Landscape ? " landscape" : " portrait")
        << " job options '" << s.JobOptions.toStringList().join(u',').toStdString() << '\'';
}

class PrintToQueue : public testing::Test {
protected:
    void SetUp() override {
        if (!PrintServer().Ready)
            GTEST_SKIP() << PrintServer().Reason.toStdString();
        ASSERT_TRUE(RunOnQueue(QStringLiteral("cupsenable")));
        ASSERT_TRUE(RunOnQueue(QStringLiteral("cupsaccept")));
        ASSERT_TRUE(WaitUntilQueueIsDone());
        ClearOutput();
        JobsBefore = QueueJobs().size();
        QPrinter& printer = CurrentPrinter();
        printer.setOutputFileName({});
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(PrintServer().Queue);
        printer.setCopyCount(1);
        printer.setPageOrientation(QPageLayout::Portrait);

        // The window after an analysis, so that the page has a chart to show.
        Form = std::make_unique<TForm2>();
        Form->DirectoryListBox1->SetDirectory(QStringLiteral(TORVANE_SOURCE_DIR "/examples"));
        Form->show();
        const auto items = Form->FileListBox1->findItems("J0437-4715.torvane", Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        Form->FileListBox1->setCurrentItem(items.front());
        Form->Button1->click();
    }

    // Jobs that reached the queue during this test.
    std::vector<TPrintJob> NewJobs() const {
        auto jobs = QueueJobs();
        jobs.erase(jobs.begin(), jobs.begin() + qsizetype(JobsBefore));
        return jobs;
    }

    // Clicks Print with the modal windows handled by `steps`.
    void Print(std::vector<TModals::TStep> steps) {
        TModals modals(std::move(steps));
        Click(Form->Button3);
        EXPECT_TRUE(modals.AllDone()) << "a dialog or box that was expected did not come up";
    }

    void ExpectOnePageOnTheQueue() {
        ASSERT_TRUE(WaitUntilQueueIsDone());
        const auto jobs = NewJobs();
        ASSERT_EQ(jobs.size(), 1u);
        EXPECT_EQ(jobs.front().State, IPP_JSTATE_COMPLETED);
        const QStringList pages = OutputFiles();
        ASSERT_EQ(pages.size(), 1);
        EXPECT_EQ(PdfPages(pages.front()), 1);
    }

    size_t JobsBefore = 0;
    std::unique_ptr<TForm2> Form;
};

TEST_F(PrintToQueue, OkOnTheQueuePrintsTheWindowAtThePrintableAreaAndTheNextPrintOffersTheFile) {
    TDialogSeen first;
    Print({InPrintDialog(first, ChooseEntry(PrintServer().Queue), true)});
    EXPECT_EQ(first.Chosen, FileEntry);
    EXPECT_TRUE(first.Entries.contains(PrintServer().Queue))
        << first.Entries.join(", ").toStdString();
    ASSERT_NO_FATAL_FAILURE(ExpectOnePageOnTheQueue());

    // The page: the window's picture alone, at the printable area's top-left
    // corner, of the fitted size.
    const QPrinter& printer = CurrentPrinter();
    const int dpi = 100;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_EQ(QProcess::execute("pdftoppm", {"-r", QString::number(dpi), "-png", "-singlefile",
                                             OutputFiles().front(), dir.filePath("page")}),
              0);
    const QImage page(dir.filePath("page.png"));
    ASSERT_FALSE(page.isNull());
    const QImage window = FormImage(Form.get());
    const QSizeF fitted =
        QSizeF(FitToPage(window.size(), QSize(printer.width(), printer.height()))) * dpi /
        printer.resolution();
    const QRectF expected(printer.pageLayout().paintRectPoints().topLeft() * dpi / 72.0, fitted);
    ASSERT_GT(expected.left(), 10) << "the queue's page has no margin to tell the corners apart";
    const QRect ink = InkBounds(page);
    EXPECT_NEAR(ink.left(), expected.left(), 2);
    EXPECT_NEAR(ink.top(), expected.top(), 2);
    EXPECT_NEAR(ink.width(), expected.width(), 2);
    EXPECT_NEAR(ink.height(), expected.height(), 2);
    // Alike at a quarter of the size, where the page's and Qt's smoothing of
    // the small text no longer count: the same picture comes out near 0.97,
    // the picture moved by ten of its pixels near 0.2.
    const QSize quarter = ink.size() / 4;
    EXPECT_GT(
        Likeness(page.copy(ink).scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                 window.scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
        0.9);

    // The next Print offers the file again; the queue stays the printer.
    TDialogSeen next;
    Print({InPrintDialog(next, {}, false)});
    EXPECT_EQ(next.Chosen, FileEntry);
    EXPECT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    EXPECT_EQ(printer.printerName(), PrintServer().Queue);
    EXPECT_TRUE(WaitUntilQueueIsDone());
    EXPECT_EQ(NewJobs().size(), 1u);
}

TEST_F(PrintToQueue, CancelPrintsNothingAndLeavesThePrinterAsItWas) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString chosenFile = dir.filePath("chosen.pdf");
    const QString typedFile = dir.filePath("typed.pdf");
    const struct {
        const char* Name;
        bool StartOnFile; // the set-up of an earlier OK with print to file, else of the queue
        std::function<void(QPrintDialog&)> Browse;
        TModals::TStep InProperties; // the printer's properties, opened by Browse
    } cases[] = {
        {"untouched", false, {}, {}},
        {"queue chosen, copies changed",
         false,
         [](QPrintDialog& dialog) {
             Choose(dialog, PrintServer().Queue);
             if (auto* copies = dialog.findChild<QSpinBox*>(QStringLiteral("copies")))
                 copies->setValue(5);
         },
         {}},
        {"file named",
         false,
         [&](QPrintDialog& dialog) {
             if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("filename")))
                 name->setText(typedFile);
         },
         {}},
        {"queue chosen, portrait set in its properties", false,
         [](QPrintDialog& dialog) {
             Choose(dialog, PrintServer().Queue);
             if (auto* properties =
                     dialog.findChild<QAbstractButton*>(QStringLiteral("properties")))
                 properties->click();
         },
         [](QWidget* properties) {
             if (auto* portrait =
                     properties->findChild<QAbstractButton*>(QStringLiteral("portrait")))
                 portrait->setChecked(true);
             if (auto* box = qobject_cast<QDialog*>(properties))
                 box->accept();
         }},
        {"after a print to file, queue chosen", true, ChooseEntry(PrintServer().Queue), {}},
        {"after a print to file, untouched", true, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        QPrinter& printer = CurrentPrinter();
        if (c.StartOnFile) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(chosenFile);
        } else {
            printer.setOutputFileName({});
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(PrintServer().Queue);
            printer.printEngine()->setProperty(JobOptionsKey, QStringList{"job-priority", "20"});
        }
        printer.setCopyCount(2);
        printer.setPageOrientation(QPageLayout::Landscape);
        const TSetup before = SetupOf(printer);

        TDialogSeen seen;
        std::vector<TModals::TStep> steps{InPrintDialog(seen, c.Browse, false)};
        if (c.InProperties)
            steps.push_back(c.InProperties);
        Print(std::move(steps));
        EXPECT_TRUE(seen.Opened);
        EXPECT_EQ(SetupOf(printer), before);
        EXPECT_FALSE(QFile::exists(chosenFile));
        EXPECT_FALSE(QFile::exists(typedFile));
    }
    EXPECT_TRUE(WaitUntilQueueIsDone());
    EXPECT_TRUE(NewJobs().empty());
    EXPECT_TRUE(OutputFiles().isEmpty());
}

// Turns the queue away while the page is being made, after the queue said
// it takes jobs: the print system refuses the job only when it is handed over.
class TRejectWhilePrinting : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && CurrentPrinter().paintingActive() && !Done)
            Done = RunOnQueue(QStringLiteral("cupsreject"));
        return false;
    }
    bool Done = false;
};

TEST_F(PrintToQueue, QueueThatTakesNoJobShowsTheMessageAndPrintsNothing) {
    const struct {
        const char* Name;
        const char* Command; // before Print, or none
    } cases[] = {
        {"disabled", "cupsdisable"},
        {"rejecting jobs", "cupsreject"},
        {"rejecting jobs from the moment the page is made", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const size_t jobsBefore = QueueJobs().size();
        TRejectWhilePrinting reject;
        if (c.Command)
            ASSERT_TRUE(RunOnQueue(QString::fromLatin1(c.Command)));
        else
            Form->installEventFilter(&reject);

        TDialogSeen seen;
        QString error;
        Print({InPrintDialog(seen, ChooseEntry(PrintServer().Queue), true), InErrorBox(error)});
        Form->removeEventFilter(&reject);
        EXPECT_EQ(error, NotPrinting);
        EXPECT_EQ(c.Command != nullptr, !reject.Done);
        EXPECT_EQ(QueueJobs().size(), jobsBefore) << "a job reached the queue";
        EXPECT_TRUE(OutputFiles().isEmpty());

        // The window goes on: with the queue back, Print prints.
        ASSERT_TRUE(RunOnQueue(QStringLiteral("cupsenable")));
        ASSERT_TRUE(RunOnQueue(QStringLiteral("cupsaccept")));
        JobsBefore = jobsBefore;
        TDialogSeen again;
        Print({InPrintDialog(again, ChooseEntry(PrintServer().Queue), true)});
        ExpectOnePageOnTheQueue();
        ClearOutput();
    }
}

} // namespace
