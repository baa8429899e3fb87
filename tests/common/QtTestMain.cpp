// Test entry for everything that needs a QApplication: widgets run on the
// offscreen platform so no display is needed.
#include "toolkit/Fonts.h"

#include <QApplication>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterWindowFonts();
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
