#pragma once

#include "app/gui/MainWindow.h"
#include "app/gui/SearchBarView.h"
#include "core/Prompt.h"
#include "support/TestDatabase.h"

#include <QAbstractButton>
#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// The main window's menu command of that object name ("actionRation"), or null.
inline QAction* menuAction(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

// Runs a menu command as its entry does; false for a missing or disabled one.
inline bool triggerAction(const MainWindow& window, const char* name)
{
    QAction* action = menuAction(window, name);
    if (!action || !action->isEnabled())
        return false;
    action->trigger();
    return true;
}

// Clicks a button of the search bar, shown or not; false for a missing or
// disabled one.
inline bool clickBarButton(const MainWindow& window, int control)
{
    auto* button = qobject_cast<QAbstractButton*>(window.searchBar()->control(control));
    if (!button || !button->isEnabled())
        return false;
    button->click();
    return true;
}

// A main window over a fresh fixture database, shown so that visibility and
// geometry can be checked.
class ShownMainWindow : public ::testing::Test
{
protected:
    void open(const QString& languageCode = QStringLiteral("DE"), QSize size = QSize(1200, 700))
    {
        window.reset();
        fixture = std::make_unique<TestDatabase>(TestDatabase::Data::Fixture, languageCode);
        ASSERT_TRUE(fixture->isValid()) << qPrintable(fixture->error());
        window = std::make_unique<MainWindow>(fixture->context(), prompt);
        window->resize(size);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    std::unique_ptr<TestDatabase> fixture;
    RecordingPrompt prompt;
    std::unique_ptr<MainWindow> window;
};
