// Draws a case window of a 20 kg adult dog fed chicken breast, rice and a
// large amount of cod liver oil into a PNG file: ration_limits_shot FILE
// [kcal|dm]. The ration page shows the maximum row, chloride summed without
// contents (italics) and vitamins A and D above their maxima (red), per day
// or in the basis given. Run it under a display server (xvfb-run -a); the
// picture is the one in doc/screenshots.

#include "DogCaseShot.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPage.h"
#include "ration/gui/RationPageView.h"
#include "ui/GridModel.h"
#include "ui/gui/GridView.h"

#include <QApplication>
#include <QComboBox>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: ration_limits_shot FILE.png [kcal|dm]\n");
        return 2;
    }
    const QString basis = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QString();
    DogCaseShot shot("ration_limits_shot");
    if (!shot.open())
        return 1;
    shot.feed({{24, "400"}, {89, "500"}, {146, "150"}});
    RationPageView& view = shot.rationPage();
    if (basis == QLatin1String("kcal") || basis == QLatin1String("dm")) {
        const int index = basis == QLatin1String("kcal") ? 1 : 2;
        view.basisList()->setCurrentIndex(index);
        view.logic().userChoseBasis(index);
    }
    // Vitamins A and D sit to the right of the energy and the minerals.
    view.rationGridView()->ensureCellVisible(
        NutrientColumns::SupplyRow,
        NutrientColumns::find(*view.rationGridView()->model(), QStringLiteral("5")));
    DogCaseShot::settle();
    if (!shot.area().grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "ration_limits_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
