#include "app/cli/CliCommand.h"
#include "core/Lang.h"

#include "core/NumberText.h"
#include "db/DatabaseCreator.h"
#include "feed/FeedIndicatorCalculator.h"

#include <QFile>

#include <cstdlib>
#include <istream>
#include <map>
#include <ostream>
#include <string>

namespace {

std::vector<std::string> splitTabs(const std::string& line)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos)
            return fields;
        start = tab + 1;
    }
}

// The rows of the editor's two grids: every active nutrient with its English
// short name and decimals, all amounts empty.
bool loadEmptyGrid(const QString& path, FeedGrid& grid, std::ostream& err)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "mensoly-cli feedcalc: cannot read " << path.toStdString() << "\n";
        return false;
    }
    DatabaseCreator::TableData table;
    QString error;
    if (!DatabaseCreator::parseTableFile(QStringLiteral("T_NAEHRSTOFFE"), file.readAll(), table, &error)) {
        err << "mensoly-cli feedcalc: " << error.toStdString() << "\n";
        return false;
    }
    const auto column = [&](const char* name) { return table.columns.indexOf(QLatin1String(name)); };
    const int id = column("ID"), shortName = column("KUERZEL_US"), decimals = column("NK_STELLEN"),
              active = column("AKTIV");
    if (id < 0 || shortName < 0 || decimals < 0 || active < 0) {
        err << "mensoly-cli feedcalc: " << path.toStdString()
            << " lacks one of ID, KUERZEL_US, NK_STELLEN, AKTIV\n";
        return false;
    }
    for (const auto& row : table.rows) {
        if (row[active].value_or(QString()).toInt() == 0)
            continue;
        grid[row[id].value_or(QString()).toInt()] = {
            row[shortName].value_or(QString()), NumberText::decimalsOf(row[decimals].value_or(QString())),
            QString()};
    }
    return true;
}

} // namespace

// Reads stored feedstuff contents (a header "ID" and nutrient keys, then one
// line per feedstuff, decimal points), shows them as the feedstuff editor does
// and runs the calculation twice, as pressing "Berechnen" twice would: the ME
// per dry matter reads the ME shown before a run. Prints per feedstuff its
// status and the derived figures as the grid then shows them (decimal points).
int runFeedCalcCommand(const CliArgs& args, CliIo& io)
{
    QString nutrientsPath = QStringLiteral(":/mensoly/data/system/T_NAEHRSTOFFE.tsv");
    FeedIndicatorCalculator::Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--negative-nfe-as-zero") {
            options.negativeNfeAsZero = true;
        } else if (args[i] == "--nutrients" && i + 1 < args.size()) {
            nutrientsPath = QString::fromStdString(args[++i]);
        } else {
            io.err
                << "usage: mensoly-cli feedcalc [--negative-nfe-as-zero] [--nutrients T_NAEHRSTOFFE.tsv]\n";
            return 2;
        }
    }
    FeedGrid emptyGrid;
    if (!loadEmptyGrid(nutrientsPath, emptyGrid, io.err))
        return 1;

    std::string line;
    if (!std::getline(io.in, line)) {
        io.err << "mensoly-cli feedcalc: no header line on standard input\n";
        return 2;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const std::vector<std::string> header = splitTabs(line);
    std::vector<int> inputKeys;
    for (std::size_t i = 1; i < header.size(); ++i)
        inputKeys.push_back(std::atoi(header[i].c_str()));

    io.out << "ID\tSTATUS";
    for (int key : FeedIndicatorCalculator::resultKeys())
        io.out << '\t' << key;
    io.out << '\n';

    int status = 0;
    while (std::getline(io.in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::vector<std::string> fields = splitTabs(line);
        FeedGrid grid = emptyGrid;
        for (std::size_t i = 1; i < fields.size() && i - 1 < inputKeys.size(); ++i) {
            const auto row = grid.find(inputKeys[i - 1]);
            if (row != grid.end() && !fields[i].empty())
                row->second.amount = FeedIndicatorCalculator::cellText(
                    NumberText::read(QString::fromStdString(fields[i])), row->second.decimals);
        }
        FeedCalculation run;
        for (int pass = 0; pass < 2; ++pass) {
            run = FeedIndicatorCalculator::calculate(grid, options);
            FeedIndicatorCalculator::applyTo(grid, run);
        }
        std::string statusText = "ok";
        if (!run.succeeded()) {
            statusText = run.message(Lang::English).toStdString();
            status = 1;
        } else if (run.nfeTakenAsZero) {
            statusText = "negative-nfe-as-zero";
        }
        io.out << fields[0] << '\t' << statusText;
        for (int key : FeedIndicatorCalculator::resultKeys()) {
            const auto row = grid.find(key);
            io.out << '\t'
                   << (run.succeeded() && row != grid.end()
                           ? NumberText::withPoint(row->second.amount).toStdString()
                           : std::string());
        }
        io.out << '\n';
    }
    return status;
}
