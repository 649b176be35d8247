// Draws the "Balance ration" dialog of a 20 kg adult dog on the shipped data,
// fed chicken breast, rice, carrots, rapeseed oil and calcium carbonate,
// into a PNG file: ration_balance_shot FILE [DE|US]. Meat, rice and carrots
// start from amounts typed by hand, the oil and the lime without one; the
// ration is completed with the shipped supplements, the premix filled up
// with oat flakes. Run it under a display server (xvfb-run -a); the German
// picture is the one in doc/screenshots.

#include "DogCaseShot.h"
#include "ration/RationBalancing.h"
#include "ration/gui/RationBalancingView.h"
#include "ration/gui/RationPageView.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int OatFlakes = 92;

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: ration_balance_shot FILE.png [DE|US]\n");
        return 2;
    }
    DogCaseShot shot("ration_balance_shot");
    if (!shot.open(argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("DE")))
        return 1;
    shot.feed({{24, "250"}, {89, "300"}, {112, "100"}, {138, ""}, {157, ""}});
    DogCaseShot::settle();

    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<RationBalancingView*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->carrierList()->setCurrentIndex(dialog->carrierList()->findData(OatFlakes));
        dialog->logic().setCarrier(OatFlakes);
        DogCaseShot::settle();
        saved = dialog->grab().save(QString::fromLocal8Bit(argv[1]));
        dialog->reject();
    });
    shot.rationPage().balanceButton()->click();
    if (!shot.prompt().texts().isEmpty())
        std::fprintf(stderr, "ration_balance_shot: %s\n",
                     qPrintable(shot.prompt().texts().join(QLatin1Char('\n'))));
    if (!saved) {
        std::fprintf(stderr, "ration_balance_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
