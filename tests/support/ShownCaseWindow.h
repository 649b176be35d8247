#pragma once

#include "app/gui/CaseWindow.h"
#include "core/Prompt.h"
#include "ration/CaseHeaderForm.h"
#include "ration/gui/CaseHeaderView.h"
#include "support/TestDatabase.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A workspace with one case window over a fresh database, shown so
// that visibility, focus and geometry behave as on the screen. An empty key
// opens a new case.
class ShownCaseWindow : public ::testing::Test
{
protected:
    void openWindow(const QString& language, const QString& caseKey, QSize size,
                    TestDatabase::Data data = TestDatabase::Data::Fixture)
    {
        area.reset();
        db = std::make_unique<TestDatabase>(data, language);
        ASSERT_TRUE(db->isValid()) << qPrintable(db->error());
        area = std::make_unique<QMdiArea>();
        area->resize(size);
        area->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(area.get()));
        window = caseKey.isEmpty()
                     ? CaseWindow::open(*area, db->context(), &prompt)
                     : CaseWindow::openStored(*area, db->context(), caseKey.toLongLong(), &prompt);
        ASSERT_NE(window, nullptr);
        QCoreApplication::processEvents();
    }

    const CaseHeaderControls& c() const { return window->view()->controls(); }
    CaseHeaderForm& form() { return window->form(); }

    std::unique_ptr<TestDatabase> db;
    RecordingPrompt prompt;
    std::unique_ptr<QMdiArea> area;
    CaseWindow* window = nullptr;
};
