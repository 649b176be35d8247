// Draws the main window with the case list of 100,000 cases scrolled half-way
// into a PNG file: case_list_shot FILE. Run it under a display server
// (xvfb-run -a); the picture is the one in doc/screenshots.

#include "BenchTiming.h"
#include "ManyCases.h"
#include "app/SearchBar.h"
#include "app/gui/CaseListView.h"
#include "app/gui/MainWindow.h"
#include "app/gui/ResultBar.h"
#include "app/gui/SearchBarView.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

void waitFor(const std::function<bool()>& done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: case_list_shot FILE.png\n");
        return 2;
    }
    QTemporaryDir dir;
    QString error;
    if (!ManyCases::create(ConnectionString::databasePath(dir.path()), 100000, &error,
                           DatabaseCreator::Contents::SystemData)) {
        std::fprintf(stderr, "case_list_shot: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    if (!BenchTiming::openDatabase("case_list_shot", context, dir.path()))
        return 1;
    RecordingPrompt prompt;
    MainWindow window(context, prompt);
    window.resize(1200, 760);
    window.show();
    if (QAction* ration = window.findChild<QAction*>(QStringLiteral("actionRation")))
        ration->trigger();
    auto* search = qobject_cast<QAbstractButton*>(window.searchBar()->control(SearchBar::SearchButton));
    if (!search) {
        std::fprintf(stderr, "case_list_shot: no search button\n");
        return 1;
    }
    search->click();
    CaseListView* list = window.resultBar()->caseList();
    window.resizeDocks({window.resultBar()}, {480}, Qt::Vertical);
    waitFor([&] { return list->logic().isCountKnown() && list->verticalScrollBar()->maximum() > 0; });
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum() / 2);
    QElapsedTimer settle;
    settle.start();
    waitFor([&settle] { return settle.elapsed() > 1000; }); // let the window settle and paint
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "case_list_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%d cases, scrolled to %d of %d\n", list->logic().caseCount(),
                list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
    return 0;
}
