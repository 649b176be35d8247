#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/Lang.h"
#include "db/AppContext.h"
#include "output/CaseHeaderTexts.h"
#include "output/RecipePage.h"
#include "output/gui/RecipePageView.h"
#include "ration/CaseHeaderForm.h"

#include <ostream>

namespace {

// A whole number within the range, from an option's text; 0 when it is none.
int wholeIn(const QString& text, int most)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 1 && value <= most ? value : 0;
}

} // namespace

// The recipe of a stored case as its page builds it, with the case's meals,
// batch and language unless the options choose others for this printout.
int runRecipeCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string error;
    bool isNumber = false;
    if (!args.empty())
        QString::fromStdString(args[0]).toLong(&isNumber);
    const bool optionsRead = isNumber && readOptions(CliArgs(args.begin() + 1, args.end()),
                                                     {"pdf", "meals", "days", "lang"}, options, error);
    RecipeChoices chosen;
    if (optionsRead && options.count("meals") &&
        !(chosen.meals = wholeIn(options["meals"], RecipeChoices::MostMeals)))
        error = "--meals takes 1 to " + std::to_string(RecipeChoices::MostMeals);
    if (optionsRead && options.count("days") &&
        !(chosen.batchDays = wholeIn(options["days"], RecipeChoices::MostBatchDays)))
        error = "--days takes 1 to " + std::to_string(RecipeChoices::MostBatchDays);
    if (optionsRead)
        readLanguageOption(options, chosen.language, error);
    if (!optionsRead || !error.empty()) {
        if (!error.empty())
            io.err << "mensoly-cli recipe: " << error << "\n";
        io.err << "usage: mensoly-cli recipe ID [--meals N] [--days N] [--lang de|en] [--pdf FILE]\n";
        return 2;
    }
    QString pdf;
    if (!readPdfOption(options, io, pdf))
        return 2;
    CliStoredCase stored(io.err);
    if (!stored.open("recipe", args[0]))
        return 1;
    AppContext& context = stored.context();
    CaseHeaderForm& form = stored.form();
    RecipeChoices& choices = form.recipe();
    if (chosen.meals)
        choices.meals = chosen.meals;
    if (chosen.batchDays)
        choices.batchDays = chosen.batchDays;
    if (!chosen.language.isEmpty())
        choices.language = chosen.language;

    const FormHeaderTexts texts(form);
    RecipePage page(context, texts, form.ration().model(), choices);
    page.rebuild();
    GridModel& grid = page.grid();
    for (int row = 0; row < grid.rowCount(); ++row) {
        printFields(io.out,
                    {QStringLiteral("row"), QString::number(row), grid.text(row, RecipePage::AmountColumn),
                     grid.text(row, RecipePage::NameColumn), grid.text(row, RecipePage::ShareColumn),
                     grid.text(row, RecipePage::MealColumn)});
    }
    if (!pdf.isEmpty()) {
        RecipePageView::fitTitleRow(grid);
        RecipePageView::fitTextBlockRows(grid, page.firstTextRow());
    }
    if (!pdf.isEmpty() && !RecipePageView::printToPdf(grid, context.languageCode(), pdf)) {
        io.err << "mensoly-cli recipe: cannot write " << pdf.toStdString() << "\n";
        return 1;
    }
    return 0;
}
