#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "sysdata/SystemTableEditor.h"

#include <QSet>

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

// The tables the installation's windows can show: those offered, and those
// their "Weitere Angaben" open, however deep.
QSet<int> reachableTables(AppContext& context, Prompt& prompt, QSet<int>& offered)
{
    SystemTableEditor editor(context, prompt);
    editor.open();
    for (const ChoiceList::Entry& entry : editor.tableList().entries())
        offered.insert(entry.data);
    QSet<int> reached = offered;
    QList<int> open(offered.begin(), offered.end());
    while (!open.isEmpty()) {
        const int parent = open.takeFirst();
        RecordSet rs;
        if (!rs.openRecordset(context.db(),
                              QStringLiteral("SELECT ID_COMBO2 FROM T_GRUNDDATEN_ABH WHERE ID_COMBO1 = ") +
                                  QString::number(parent)))
            continue;
        for (; !rs.isEof(); rs.moveNext()) {
            int child = 0;
            if (rs.getFieldLong(QStringLiteral("ID_COMBO2"), child) && !reached.contains(child)) {
                reached.insert(child);
                open.append(child);
            }
        }
    }
    return reached;
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
    // A filter opens the table as the "Weitere Angaben" window does, so it
    // may be any table those windows reach; without one it must be offered.
    QSet<int> offered;
    const QSet<int> reached = reachableTables(context, prompt, offered);
    if (!(withFilter ? reached : offered).contains(table)) {
        io.err << "mensoly-cli table: table " << table << " is not offered to this installation ("
               << context.ownerCode().toStdString() << ")\n";
        return 1;
    }
    const QString filter = withFilter ? QString::fromStdString(args[3]) : QString();
    SystemTableEditor editor(context, prompt, withFilter ? table : 0, filter);
    editor.open();
    if (!withFilter)
        editor.loadTable(table);
    show(io.out, editor);
    return 0;
}
