#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "output/CaseHeaderTexts.h"
#include "output/RecipePage.h"
#include "output/gui/RecipePageView.h"
#include "ration/CaseHeaderForm.h"

#include <ostream>

int runRecipeCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string error;
    bool isNumber = false;
    if (!args.empty())
        QString::fromStdString(args[0]).toLong(&isNumber);
    if (!isNumber || !readOptions(CliArgs(args.begin() + 1, args.end()), {"pdf"}, options, error)) {
        if (!error.empty())
            io.err << "mensoly-cli recipe: " << error << "\n";
        io.err << "usage: mensoly-cli recipe ID [--pdf FILE]\n";
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

    const FormHeaderTexts texts(form);
    RecipePage page(context, texts, form.ration().model());
    page.buildRecipeGrid();
    GridModel& grid = page.grid();
    for (int row = 0; row < grid.rowCount(); ++row) {
        printFields(io.out,
                    {QStringLiteral("row"), QString::number(row), grid.text(row, RecipePage::AmountColumn),
                     grid.text(row, RecipePage::NameColumn), grid.text(row, RecipePage::ShareColumn)});
    }
    if (!pdf.isEmpty())
        RecipePageView::fitTitleRow(grid);
    if (!pdf.isEmpty() && !RecipePageView::printToPdf(grid, context.languageCode(), pdf)) {
        io.err << "mensoly-cli recipe: cannot write " << pdf.toStdString() << "\n";
        return 1;
    }
    return 0;
}
