#include "DogCaseShot.h"

#include "BenchTiming.h"
#include "ManyCases.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "db/ConnectionString.h"
#include "db/PagedChoiceList.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"
#include "ration/gui/CaseHeaderView.h"
#include "ration/gui/RationPageView.h"

#include <QApplication>
#include <QElapsedTimer>

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

} // namespace

DogCaseShot::DogCaseShot(const char* program)
    : m_program(program)
{
}

bool DogCaseShot::open(const QString& language)
{
    QString error;
    if (!ManyCases::create(ConnectionString::databasePath(m_dir.path()), 0, &error,
                           DatabaseCreator::Contents::SystemData)) {
        std::fprintf(stderr, "%s: %s\n", m_program, qPrintable(error));
        return false;
    }
    if (!BenchTiming::openDatabase(m_program, m_context, m_dir.path()))
        return false;
    m_context.setLanguageCode(language);
    m_area.resize(1400, 760);
    m_area.show();
    m_window = CaseWindow::open(m_area, m_context, &m_prompt);
    if (!m_window) {
        std::fprintf(stderr, "%s: no case window\n", m_program);
        return false;
    }
    m_window->showMaximized();
    CaseHeaderForm& form = m_window->form();
    form.userChoseSpecies(indexOf(form.speciesList(), 2));
    form.userChoseSex(indexOf(form.sexList(), 1));
    form.userChoseCaseType(indexOf(form.caseTypeList(), 7));
    form.setActualWeight(QStringLiteral("20"));
    form.setTargetWeight(QStringLiteral("20"));
    form.setPatientName(QStringLiteral("Bello"));
    m_window->view()->showForm();
    return true;
}

RationPageView& DogCaseShot::rationPage() const
{
    return *m_window->sheet()->rationPage();
}

void DogCaseShot::feed(const std::vector<std::pair<int, const char*>>& feeds)
{
    RationPage& page = rationPage().logic();
    RationCalculation& ration = m_window->form().ration();
    for (const auto& [key, amount] : feeds) {
        page.setFeedChoice(page.feedModel().findData(key));
        page.feedListClosed();
        if (*amount) {
            ration.rationGrid().endEdit(ration.grids().feedRow(QString::number(key)),
                                        RationGrids::AmountColumn, QString::fromLatin1(amount));
        }
    }
}

void DogCaseShot::settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}
