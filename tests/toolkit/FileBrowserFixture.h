#pragma once

#include "toolkit/Volumes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A scratch folder tree for the file-browser controls. The volume list is
// pinned to the root volume alone, so that tree lines and drive letters do not
// depend on how the test machine mounts its temporary folder; tests that need
// a second drive let a folder stand in for it. The current directory is put
// back afterwards.
class FileBrowserFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FTemp.isValid());
        FSavedCwd = QDir::currentPath();
        Root = QFileInfo(FTemp.path()).canonicalFilePath();
        OverrideVolumes(
            std::vector<TVolume>{TVolume{QStringLiteral("/"), {}, {}, TDriveType::dtFixed}});
    }

    void TearDown() override {
        OverrideVolumes(std::nullopt);
        QDir::setCurrent(FSavedCwd);
    }

    QString Path(const QString& relative) const { return Root + QLatin1Char('/') + relative; }

    void MakeDir(const QString& relative) const { ASSERT_TRUE(QDir().mkpath(Path(relative))); }

    void MakeFile(const QString& relative) const {
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    static QStringList Lines(const QListWidget& list) {
        QStringList lines;
        for (int i = 0; i < list.count(); ++i)
            lines << list.item(i)->text();
        return lines;
    }

    static void ClickRow(QListWidget& list, int row) {
        const QPoint at = list.visualItemRect(list.item(row)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, list.viewport()->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            QApplication::sendEvent(list.viewport(), &event);
        }
    }

    static void DoubleClickRow(QListWidget& list, int row) {
        ClickRow(list, row);
        const QPoint at = list.visualItemRect(list.item(row)).center();
        QMouseEvent event(QEvent::MouseButtonDblClick, at, list.viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
    }

    static void PressKey(QWidget& widget, Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&widget, &event);
    }

    QString Root;

private:
    QTemporaryDir FTemp;
    QString FSavedCwd;
};
