#pragma once

#include "core/Prompt.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPage.h"
#include "support/TestDatabase.h"
#include "ui/GridModel.h"

// A 20 kg adult male dog over the shipped data, made as a case window makes
// its header form and ration page.
struct DogWindow
{
    TestDatabase db;
    RecordingPrompt prompt;
    CaseHeaderForm form;
    RationPage page;

    explicit DogWindow(const QString& language)
        : db(TestDatabase::Data::Shipped, language)
        , form(db.context(), prompt)
        , page(db.context(), prompt, form)
    {
        page.setUp();
        form.initCaseForm();
    }
    static int indexOf(const ChoiceList& list, int data)
    {
        for (int i = 0; i < list.count(); ++i) {
            if (list.entries()[size_t(i)].data == data)
                return i;
        }
        return -1;
    }
    void chooseAdultDog()
    {
        form.userChoseSpecies(indexOf(form.speciesList(), 2));
        form.userChoseSex(indexOf(form.sexList(), 1));
        form.userChoseCaseType(indexOf(form.caseTypeList(), 7));
        form.setActualWeight(QStringLiteral("20"));
        form.setTargetWeight(QStringLiteral("20"));
    }
    // Picks the feedstuff and types its amount, as the user does.
    int feed(int key, const QString& amount)
    {
        page.setFeedChoice(page.feedModel().findData(key));
        page.feedListClosed();
        const int row = form.ration().grids().feedRow(QString::number(key));
        grid().endEdit(row, 2, amount);
        return row;
    }
    GridModel& grid() { return form.ration().rationGrid(); }
    int column(int key) { return NutrientColumns::find(grid(), QString::number(key)); }
    QString shown(int row, int key) { return grid().shownText(row, column(key)); }
};
