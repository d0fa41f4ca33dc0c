// Test programs run without a display unless one is asked for.
#include <QApplication>
#include <gtest/gtest.h>

#include "Workers.h"
#include "platform/App.h"

int main(int argc, char **argv) {
    if (const int code = Workers::RunIfAsked(argc, argv); code >= 0)
        return code;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    App::initialise(app);
    return RUN_ALL_TESTS();
}
