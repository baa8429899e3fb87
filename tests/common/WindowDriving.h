#pragma once

// What the programs that play a user in the analyzer's real window share:
// clicks as the window system delivers them, an Analyze click whose error
// box a later tick dismisses, and a profile that fails into such a box.

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QMouseEvent>
#include <QWidget>

// A left click as the window system delivers it: press and release at `at`.
inline void Click(QWidget* target, QPoint at) {
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

// A click on a button run from the event loop, so that an error box's own
// loop runs outside the caller's timer handler and a later tick can dismiss it.
class TQueuedClick {
public:
    void Start(QAbstractButton* button) {
        FReturned = false;
        FErrorBoxText.clear();
        QMetaObject::invokeMethod(
            button,
            [this, button] {
                Click(button, button->rect().center());
                FReturned = true;
            },
            Qt::QueuedConnection);
    }

    // True once the click has run to its end; an error box on the way is
    // dismissed and its text kept (the click returns once the box's loop ends).
    bool Returned() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            FErrorBoxText = box->text();
            box->accept();
            return false;
        }
        return FReturned;
    }

    const QString& ErrorBoxText() const { return FErrorBoxText; }

private:
    bool FReturned = false;
    QString FErrorBoxText;
};

// A profile whose bins are all equal: no spread off the pulse, so the
// analysis stops with an error. The header stays as it stands, so that the
// declared bin count still holds.
inline bool WriteFlatProfile(const QString& from, const QString& to) {
    QFile source(from);
    QFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return false;
    int bin = 0;
    while (!source.atEnd()) {
        const QByteArray line = source.readLine();
        if (line.startsWith('#'))
            target.write(line);
        else if (!line.trimmed().isEmpty())
            target.write(QByteArray::number(bin++).rightJustified(4) + "  10\n");
    }
    return bin > 0;
}
