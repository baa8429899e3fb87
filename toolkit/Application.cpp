#include "toolkit/Application.h"

#include "base/Exception.h"
#include "toolkit/Fonts.h"

#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

QString ExceptionMessageText(const QString& message) {
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

QString ExceptionMessage(const std::exception& error) {
    // File names inside messages are 8-bit text in the locale's encoding.
    if (const auto* e = dynamic_cast<const Exception*>(&error))
        return QString::fromLocal8Bit(e->Message());
    return QString::fromLocal8Bit(error.what());
}

void ShowExceptionMessage(const std::exception& error) {
    QMessageBox box(QMessageBox::Critical, TApplication::Title(),
                    ExceptionMessageText(ExceptionMessage(error)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ShowEscapedException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
    } catch (...) {
        ShowExceptionMessage(Exception(""));
    }
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Not the display name: Qt would append that to every window title.
    setApplicationName(QStringLiteral("torvane-analyzer"));
    RegisterWindowFonts();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowEscapedException(std::current_exception());
    }
    return false;
}

void TApplication::ShowException(const std::exception& error) {
    ShowExceptionMessage(error);
}

namespace {

// Written by the signal handler, read by the message loop: the only safe way
// from a signal into Qt.
int TerminationPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(TerminationPipe[0], &byte, 1);
}

} // namespace

void CloseOnTerminationRequest(QWidget* window) {
    if (TerminationPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, TerminationPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(TerminationPipe[1], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window,
                     [target = QPointer<QWidget>(window)] {
                         char byte = 0;
                         [[maybe_unused]] const auto got = ::read(TerminationPipe[1], &byte, 1);
                         if (target)
                             target->close();
                     });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}
