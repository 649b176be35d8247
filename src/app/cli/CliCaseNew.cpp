#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationGrids.h"
#include "ration/RationPage.h"

#include <algorithm>
#include <istream>
#include <iterator>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

const char Usage[] = "usage: mensoly-cli case new < CASE\n";

// The header lines "case ID" prints, in the order a user fills the form:
// species and sex before the case type their list depends on, the case type
// before the puppies it may require.
const char* const HeaderNames[] = {
    "salutation", "owner",         "patient",        "breed",        "species", "sex",
    "case type",  "actual weight", "target weight",  "adult weight", "energy",  "puppies",
    "birth date", "age in weeks",  "body condition", "recipe date",  "title"};

struct CaseInput
{
    std::map<QString, QString> header;
    std::vector<std::pair<QString, QString>> feeds; // key and amount, in input order
};

int indexOfText(const ChoiceList& list, const QString& text)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.entries()[size_t(i)].text.trimmed() == text.trimmed())
            return i;
    }
    return -1;
}

bool isAmount(const QString& text)
{
    QString number = text.trimmed();
    if (number.isEmpty())
        return true;
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    number.toDouble(&ok);
    return ok && NumberText::readsFinite(number);
}

// Reads every line before anything is entered, so a line the form has no
// place for stops the command with nothing stored. The figures of "case ID"
// (nutrient and indicator lines) are the form's to compute and are passed over;
// a feed line may be "feed KEY AMOUNT" or the printed "feed KEY NAME AMOUNT ...".
bool readInput(std::istream& in, CaseInput& input, QString& error)
{
    std::string line;
    while (std::getline(in, line)) {
        const QString text = QString::fromStdString(line);
        if (text.trimmed().isEmpty())
            continue;
        const QStringList fields = text.split(QLatin1Char('\t'));
        const QString kind = fields.at(0);
        if (kind == QLatin1String("header") && fields.size() >= 2) {
            const QString name = fields.at(1);
            if (std::find(std::begin(HeaderNames), std::end(HeaderNames), name.toStdString()) ==
                std::end(HeaderNames)) {
                error = QStringLiteral("no header field '") + name + QLatin1Char('\'');
                return false;
            }
            if (!input.header.emplace(name, fields.value(2)).second) {
                error = QStringLiteral("header field '") + name + QStringLiteral("' given twice");
                return false;
            }
        } else if (kind == QLatin1String("feed") && fields.size() >= 2) {
            const QString key = fields.at(1).trimmed();
            const QString amount = fields.size() > 3 ? fields.at(3) : fields.value(2);
            bool isNumber = false;
            key.toInt(&isNumber);
            if (!isNumber) {
                error = QStringLiteral("no feedstuff key '") + key + QLatin1Char('\'');
                return false;
            }
            if (!isAmount(amount)) {
                error = QStringLiteral("the amount '") + amount + QStringLiteral("' of feedstuff ") + key +
                        QStringLiteral(" is no number");
                return false;
            }
            input.feeds.emplace_back(key, amount.trimmed());
        } else if (kind != QLatin1String("nutrient") && kind != QLatin1String("indicator")) {
            error = QStringLiteral("cannot read the line '") + text + QLatin1Char('\'');
            return false;
        }
    }
    return true;
}

// Enters the input into the form and the page as the user's edits; false
// with a reason for an entry their lists do not offer.
bool enter(AppContext& context, CaseHeaderForm& form, RationPage& page, const CaseInput& input,
           QString& error)
{
    const auto given = [&input](const char* name) -> const QString* {
        const auto it = input.header.find(QString::fromLatin1(name));
        return it == input.header.end() ? nullptr : &it->second;
    };
    const auto choose = [&](const char* name, const ChoiceList& list, void (CaseHeaderForm::*pick)(int)) {
        const QString* text = given(name);
        if (!text || text->trimmed().isEmpty())
            return true;
        const int index = indexOfText(list, *text);
        if (index < 0) {
            error = QStringLiteral("no %1 '%2' in the form's list").arg(QLatin1String(name), *text);
            return false;
        }
        (form.*pick)(index);
        return true;
    };
    const auto type = [&](const char* name, void (CaseHeaderForm::*set)(const QString&)) {
        if (const QString* text = given(name))
            (form.*set)(*text);
    };

    if (!choose("salutation", form.salutationList(), &CaseHeaderForm::userChoseSalutation))
        return false;
    type("owner", &CaseHeaderForm::setOwnerName);
    type("patient", &CaseHeaderForm::setPatientName);
    if (!choose("breed", form.breedList(), &CaseHeaderForm::userChoseBreed) ||
        !choose("species", form.speciesList(), &CaseHeaderForm::userChoseSpecies) ||
        !choose("sex", form.sexList(), &CaseHeaderForm::userChoseSex) ||
        !choose("case type", form.caseTypeList(), &CaseHeaderForm::userChoseCaseType))
        return false;
    if (const QString* text = given("actual weight")) {
        form.setActualWeight(*text);
        // Leaving the field fills an empty target weight, as in the window.
        form.actualWeightLeft();
    }
    type("target weight", &CaseHeaderForm::setTargetWeight);
    type("adult weight", &CaseHeaderForm::setAdultWeight);
    type("energy", &CaseHeaderForm::setEnergyPercent);
    type("puppies", &CaseHeaderForm::setPuppies);
    if (const QString* text = given("birth date"); text && !text->trimmed().isEmpty()) {
        const QDate date = QDate::fromString(text->trimmed(), DateText::inputFormat(context.languageCode()));
        if (!date.isValid()) {
            error = QStringLiteral("no birth date '") + *text + QLatin1Char('\'');
            return false;
        }
        form.userChangedBirthDate(date);
    }
    if (const QString* text = given("body condition"); text && !text->trimmed().isEmpty()) {
        const CaseHeaderLabels labels = form.labels();
        if (text->trimmed() == labels.ribsPalpable.trimmed()) {
            form.userClickedRibsPalpable();
        } else if (text->trimmed() == labels.ribsFatCovered.trimmed()) {
            form.userClickedRibsFatCovered();
        } else {
            error = QStringLiteral("no body condition '") + *text + QLatin1Char('\'');
            return false;
        }
    }
    type("title", &CaseHeaderForm::setTitle);

    GridModel& grid = form.ration().rationGrid();
    for (const auto& [key, amount] : input.feeds) {
        const int index = page.feedModel().findData(key.toInt());
        if (index < 0) {
            error = QStringLiteral("no feedstuff with the key ") + key +
                    QStringLiteral(" in the ration page's list");
            return false;
        }
        page.setFeedChoice(index);
        page.feedListClosed();
        // Typed into the row, as the vet types it.
        const int row = form.ration().grids().feedRow(key);
        if (row >= 0 && !amount.isEmpty())
            grid.endEdit(row, RationGrids::AmountColumn, amount);
    }
    return true;
}

} // namespace

int runCaseNewCommand(const CliArgs& args, CliIo& io)
{
    if (!args.empty()) {
        io.err << Usage;
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    CaseInput input;
    QString error;
    if (!readInput(io.in, input, error)) {
        io.err << "mensoly-cli case new: " << error.toStdString() << "\n" << Usage;
        return 2;
    }

    // A new case window: the ration page is set up before the form opens.
    CaseHeaderForm form(context, prompt);
    RationPage page(context, prompt, form);
    page.setUp();
    form.initCaseForm();
    if (!enter(context, form, page, input, error)) {
        io.err << "mensoly-cli case new: " << error.toStdString() << "\n";
        return 2;
    }
    // A message while entering (a field that took no number, a feedstuff
    // picked twice) means the form does not hold what was given.
    if (!prompt.entries().empty() || !form.saveCase())
        return 1;
    printFields(io.out, {QStringLiteral("saved"), form.savedCaseKey()});
    return 0;
}

int runVisitCommand(const CliArgs& args, CliIo& io)
{
    const char* usage = "usage: mensoly-cli visit ID < HEADER\n";
    bool isNumber = false;
    if (args.size() == 1)
        QString::fromStdString(args[0]).trimmed().toLong(&isNumber);
    if (!isNumber) {
        io.err << usage;
        return 2;
    }
    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;
    CaseInput input;
    QString error;
    if (readInput(io.in, input, error)) {
        const auto weight = input.header.find(QStringLiteral("actual weight"));
        if (weight == input.header.end() || weight->second.trimmed().isEmpty())
            error = QStringLiteral("the visit needs its actual weight");
    }
    QDate date;
    const auto dated = input.header.find(QStringLiteral("recipe date"));
    if (error.isEmpty() && dated != input.header.end() && !dated->second.trimmed().isEmpty()) {
        date = QDate::fromString(dated->second.trimmed(), DateText::inputFormat(context.languageCode()));
        if (!date.isValid())
            error = QStringLiteral("no recipe date '") + dated->second + QLatin1Char('\'');
    }
    if (!error.isEmpty()) {
        io.err << "mensoly-cli visit: " << error.toStdString() << "\n" << usage;
        return 2;
    }

    // The stored case as its window opens it, then "Neuer Besuch".
    CaseHeaderForm form(context, prompt);
    RationPage page(context, prompt, form);
    page.setUp();
    form.setPendingCaseKey(QString::number(QString::fromStdString(args[0]).trimmed().toLong()));
    form.initCaseForm();
    if (!form.startVisit()) {
        io.err << "mensoly-cli visit: there is no case with the key " << args[0] << "\n";
        return 1;
    }
    if (date.isValid())
        form.setVisitDate(date);
    if (!enter(context, form, page, input, error)) {
        io.err << "mensoly-cli visit: " << error.toStdString() << "\n";
        return 2;
    }
    if (!prompt.entries().empty() || !form.saveCase())
        return 1;
    printFields(io.out, {QStringLiteral("saved"), form.savedCaseKey()});
    return 0;
}
