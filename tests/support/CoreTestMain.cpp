#include "support/PinnedLocale.h"
#include "support/TestBackend.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// Tests of the display-free libraries: an event loop for timers and queued
// signals, no display.
int main(int argc, char** argv)
{
    if (!TestBackend::takeArgument(argc, argv))
        return 2;
    pinLocale();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
