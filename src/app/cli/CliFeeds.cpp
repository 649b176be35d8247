#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationPage.h"

#include <ostream>
#include <vector>

namespace {

const char* const Usage =
    "usage: mensoly-cli feeds --case-type K [--category K] [--type K] [--search TEXT]\n";

int indexOf(const ChoiceList& list, int data)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.entries()[size_t(i)].data == data)
            return i;
    }
    return -1;
}

void printList(std::ostream& out, const char* kind, const std::vector<ChoiceList::Entry>& entries)
{
    for (const ChoiceList::Entry& entry : entries)
        printFields(out, {QString::fromLatin1(kind), QString::number(entry.data), entry.text});
}

// Chooses species, sex and case type in the header form as a user would, which
// makes the page fill its lists for the case type.
bool chooseCaseType(AppContext& context, CaseHeaderForm& form, int caseType)
{
    int species = -1;
    int sex = -1;
    {
        RecordSet rs;
        if (!rs.openRecordset(context.db(),
                              QStringLiteral("SELECT ID_GATTUNG, ID_GESCHLECHT FROM T_FALL WHERE ID = ") +
                                  QString::number(caseType)) ||
            rs.isEof())
            return false;
        rs.getFieldLong(QStringLiteral("ID_GATTUNG"), species);
        rs.getFieldLong(QStringLiteral("ID_GESCHLECHT"), sex);
    }
    const int speciesIndex = indexOf(form.speciesList(), species);
    if (speciesIndex < 0)
        return false;
    form.userChoseSpecies(speciesIndex);
    const int sexIndex = indexOf(form.sexList(), sex);
    if (sexIndex < 0)
        return false;
    form.userChoseSex(sexIndex);
    const int caseTypeIndex = indexOf(form.caseTypeList(), caseType);
    if (caseTypeIndex < 0)
        return false;
    form.userChoseCaseType(caseTypeIndex);
    return true;
}

bool readKey(const std::map<std::string, QString>& options, const std::string& name, int& key)
{
    const auto it = options.find(name);
    if (it == options.end())
        return true;
    bool isNumber = false;
    key = it->second.toInt(&isNumber);
    return isNumber;
}

} // namespace

int runFeedsCommand(const CliArgs& args, CliIo& io)
{
    std::map<std::string, QString> options;
    std::string error;
    if (!readOptions(args, {"case-type", "category", "type", "search"}, options, error)) {
        io.err << "mensoly-cli feeds: " << error << "\n" << Usage;
        return 2;
    }
    int caseType = -1;
    int category = -1;
    int type = -1;
    if (!options.count("case-type") || !readKey(options, "case-type", caseType) ||
        !readKey(options, "category", category) || !readKey(options, "type", type)) {
        io.err << "mensoly-cli feeds: the case type, category and type are keys (numbers)\n" << Usage;
        return 2;
    }

    AppContext context;
    StderrPrompt prompt(io.err);
    if (!openCurrentDataDirectory(context, prompt))
        return 1;

    // A new case window with its ration page, as the program opens one.
    CaseHeaderForm form(context, prompt);
    RationPage page(context, prompt, form);
    page.setUp();
    form.initCaseForm();
    if (!chooseCaseType(context, form, caseType)) {
        io.err << "mensoly-cli feeds: case type " << caseType << " cannot be chosen (unknown or inactive)\n";
        return 1;
    }

    const QString search = options.count("search") ? options["search"] : QString();
    page.setSearchText(search);
    if (options.count("category")) {
        const int index = indexOf(page.categoryList(), category);
        if (index < 0) {
            io.err << "mensoly-cli feeds: category " << category << " is not in the list of case type "
                   << caseType << "\n";
            return 1;
        }
        page.userChoseCategory(index);
    }
    if (options.count("type")) {
        const int index = indexOf(page.typeList(), type);
        if (index < 0) {
            io.err << "mensoly-cli feeds: type " << type << " is not in the list\n";
            return 1;
        }
        page.userChoseType(index);
    }
    if (!search.isEmpty())
        page.filterClicked();

    // The feedstuff list to its end, as a user scrolling through it sees it.
    if (!page.feedModel().fetchAll()) {
        io.err << "mensoly-cli feeds: the feedstuff list cannot be read\n";
        return 1;
    }
    printList(io.out, "category", page.categoryList().entries());
    printList(io.out, "type", page.typeList().entries());
    printList(io.out, "feed", page.feedList().entries());
    return 0;
}
