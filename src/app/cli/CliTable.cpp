#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "sysdata/SystemTableEditor.h"

#include <ostream>
#include <string>

namespace {

const char Usage[] = "usage: mensoly-cli table list | show ID [--filter VALUE]\n";

void show(std::ostream& out, const SystemTableEditor& editor)
{
    const std::vector<EditableColumn>& columns = editor.columns();
    const GridModel& grid = editor.grid();
    for (int col = 0; col < int(columns.size()); ++col) {
        const EditableColumn& column = columns[size_t(col)];
        printFields(out, {QStringLiteral("column"), column.field, column.type, column.caption,
                          QString::number(grid.columnWidth(col))});
    }
    for (int row = 1; row < grid.rowCount(); ++row) {
        QStringList fields{QStringLiteral("row")};
        for (int col = 0; col < grid.columnCount(); ++col)
            fields << grid.text(row, col);
        printFields(out, fields);
    }
}

} // namespace

int runTableCommand(const CliArgs& args, CliIo& io)
{
    const std::string action = args.empty() ? std::string() : args[0];
    bool isNumber = false;
    const int table = args.size() >= 2 ? QString::fromStdString(args[1]).trimmed().toInt(&isNumber) : 0;
    const bool withFilter = args.size() == 4 && args[2] == "--filter";
    const bool valid = (action == "list" && args.size() == 1) ||
                       (action == "show" && isNumber && (args.size() == 2 || withFilter));
    if (!valid) {
        io.err << Usage;
        return 2;
    }
    AppContext context;
    StderrPrompt startup(io.err);
    if (!openCurrentDataDirectory(context, startup))
        return 1;
    RecordingPrompt prompt;
    if (action == "list") {
        SystemTableEditor editor(context, prompt);
        editor.open();
        for (const ChoiceList::Entry& entry : editor.tableList().entries()) {
            const EditableTable described = SystemTableEditor::describe(context.db(), entry.data);
            printFields(io.out,
                        {QStringLiteral("table"), QString::number(entry.data), described.table, entry.text});
        }
        return 0;
    }
    // A filter opens the table as the "Weitere Angaben" window does; without
    // one it must be a table this installation is offered.
    const QString filter = withFilter ? QString::fromStdString(args[3]) : QString();
    SystemTableEditor editor(context, prompt, withFilter ? table : 0, filter);
    editor.open();
    int index = -1;
    for (int i = 0; i < editor.tableList().count(); ++i) {
        if (editor.tableList().entries()[size_t(i)].data == table)
            index = i;
    }
    if (index < 0) {
        io.err << "mensoly-cli table: table " << table << " is not offered to this installation ("
               << context.ownerCode().toStdString() << ")\n";
        return 1;
    }
    if (!withFilter)
        editor.userChoseTable(index);
    show(io.out, editor);
    return 0;
}
