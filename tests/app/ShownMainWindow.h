#pragma once

#include "app/gui/MainWindow.h"
#include "core/Prompt.h"
#include "support/TestDatabase.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

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
