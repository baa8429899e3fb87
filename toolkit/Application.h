#pragma once

#include <QApplication>
#include <QString>
#include <exception>

// The text a message box shows for an error message: a full stop is added
// when the last character's code lies above that of "." (so "Done." and a
// message ending in a blank stay as they are).
QString ExceptionMessageText(const QString& message);

// The message an exception carries, as the user reads it.
QString ExceptionMessage(const std::exception& error);

// Shows the error in a modal message box with the error icon, an OK button
// and the application's title as caption.
void ShowExceptionMessage(const std::exception& error);

// The application's error display for an exception that escaped an event
// handler: its message in that box, "" for one that carries none.
void ShowEscapedException(std::exception_ptr error);

// The application object. Every exception that escapes an event handler ends
// up in notify (or, for a handler bound by a window description, where the
// description's event fires it) and is shown by ShowEscapedException; the
// program goes on.
class TApplication : public QApplication {
    Q_OBJECT
public:
    TApplication(int& argc, char** argv);

    static QString Title() { return QStringLiteral("Torvane analyzer"); }

    bool notify(QObject* receiver, QEvent* event) override;
    void ShowException(const std::exception& error);
};

// Closes `window`, as its close box does, when the process is asked to
// terminate (SIGTERM, SIGINT, SIGHUP), so the program ends through its
// message loop like any other close. The window must outlive the loop.
void CloseOnTerminationRequest(QWidget* window);
