// Draws a case window of a 20 kg adult dog fed chicken breast, rice and a
// large amount of cod liver oil into a PNG file: ration_limits_shot FILE
// [kcal|dm]. The ration page shows the maximum row, chloride summed without
// contents (italics) and vitamins A and D above their maxima (red), per day
// or in the basis given. Run it under a display server (xvfb-run -a); the
// picture is the one in doc/screenshots.

#include "BenchTiming.h"
#include "ManyCases.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/ConnectionString.h"
#include "db/PagedChoiceList.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPage.h"
#include "ration/gui/CaseHeaderView.h"
#include "ration/gui/RationPageView.h"
#include "ui/GridModel.h"
#include "ui/gui/GridView.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QTemporaryDir>

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
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ration_limits_shot FILE.png [kcal|dm]\n");
        return 2;
    }
    const QString basis = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    QTemporaryDir dir;
    QString error;
    if (!ManyCases::create(ConnectionString::databasePath(dir.path()), 0, &error,
                           DatabaseCreator::Contents::SystemData)) {
        std::fprintf(stderr, "ration_limits_shot: %s\n", qPrintable(error));
        return 1;
    }
    AppContext context;
    if (!BenchTiming::openDatabase("ration_limits_shot", context, dir.path()))
        return 1;
    RecordingPrompt prompt;
    QMdiArea area;
    area.resize(1400, 760);
    area.show();
    CaseWindow* window = CaseWindow::open(area, context, &prompt);
    if (!window) {
        std::fprintf(stderr, "ration_limits_shot: no case window\n");
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
    } feeds[] = {{24, "400"}, {89, "500"}, {146, "150"}};
    for (const auto& feed : feeds) {
        page.setFeedChoice(page.feedModel().findData(feed.key));
        page.feedListClosed();
        grid.endEdit(form.ration().grids().feedRow(QString::number(feed.key)), 2,
                     QString::fromLatin1(feed.amount));
    }
    if (basis == QLatin1String("kcal") || basis == QLatin1String("dm")) {
        const int index = basis == QLatin1String("kcal") ? 1 : 2;
        view->basisList()->setCurrentIndex(index);
        page.userChoseBasis(index);
    }
    // Vitamins A and D sit to the right of the energy and the minerals.
    view->rationGridView()->ensureCellVisible(NutrientColumns::SupplyRow,
                                              NutrientColumns::find(grid, QStringLiteral("5")));
    settle();
    if (!area.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "ration_limits_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
