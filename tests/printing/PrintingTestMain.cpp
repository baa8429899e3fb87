// Test entry of the printing tests: the window's own application object, with
// the test print server as the print system.
#include "tests/printing/PrintServer.h"
#include "toolkit/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The build's own server unless another is named.
    UsePrintServer(
        qEnvironmentVariable("TORVANE_PRINT_SERVER_DIR", QStringLiteral(TORVANE_PRINT_SERVER_DIR)));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
