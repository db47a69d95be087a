#include "UFontMap.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // As the program does: no D-Bus session bus started for SDL or Qt by a
    // fork of this multi-threaded process (see app/main.cpp).
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
