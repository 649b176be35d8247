#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "sysdata/SystemTableEditor.h"

#include <QSet>

#include <ostream>
#include <string>

namespace {

const char Usage[] =
    "usage: mensoly-cli table list | show ID [--filter VALUE]\n"
    "       mensoly-cli table edit ID ROW COLUMN TEXT [--filter VALUE] | toggle ID ROW COLUMN\n"
    "       mensoly-cli table copy ID ROW | delete ID ROW --yes\n";

void printRow(std::ostream& out, const GridModel& grid, int row)
{
    QStringList fields{QStringLiteral("row")};
    for (int col = 0; col < grid.columnCount(); ++col)
        fields << grid.text(row, col);
    printFields(out, fields);
}

void show(std::ostream& out, const SystemTableEditor& editor)
{
    const std::vector<EditableColumn>& columns = editor.columns();
    const GridModel& grid = editor.grid();
    for (int col = 0; col < int(columns.size()); ++col) {
        const EditableColumn& column = columns[size_t(col)];
        printFields(out, {QStringLiteral("column"), column.field, column.type, column.caption,
                          QString::number(grid.columnWidth(col))});
    }
    for (int row = 1; row < grid.rowCount(); ++row)
        printRow(out, grid, row);
}

// The grid's edit, double click, copy or delete on one cell or row, as the
// window does them; prints the row the grid then shows, or the message.
int act(CliIo& io, SystemTableEditor& editor, RecordingPrompt& prompt, const CliArgs& args)
{
    const std::string& action = args[0];
    GridModel& grid = editor.grid();
    bool rowOk = false, colOk = true;
    const int row = QString::fromStdString(args[2]).toInt(&rowOk);
    const int col = args.size() > 3 && action != "delete" ? QString::fromStdString(args[3]).toInt(&colOk) : 0;
    if (!rowOk || !colOk || row < 1 || row >= grid.rowCount() || col < 0 || col >= grid.columnCount()) {
        io.err << "mensoly-cli table: there is no grid cell " << args[2]
               << (args.size() > 3 ? " " + args[3] : "") << "\n";
        return 1;
    }
    const int before = grid.rowCount();
    bool done = true;
    if (action == "edit") {
        if (!grid.beginEdit(row, col) || !grid.endEdit(row, col, QString::fromStdString(args[4]))) {
            io.err << "mensoly-cli table: the cell " << row << " " << col << " cannot be edited\n";
            return 1;
        }
    } else if (action == "toggle") {
        grid.doubleClick(row, col);
    } else {
        grid.setCurrentCell(row, col);
        if (action == "copy") {
            done = editor.copyClicked();
        } else {
            prompt.setNextAnswer(Prompt::Answer::Yes);
            done = editor.deleteClicked();
        }
    }
    // An edit or toggle says something only when it was refused or failed;
    // then the cell shows the stored text again.
    if (!done || ((action == "edit" || action == "toggle") && !prompt.entries().empty())) {
        io.err << "mensoly-cli table: " << prompt.lastText().toStdString() << "\n";
        return 1;
    }
    if (action == "delete") {
        printFields(io.out, {QStringLiteral("deleted"), args[2].c_str()});
        return 0;
    }
    // A copy, or a typed new record, lands on the row before the new-record row.
    printRow(io.out, grid, grid.rowCount() > before ? grid.rowCount() - 2 : row);
    return 0;
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
    const size_t plain = action == "edit"                         ? 5
                         : action == "toggle"                     ? 4
                         : action == "copy" || action == "delete" ? 3
                                                                  : 2;
    const bool withFilter = args.size() == plain + 2 && args[plain] == "--filter";
    const bool confirmed = action != "delete" || (args.size() == 4 && args[3] == "--yes");
    const bool valid = (action == "list" && args.size() == 1) ||
                       (action != "list" && plain > 2 && isNumber && confirmed &&
                        (args.size() == (action == "delete" ? 4 : plain) || withFilter)) ||
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
    const QString filter = withFilter ? QString::fromStdString(args[plain + 1]) : QString();
    SystemTableEditor editor(context, prompt, withFilter ? table : 0, filter);
    editor.open();
    if (!withFilter)
        editor.loadTable(table);
    if (action != "show")
        return act(io, editor, prompt, args);
    show(io.out, editor);
    return 0;
}
