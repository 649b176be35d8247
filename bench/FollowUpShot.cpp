// Draws the follow-up page of Bello, a 30 kg dog on a weight reduction to
// 25 kg, weighed again four and eight weeks later, the third visit taking
// the ME % the page proposed: follow_up_shot FILE [DE|US]. Run it under a
// display server (xvfb-run -a).

#include "DogCaseShot.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "output/gui/FollowUpPageView.h"
#include "ration/CaseHeaderForm.h"
#include "ration/gui/CaseHeaderView.h"

#include <QApplication>
#include <QMdiArea>
#include <QPushButton>

#include <cstdio>

namespace {

// The visit's day and weight, stored; false after saying why.
bool store(CaseWindow& window, RecordingPrompt& prompt, const QDate& day, const char* weight)
{
    CaseHeaderForm& form = window.form();
    form.setVisitDate(day);
    form.setActualWeight(QString::fromLatin1(weight));
    window.view()->showForm();
    // As the user saves: the window follows the stored case.
    window.view()->controls().save->click();
    if (form.savedCaseKey().isEmpty() || form.loadedCaseKey() != form.savedCaseKey()) {
        std::fprintf(stderr, "follow_up_shot: the visit was not stored: %s\n", qPrintable(prompt.lastText()));
        return false;
    }
    return true;
}

FollowUpPageView* followUp(CaseWindow& window)
{
    window.sheet()->setCurrentIndex(CaseSheet::FollowUpIndex);
    DogCaseShot::settle();
    return qobject_cast<FollowUpPageView*>(window.sheet()->pageContent(CaseSheet::FollowUpIndex));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: follow_up_shot FILE.png [DE|US]\n");
        return 2;
    }
    const QString language = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("DE");
    DogCaseShot shot("follow_up_shot");
    if (!shot.open(language))
        return 1;
    CaseWindow& first = shot.window();
    CaseHeaderForm& form = first.form();
    for (int i = 0; i < form.caseTypeList().count(); ++i) {
        if (form.caseTypeList().entries()[size_t(i)].data == 13)
            form.userChoseCaseType(i);
    }
    for (int i = 0; i < form.salutationList().count(); ++i) {
        if (form.salutationList().entries()[size_t(i)].data == 1)
            form.userChoseSalutation(i);
    }
    form.setOwnerName(QStringLiteral("Keller"));
    form.setTitle(QStringLiteral("Reduktion"));
    form.setTargetWeight(QStringLiteral("25"));
    shot.feed({{4, "500"}, {89, "300"}});
    const QDate start = QDate::currentDate();
    if (!store(first, shot.prompt(), start, "30"))
        return 1;

    CaseWindow* second = first.openVisit();
    if (!second || !store(*second, shot.prompt(), start.addDays(28), "29,2"))
        return 1;
    FollowUpPageView* page = followUp(*second);
    if (!page || !page->takeProposalButton()->isEnabled()) {
        std::fprintf(stderr, "follow_up_shot: no proposal\n");
        return 1;
    }
    page->takeProposalButton()->click();
    auto* third = qobject_cast<CaseWindow*>(shot.area().activeSubWindow());
    if (!third || third == second || !store(*third, shot.prompt(), start.addDays(56), "28,1"))
        return 1;
    third->showMaximized();
    if (!followUp(*third)) {
        std::fprintf(stderr, "follow_up_shot: no follow-up page\n");
        return 1;
    }
    DogCaseShot::settle();
    if (!shot.area().grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "follow_up_shot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
