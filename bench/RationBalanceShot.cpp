// Draws the "Balance ration" dialog of a 20 kg adult dog on the shipped data,
// fed chicken breast, rice, carrots, rapeseed oil and calcium carbonate,
// into a PNG file: ration_balance_shot FILE. Meat, rice and carrots start
// from amounts typed by hand, the oil and the lime without one. Run it under
// a display server (xvfb-run -a); the picture is the one in doc/screenshots.

#include "BenchTiming.h"
#include "ManyCases.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/PagedChoiceList.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"
#include "ration/gui/CaseHeaderView.h"
#include "ration/gui/RationBalancingView.h"
#include "ration/gui/RationPageView.h"
#include "ui/GridModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

int indexOf(const ChoiceList& list, int data)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.entries()[size_t(i)].data == data)
            return i;
    }
    return -1;
}

void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ration_balance_shot FILE.png\n");
        return 2;
    }
    QTemporaryDir dir;
    QString error;
    if (!ManyCases::create(ConnectionString::databasePath(dir.path()), 0, &error,
                           DatabaseCreator::Contents::SystemData)) {
        std::fprintf(stderr, "ration_balance_shot: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    if (!BenchTiming::openDatabase("ration_balance_shot", context, dir.path()))
        return 1;
    RecordingPrompt prompt;
    QMdiArea area;
    area.resize(1400, 760);
    area.show();
    CaseWindow* window = CaseWindow::open(area, context, &prompt);
    if (!window) {
        std::fprintf(stderr, "ration_balance_shot: no case window\n");
        return 1;
    }
    window->showMaximized();
    CaseHeaderForm& form = window->form();
    form.userChoseSpecies(indexOf(form.speciesList(), 2));
    form.userChoseSex(indexOf(form.sexList(), 1));
    form.userChoseCaseType(indexOf(form.caseTypeList(), 7));
    form.setActualWeight(QStringLiteral("20"));
    form.setTargetWeight(QStringLiteral("20"));
    form.setPatientName(QStringLiteral("Bello"));
    window->view()->showForm();

    RationPageView* view = window->sheet()->rationPage();
    RationPage& page = view->logic();
    GridModel& grid = form.ration().rationGrid();
    const struct
    {
        int key;
        const char* amount;
    } feeds[] = {{24, "250"}, {89, "300"}, {112, "100"}, {138, ""}, {157, ""}};
    for (const auto& feed : feeds) {
        page.setFeedChoice(page.feedModel().findData(feed.key));
        page.feedListClosed();
        if (*feed.amount)
            grid.endEdit(form.ration().grids().feedRow(QString::number(feed.key)), RationGrids::AmountColumn,
                         QString::fromLatin1(feed.amount));
    }
    settle();

    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<RationBalancingView*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        settle();
        saved = dialog->grab().save(QString::fromLocal8Bit(argv[1]));
        dialog->reject();
    });
    view->balanceButton()->click();
    if (!prompt.texts().isEmpty())
        std::fprintf(stderr, "ration_balance_shot: %s\n", qPrintable(prompt.texts().join(QLatin1Char('\n'))));
    if (!saved) {
        std::fprintf(stderr, "ration_balance_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
