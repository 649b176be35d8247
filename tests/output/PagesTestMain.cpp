#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The chart pages' drawing timer needs an event loop, not a display.
int main(int argc, char** argv)
{
    QLocale::setDefault(QLocale::c());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
