// Window tests run without a display, on the program's own look and font.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/program_look.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    paylog::applyProgramLook(application);
    return RUN_ALL_TESTS();
}
