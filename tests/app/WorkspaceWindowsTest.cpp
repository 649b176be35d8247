#include "ShownMainWindow.h"
#include "app/SearchBar.h"
#include "app/gui/CaseWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/StartView.h"
#include "app/gui/StartWindow.h"
#include "core/Prompt.h"
#include "feed/gui/FeedEditorView.h"
#include "feed/gui/FeedEditorWindow.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "support/TestDatabase.h"
#include "sysdata/SystemTableEditor.h"
#include "sysdata/gui/SystemTableEditorWindow.h"
#include "sysdata/gui/SystemTableView.h"

#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class WorkspaceWindowsTest : public ShownMainWindow
{
protected:
    void open(const QString& languageCode = QStringLiteral("DE"))
    {
        ShownMainWindow::open(languageCode, QSize(1100, 720));
    }

    QSize clientArea() const { return window->workspace()->viewport()->size(); }
};

TEST(PictureResourceTest, TheProgramCarriesItsPicturesInTheirSizes)
{
    const struct
    {
        const char* name;
        QSize size;
    } cases[] = {{":/pictures/start-de.png", QSize(992, 620)},
                 {":/pictures/start-en.png", QSize(992, 620)},
                 {":/pictures/new-case-de.png", QSize(108, 22)},
                 {":/pictures/new-case-en.png", QSize(108, 22)},
                 {":/pictures/icon.png", QSize(64, 64)}};
    for (const auto& c : cases)
        EXPECT_EQ(QImage(QString::fromLatin1(c.name)).size(), c.size) << c.name;
    // The two languages differ in their subtitle and words.
    EXPECT_NE(QImage(QStringLiteral(":/pictures/start-de.png")),
              QImage(QStringLiteral(":/pictures/start-en.png")));
    EXPECT_NE(QImage(QStringLiteral(":/pictures/new-case-de.png")),
              QImage(QStringLiteral(":/pictures/new-case-en.png")));
}

TEST_F(WorkspaceWindowsTest, TheStartWindowIsBorderlessCoversTheWorkspaceAndShowsThePictureOfItsLanguage)
{
    const struct
    {
        const char* code;
        const char* picture;
    } cases[] = {{"DE", ":/pictures/start-de.png"}, {"US", ":/pictures/start-en.png"}};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        StartWindow* start = window->openStartWindow();
        QCoreApplication::processEvents();
        EXPECT_TRUE(start->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_EQ(start->geometry(), QRect(QPoint(0, 0), clientArea())) << c.code;
        EXPECT_EQ(start->view()->picture(), QString::fromLatin1(c.picture));
        QPushButton* button = start->view()->pictureButton();
        EXPECT_EQ(button->property("picture").toString(), QString::fromLatin1(c.picture));
        EXPECT_FALSE(button->icon().isNull());
        // The picture is shown whole, centred, as large as the window allows.
        EXPECT_EQ(button->iconSize().width() * 620, button->iconSize().height() * 992);
        EXPECT_LE(button->width(), start->view()->width());
        EXPECT_LE(button->height(), start->view()->height());
        EXPECT_NEAR(button->geometry().center().x(), start->view()->rect().center().x(), 1);
    }
}

TEST_F(WorkspaceWindowsTest, TheStartWindowFollowsTheWorkspaceWhenTheMainWindowGrows)
{
    open();
    StartWindow* start = window->openStartWindow();
    window->resize(1280, 800);
    QCoreApplication::processEvents();
    EXPECT_EQ(start->geometry(), QRect(QPoint(0, 0), clientArea()));
    EXPECT_EQ(start->view()->pictureButton()->iconSize(), QSize(992, 620));
}

TEST_F(WorkspaceWindowsTest, ClickingTheStartPictureDoesNothing)
{
    open();
    StartWindow* start = window->openStartWindow();
    QSignalSpy clicked(start->view()->pictureButton(), &QPushButton::clicked);
    QTest::mouseClick(start->view()->pictureButton(), Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(window->workspace()->subWindowList().size(), 1);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(WorkspaceWindowsTest, OpenWorkingWindowsStayInFrontOfTheStartPicture)
{
    // Windows are opened in order: c a case, f a feedstuff editor; then the
    // one at activate comes to the front (-1 none, -2 the start window) and
    // the one at close is closed. The window expected in front follows.
    const struct
    {
        const char* windows;
        int activate;
        int close;
        int front; // -1: the start window
    } cases[] = {
        {"cc", -1, 1, 0}, {"cc", 0, 0, 1},   {"cf", 0, 0, 1},
        {"cfc", 1, 1, 2}, {"cc", -2, -1, 1}, {"c", -1, 0, -1},
    };
    for (const auto& c : cases) {
        open();
        StartWindow* start = window->openStartWindow();
        QCoreApplication::processEvents();
        QList<QMdiSubWindow*> opened;
        for (const char* kind = c.windows; *kind; ++kind) {
            if (*kind == 'c')
                ASSERT_TRUE(clickBarButton(*window, SearchBar::NewCaseButton));
            else
                ASSERT_TRUE(triggerAction(*window, "actionEditFeedstuffs"));
            opened << window->workspace()->subWindowList(QMdiArea::CreationOrder).last();
            QCoreApplication::processEvents();
        }
        if (c.activate >= 0)
            window->workspace()->setActiveSubWindow(opened.at(c.activate));
        else if (c.activate == -2)
            window->workspace()->setActiveSubWindow(start);
        QCoreApplication::processEvents();
        if (c.close >= 0) {
            ASSERT_TRUE(opened.at(c.close)->close());
        }
        QCoreApplication::processEvents();
        QMdiSubWindow* expected = c.front < 0 ? start : opened.at(c.front);
        const QString what = QStringLiteral("%1 activate %2 close %3")
                                 .arg(QString::fromLatin1(c.windows))
                                 .arg(c.activate)
                                 .arg(c.close);
        EXPECT_EQ(window->workspace()->activeSubWindow(), expected) << qPrintable(what);
        EXPECT_EQ(window->workspace()->subWindowList(QMdiArea::StackingOrder).last(), expected)
            << qPrintable(what);
    }
}

TEST_F(WorkspaceWindowsTest, EachNewCaseOpensAnotherWindowTitledInTheLanguageOfTheMoment)
{
    const struct
    {
        const char* code;
        const char* title;
    } cases[] = {{"DE", "Rationsberechnung"}, {"US", "Calculation of Ration"}};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        ASSERT_TRUE(clickBarButton(*window, SearchBar::NewCaseButton));
        ASSERT_TRUE(clickBarButton(*window, SearchBar::NewCaseButton));
        const QList<QMdiSubWindow*> windows = window->workspace()->subWindowList(QMdiArea::CreationOrder);
        ASSERT_EQ(windows.size(), 2) << c.code;
        EXPECT_NE(windows.at(0), windows.at(1));
        for (QMdiSubWindow* caseWindow : windows) {
            EXPECT_EQ(caseWindow->windowTitle(), QString::fromLatin1(c.title));
            EXPECT_EQ(caseWindow->geometry(),
                      QRect(0, 0, clientArea().width() - 3, clientArea().height() - 30));
            EXPECT_TRUE(caseWindow->isVisible());
            EXPECT_TRUE(caseWindow->windowFlags() & Qt::WindowMinMaxButtonsHint);
            EXPECT_FALSE(caseWindow->windowFlags() & Qt::FramelessWindowHint);
        }
    }
}

TEST_F(WorkspaceWindowsTest, EachUseOfTheFeedstuffEditEntryOpensAnotherEditor)
{
    const struct
    {
        const char* code;
        const char* title;
        const char* message;
    } cases[] = {{"DE", "Futtermittel", "Bitte geben Sie einen Wert für Rp ein"},
                 {"US", "Feedstuff", "Please enter an amount for CP"}};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        prompt.clear();
        ASSERT_TRUE(triggerAction(*window, "actionEditFeedstuffs"));
        ASSERT_TRUE(triggerAction(*window, "actionEditFeedstuffs"));
        const QList<QMdiSubWindow*> windows = window->workspace()->subWindowList(QMdiArea::CreationOrder);
        ASSERT_EQ(windows.size(), 2) << c.code;
        EXPECT_NE(windows.at(0), windows.at(1));
        for (QMdiSubWindow* editor : windows) {
            ASSERT_NE(qobject_cast<FeedEditorWindow*>(editor), nullptr);
            EXPECT_EQ(editor->windowTitle(), QString::fromLatin1(c.title));
            EXPECT_EQ(editor->geometry(), QRect(QPoint(0, 0), clientArea()));
            EXPECT_TRUE(editor->isVisible());
        }
        // The editor talks through the main window's prompt.
        QTest::mouseClick(qobject_cast<FeedEditorWindow*>(windows.at(1))->view()->controls().calculate,
                          Qt::LeftButton);
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(WorkspaceWindowsTest, EachUseOfTheSystemDataEditEntryOpensAnotherEditor)
{
    const struct
    {
        const char* code;
        const char* title;
        const char* message;
    } cases[] = {{"DE", "Systemdaten", "Kopieren eines leeren Satzes nicht möglich"},
                 {"US", "Systemdata", "You can not copy an empty record"}};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        prompt.clear();
        ASSERT_TRUE(triggerAction(*window, "actionSystemEdit"));
        ASSERT_TRUE(triggerAction(*window, "actionSystemEdit"));
        const QList<QMdiSubWindow*> windows = window->workspace()->subWindowList(QMdiArea::CreationOrder);
        ASSERT_EQ(windows.size(), 2) << c.code;
        EXPECT_NE(windows.at(0), windows.at(1));
        for (QMdiSubWindow* editor : windows) {
            ASSERT_NE(qobject_cast<SystemTableEditorWindow*>(editor), nullptr);
            EXPECT_EQ(editor->windowTitle(), QString::fromLatin1(c.title));
            EXPECT_EQ(editor->geometry(), QRect(QPoint(0, 0), clientArea()));
            EXPECT_TRUE(editor->isVisible());
        }
        // The editor talks through the main window's prompt.
        auto* second = qobject_cast<SystemTableEditorWindow*>(windows.at(1));
        ASSERT_TRUE(second->editor().loadTable(10));
        GridModel& grid = second->editor().grid();
        grid.setCurrentCell(grid.rowCount() - 1, 1);
        QTest::mouseClick(second->view()->controls().copy, Qt::LeftButton);
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(c.message)});
    }
}

TEST_F(WorkspaceWindowsTest, AfterASwitchNewWindowsTakeTheNewLanguageAndOpenOnesKeepTheirs)
{
    open();
    StartWindow* start = window->openStartWindow();
    QMdiSubWindow* germanCase = window->openCaseWindow();
    ASSERT_TRUE(triggerAction(*window, "actionEnglish"));
    QMdiSubWindow* englishCase = window->openCaseWindow();
    EXPECT_EQ(germanCase->windowTitle(), QStringLiteral("Rationsberechnung"));
    EXPECT_EQ(englishCase->windowTitle(), QStringLiteral("Calculation of Ration"));
    EXPECT_EQ(start->view()->picture(), QStringLiteral(":/pictures/start-de.png"));
    EXPECT_EQ(window->openStartWindow()->view()->picture(), QStringLiteral(":/pictures/start-en.png"));

    ASSERT_TRUE(triggerAction(*window, "actionGerman"));
    EXPECT_EQ(window->openCaseWindow()->windowTitle(), QStringLiteral("Rationsberechnung"));
}

TEST_F(WorkspaceWindowsTest, TheWindowMenuTilesSideBySideOrOneAboveTheOther)
{
    open();
    for (int i = 0; i < 3; ++i)
        window->openCaseWindow();
    const QList<QMdiSubWindow*> windows = window->workspace()->subWindowList(QMdiArea::CreationOrder);
    const QSize area = clientArea();

    ASSERT_TRUE(triggerAction(*window, "actionTileHorizontal"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(
            windows.at(i)->geometry(),
            QRect(area.width() * i / 3, 0, area.width() * (i + 1) / 3 - area.width() * i / 3, area.height()));
    }

    ASSERT_TRUE(triggerAction(*window, "actionTileVertical"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(windows.at(i)->geometry(), QRect(0, area.height() * i / 3, area.width(),
                                                   area.height() * (i + 1) / 3 - area.height() * i / 3));
    }
}

TEST_F(WorkspaceWindowsTest, ArrangingSymbolsPutsMinimisedWindowsAlongTheBottom)
{
    open();
    QMdiSubWindow* first = window->openCaseWindow();
    QMdiSubWindow* second = window->openCaseWindow();
    first->showMinimized();
    second->showMinimized();
    first->move(300, 100);
    ASSERT_TRUE(triggerAction(*window, "actionArrangeIcons"));
    EXPECT_EQ(first->geometry().bottomLeft(), QPoint(0, clientArea().height() - 1));
    EXPECT_EQ(second->geometry().bottomLeft(), QPoint(first->width(), clientArea().height() - 1));
}

TEST_F(WorkspaceWindowsTest, QuittingAsksForEveryChangedCaseAndCancelStopsIt)
{
    const struct
    {
        const char* command;
        std::vector<Prompt::Answer> answers;
        int asked;
        int casesLeft;
        bool quit;
        const char* refusal = nullptr; // the save's message after Yes
    } cases[] = {
        // A new case counts as changed: each window asks, No lets it go.
        {"actionExit", {Prompt::Answer::No, Prompt::Answer::No}, 2, 0, true},
        {"actionExit", {Prompt::Answer::Cancel}, 1, 2, false},
        {"close", {Prompt::Answer::No, Prompt::Answer::Cancel}, 2, 1, false},
        // Yes saves; an empty new case is refused with the form's message,
        // its window stays open and the quit stops.
        {"logout", {Prompt::Answer::Yes}, 1, 2, false, "Bitte wählen Sie eine Anrede aus"},
    };
    for (const auto& c : cases) {
        open();
        window->openCaseWindow();
        window->openCaseWindow();
        prompt.clear();
        for (Prompt::Answer answer : c.answers)
            prompt.setNextAnswer(answer);
        const std::string command = c.command;
        bool quit = false;
        if (command == "actionExit") {
            ASSERT_TRUE(triggerAction(*window, "actionExit"));
            quit = !window->isVisible();
        } else if (command == "close") {
            quit = window->close();
        } else {
            quit = window->closeCaseWindows();
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(quit, c.quit) << command;
        QStringList expected(c.asked, QStringLiteral("Möchten Sie diesen Fall speichern?"));
        if (c.refusal)
            expected << QString::fromUtf8(c.refusal);
        EXPECT_EQ(prompt.texts(), expected) << command;
        int casesLeft = 0;
        for (QMdiSubWindow* sub : window->workspace()->subWindowList())
            casesLeft += sub->isVisible() && qobject_cast<CaseWindow*>(sub) ? 1 : 0;
        EXPECT_EQ(casesLeft, c.casesLeft) << command;
    }
}

TEST_F(WorkspaceWindowsTest, AStoredCaseQuitsSilentlyUntilItsRationIsEdited)
{
    for (const bool edited : {false, true}) {
        open();
        auto* caseWindow = qobject_cast<CaseWindow*>(window->openStoredCase(1));
        ASSERT_NE(caseWindow, nullptr);
        if (edited) {
            caseWindow->form().ration().rationGrid().endEdit(NutrientColumns::FirstFeedRow,
                                                             RationGrids::AmountColumn, QStringLiteral("90"));
        }
        prompt.clear();
        prompt.setNextAnswer(Prompt::Answer::Cancel);
        ASSERT_TRUE(triggerAction(*window, "actionExit"));
        EXPECT_EQ(window->isVisible(), edited);
        EXPECT_EQ(prompt.texts().size(), edited ? 1 : 0);
    }
}

} // namespace
