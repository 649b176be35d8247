#include "ui/gui/DockBar.h"

#include <QLabel>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

class DockBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    }

    // A main window with a bar on the left, shown and settled.
    static DockBar* showBar(QMainWindow& window)
    {
        window.setCentralWidget(new QLabel(QStringLiteral("centre")));
        auto* bar = new DockBar(QStringLiteral("Fälle"), QStringLiteral("CaseListBar"), &window);
        bar->setWidget(new QLabel(QStringLiteral("list")));
        window.addDockWidget(Qt::LeftDockWidgetArea, bar);
        window.resize(900, 600);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return nullptr;
        QCoreApplication::processEvents();
        return bar;
    }

    QTemporaryDir dir;
};

TEST_F(DockBarTest, StoresUnderTheSharedOrganisationKey)
{
    const auto settings = DockBar::openSettings();
    EXPECT_EQ(settings->organizationName(),
              QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
    EXPECT_TRUE(settings->fileName().startsWith(dir.path()));
}

TEST_F(DockBarTest, WidthSurvivesTheNextRun)
{
    {
        QMainWindow window;
        DockBar* bar = showBar(window);
        ASSERT_NE(bar, nullptr);
        window.resizeDocks({bar}, {333}, Qt::Horizontal);
        QCoreApplication::processEvents();
        ASSERT_EQ(bar->width(), 333);
        EXPECT_EQ(bar->storedDockedExtent(Qt::Horizontal), 333);
    }
    QMainWindow window;
    DockBar* bar = showBar(window);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->width() == 333; }, 1000)) << bar->width();
}
