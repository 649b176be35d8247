#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "feed/FeedEditor.h"

#include <istream>
#include <ostream>
#include <string>

namespace {

const char Usage[] = "usage: mensoly-cli feed show ID | save [ID] | copy ID | delete ID --yes\n";

bool keyOf(const std::string& text, qint64& key)
{
    bool ok = false;
    key = QString::fromStdString(text).trimmed().toLongLong(&ok);
    return ok;
}

int indexOfData(const ChoiceList& list, int data)
{
    for (int i = 0; i < list.count(); ++i) {
        if (list.entries()[size_t(i)].data == data)
            return i;
    }
    return -1;
}

void printContents(std::ostream& out, const char* kind, const GridModel& grid)
{
    for (int row = 1; row < grid.rowCount(); ++row) {
        printFields(out,
                    {QString::fromLatin1(kind), grid.text(row, FeedEditor::KeyColumn),
                     grid.text(row, FeedEditor::NameColumn), grid.text(row, FeedEditor::UnitColumn),
                     grid.text(row, FeedEditor::AmountColumn), grid.toolTip(row, FeedEditor::AmountColumn)});
    }
}

void show(std::ostream& out, FeedEditor& editor)
{
    const ChoiceList& types = editor.typeList();
    const std::pair<const char*, QString> fields[] = {
        {"ID_FM_TYP", types.currentIndex() < 0 ? QString() : QString::number(types.currentData())},
        {"BEZ_DE", editor.germanName()},
        {"BEZ_US", editor.englishName()},
        {"HERSTELLER", editor.producer()},
        {"HINWEIS", editor.hintGerman()},
        {"HINT", editor.hintEnglish()},
        {"DATEN_FEHLEN", editor.dataMissing()},
        {"AKTIV", editor.isActive() ? QStringLiteral("-1") : QStringLiteral("0")},
        {"DATUM_BEARBEITET", editor.lastUpdate()},
    };
    for (const auto& [column, text] : fields)
        printFields(out, {QStringLiteral("field"), QString::fromLatin1(column), text});
    const GridModel& categories = editor.categoryGrid();
    for (int row = 0; row < categories.rowCount(); ++row) {
        printFields(out, {QStringLiteral("category"), categories.text(row, FeedEditor::CategoryKeyColumn),
                          categories.text(row, FeedEditor::CategoryNameColumn),
                          categories.text(row, FeedEditor::MarkColumn)});
    }
    printContents(out, "nutrient", editor.nutrientGrid());
    printContents(out, "indicator", editor.indicatorGrid());
}

// One line of standard input as the user's edit of the form; false with a
// reason for a line the form has no place for.
bool applyLine(FeedEditor& editor, const QStringList& fields, QString& error)
{
    const QString kind = fields.value(0);
    if (kind == QLatin1String("field") && fields.size() >= 2) {
        const QString column = fields.at(1);
        const QString text = fields.value(2);
        if (column == QLatin1String("ID_FM_TYP")) {
            const int index = indexOfData(editor.typeList(), text.toInt());
            if (index < 0 && !text.isEmpty()) {
                error = QStringLiteral("no feedstuff type with the key ") + text;
                return false;
            }
            editor.userChoseType(index);
        } else if (column == QLatin1String("BEZ_DE")) {
            editor.setGermanName(text);
        } else if (column == QLatin1String("BEZ_US")) {
            editor.setEnglishName(text);
        } else if (column == QLatin1String("HERSTELLER")) {
            editor.setProducer(text);
        } else if (column == QLatin1String("HINWEIS")) {
            editor.setHintGerman(text);
        } else if (column == QLatin1String("HINT")) {
            editor.setHintEnglish(text);
        } else if (column == QLatin1String("DATEN_FEHLEN")) {
            editor.setDataMissing(text);
        } else if (column == QLatin1String("AKTIV")) {
            editor.setActive(text.trimmed() != QLatin1String("0") && !text.trimmed().isEmpty());
        } else {
            error = QStringLiteral("no field ") + column;
            return false;
        }
        return true;
    }
    if (kind == QLatin1String("category") && fields.size() >= 2) {
        GridModel& grid = editor.categoryGrid();
        for (int row = 0; row < grid.rowCount(); ++row) {
            if (grid.text(row, FeedEditor::CategoryKeyColumn) != fields.at(1))
                continue;
            // A category line marks it, as the double-click does on an unmarked row.
            if (grid.text(row, FeedEditor::MarkColumn).trimmed().isEmpty())
                grid.doubleClick(row, FeedEditor::MarkColumn);
            return true;
        }
        error = QStringLiteral("no category with the key ") + fields.at(1);
        return false;
    }
    if ((kind == QLatin1String("nutrient") || kind == QLatin1String("indicator")) && fields.size() >= 2) {
        for (GridModel* grid : {&editor.nutrientGrid(), &editor.indicatorGrid()}) {
            const int row = FeedEditor::rowOf(*grid, fields.at(1).toInt());
            if (row >= 0) {
                grid->endEdit(row, FeedEditor::AmountColumn, fields.value(2));
                return true;
            }
        }
        error = QStringLiteral("no nutrient with the key ") + fields.at(1);
        return false;
    }
    error = QStringLiteral("cannot read the line '") + fields.join(QLatin1Char('\t')) + QStringLiteral("'");
    return false;
}

int fail(CliIo& io, const RecordingPrompt& prompt)
{
    io.err << "mensoly-cli feed: " << prompt.lastText().toStdString() << "\n";
    return 1;
}

} // namespace

int runFeedCommand(const CliArgs& args, CliIo& io)
{
    const std::string action = args.empty() ? std::string() : args[0];
    qint64 key = 0;
    const bool hasKey = args.size() >= 2 && keyOf(args[1], key);
    const bool valid =
        (action == "show" && hasKey && args.size() == 2) ||
        (action == "save" && (args.size() == 1 || (hasKey && args.size() == 2))) ||
        (action == "copy" && hasKey && args.size() == 2) ||
        (action == "delete" && hasKey && args.size() <= 3 && (args.size() == 2 || args[2] == "--yes"));
    if (!valid) {
        io.err << Usage;
        return 2;
    }
    if (action == "delete" && args.size() == 2) {
        io.err << "mensoly-cli feed: delete takes --yes to confirm\n";
        return 2;
    }
    AppContext context;
    StderrPrompt startup(io.err);
    if (!openCurrentDataDirectory(context, startup))
        return 1;
    // The editor's messages go to standard error only when a step fails.
    RecordingPrompt prompt;
    FeedEditor editor(context, prompt);
    editor.newClicked();
    if (hasKey && !editor.loadFeed(key)) {
        io.err << "mensoly-cli feed: there is no feedstuff with the key " << key << "\n";
        return 1;
    }
    // The window offers the owner's own and the shipped feedstuffs; the
    // editor refuses to save or delete a shipped one.
    if (hasKey && action != "show" && indexOfData(editor.feedList(), int(key)) < 0) {
        io.err << "mensoly-cli feed: feedstuff " << key << " is not one of this installation's own ("
               << context.ownerCode().toStdString() << ")\n";
        return 1;
    }

    if (action == "show") {
        show(io.out, editor);
        return 0;
    }
    if (action == "save") {
        std::string line;
        while (std::getline(io.in, line)) {
            const QString text = QString::fromStdString(line);
            if (text.trimmed().isEmpty())
                continue;
            QString error;
            if (!applyLine(editor, text.split(QLatin1Char('\t')), error)) {
                io.err << "mensoly-cli feed: " << error.toStdString() << "\n";
                return 2;
            }
        }
        if (!editor.calculate() || !editor.save())
            return fail(io, prompt);
        printFields(io.out, {QStringLiteral("saved"), editor.key()});
        return 0;
    }
    if (action == "copy") {
        if (!editor.copy())
            return fail(io, prompt);
        printFields(io.out, {QStringLiteral("copied"), editor.key()});
        return 0;
    }
    prompt.setNextAnswer(Prompt::Answer::Yes);
    if (!editor.deleteFeed())
        return fail(io, prompt);
    printFields(io.out, {QStringLiteral("deleted"), QString::number(key)});
    return 0;
}
