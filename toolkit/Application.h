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

// The application object. Every exception that escapes an event handler ends
// up in notify, is shown by ShowException, and the program goes on.
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
