// The golden corpus: 200 cases made through "mensoly-cli case new" on the
// shipped data, from a fixed seed, and for each the output of the command
// line's case, recipe, chart and balance commands. "write DIR" stores it,
// one file per case; "check DIR" makes it again and compares, naming the
// first line that differs in each file that does. The clock is pinned, so
// ages and dates come out the same on every day.

#include "app/ApplicationStartup.h"
#include "app/cli/CliCommand.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "support/PinnedLocale.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <iostream>
#include <random>
#include <sstream>

namespace {

constexpr int CaseCount = 200;
constexpr std::uint32_t Seed = 20261208;
// Every fourth case is printed once more in English.
constexpr int EnglishEvery = 4;

struct Run
{
    int status = 0;
    std::string out, err;
};

Run cli(const CliArgs& args, const std::string& input = std::string())
{
    std::istringstream in(input);
    std::ostringstream out, err;
    CliIo io{in, out, err};
    Run run;
    run.status = runCli(args, io);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// One command's part of a case's file: the command, its status, its output
// and what it said on standard error, each line marked.
std::string section(const CliArgs& args)
{
    const Run run = cli(args);
    std::string text = "$";
    for (const std::string& arg : args)
        text += " " + arg;
    text += "\nstatus " + std::to_string(run.status) + "\n" + run.out;
    std::istringstream err(run.err);
    for (std::string line; std::getline(err, line);)
        text += "stderr " + line + "\n";
    return text;
}

// mt19937's numbers are the same everywhere; the distributions of the
// standard library are not, so the draws are made here.
class Draw
{
public:
    explicit Draw(std::uint32_t seed)
        : m_engine(seed)
    {
    }
    int below(int n) { return int(m_engine() % std::uint32_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::mt19937 m_engine;
};

struct CaseType
{
    QString key, name;
    int species = 0, sex = 0;
};

// The active case types of both species: key, German name, species, sex.
std::vector<CaseType> caseTypes()
{
    std::vector<CaseType> types;
    AppContext context;
    RecordingPrompt prompt;
    RecordSet rs;
    if (!ApplicationStartup::run(context, QDir::currentPath(), prompt) ||
        !rs.openRecordset(context.db(),
                          QStringLiteral("SELECT ID, BEZ_DE, ID_GATTUNG, ID_GESCHLECHT FROM T_FALL "
                                         "WHERE AKTIV = TRUE ORDER BY ID")))
        return types;
    for (; !rs.isEof(); rs.moveNext()) {
        CaseType type;
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        type.key = QString::number(key);
        rs.getFieldText(QStringLiteral("BEZ_DE"), type.name);
        rs.getFieldLong(QStringLiteral("ID_GATTUNG"), type.species);
        rs.getFieldLong(QStringLiteral("ID_GESCHLECHT"), type.sex);
        if (type.species == 2 || type.species == 3)
            types.push_back(type);
    }
    return types;
}

// The keys of the ration page's feedstuff list for a case type.
QStringList feedKeys(const QString& caseType)
{
    QStringList keys;
    const Run run = cli({"feeds", "--case-type", caseType.toStdString()});
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) {
        const QStringList fields = QString::fromStdString(line).split(QLatin1Char('\t'));
        if (fields.value(0) == QLatin1String("feed"))
            keys << fields.value(1);
    }
    return keys;
}

QString decimal(int tenths)
{
    return QString::number(tenths / 10) + QLatin1Char(',') + QString::number(tenths % 10);
}

std::string newCaseInput(Draw& draw, const CaseType& type, const QStringList& feeds, int number)
{
    static const char* const owners[] = {"Müller", "Öztürk", "O'Neil", "Schmidt", "Weiß", "Zander"};
    static const char* const patients[] = {"Bello", "Minka", "Rex", "Luna", "Kätzchen", "Bruno"};
    const bool dog = type.species == 2;
    const int actual = dog ? draw.between(20, 600) : draw.between(15, 80); // tenths of a kilogram
    QString input;
    const auto header = [&input](const char* field, const QString& value) {
        input += QStringLiteral("header\t%1\t%2\n").arg(QLatin1String(field), value);
    };
    header("salutation", draw.chance(50) ? QStringLiteral("Herr") : QStringLiteral("Frau"));
    header("owner", QString::fromUtf8(owners[draw.below(6)]));
    header("patient", QString::fromUtf8(patients[draw.below(6)]));
    header("species", dog ? QStringLiteral("Hund") : QStringLiteral("Katze"));
    header("sex", type.sex == 1 ? QStringLiteral("M") : QStringLiteral("W"));
    header("case type", type.name);
    header("actual weight", decimal(actual));
    header("target weight", decimal(std::max(10, actual + draw.between(-actual / 5, actual / 10))));
    header("adult weight", decimal(actual * draw.between(15, 40) / 10));
    header("energy", QString::number(draw.between(8, 12) * 10));
    header("puppies", QString::number(draw.between(1, 8)));
    if (draw.chance(70)) {
        const QDate born = QDate(2024, 4, 3).addDays(-draw.between(8 * 7, dog ? 600 : 500));
        header("birth date", born.toString(QStringLiteral("dd.MM.yyyy")));
    }
    if (!dog && draw.chance(80))
        header("body condition",
               draw.chance(50) ? QStringLiteral("Rippen gut fühlbar") : QStringLiteral("Rippen fettbedeckt"));
    header("title", QStringLiteral("Fall %1").arg(number));
    QStringList chosen;
    const int count = std::min<int>(int(feeds.size()), draw.between(1, 6));
    while (chosen.size() < count) {
        const QString key = feeds[draw.below(int(feeds.size()))];
        if (!chosen.contains(key))
            chosen << key;
    }
    for (const QString& key : chosen) {
        // Mostly whole grams, now and then a supplement's few tenths.
        const QString amount =
            draw.chance(15) ? decimal(draw.between(1, 50)) : QString::number(draw.between(5, 600));
        input += QStringLiteral("feed\t%1\t%2\n").arg(key, amount);
    }
    return input.toStdString();
}

std::string outputs(const std::string& key)
{
    std::string text;
    for (const CliArgs& args : std::vector<CliArgs>{{"case", key},
                                                    {"case", key, "--per", "kcal"},
                                                    {"recipe", key},
                                                    {"chart", key, "coverage"},
                                                    {"chart", key, "growth"},
                                                    {"chart", key, "weight"},
                                                    {"balance", key}})
        text += section(args);
    return text;
}

bool setLanguage(const char* code)
{
    AppContext context;
    RecordingPrompt prompt;
    return ApplicationStartup::run(context, QDir::currentPath(), prompt) &&
           context.db().executeSql(
               QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = '%1' WHERE ID = 1").arg(QLatin1String(code)));
}

} // namespace

int main(int argc, char** argv)
{
    // Numbers, dates and the order of lists as in the tests, whatever the
    // machine's locale.
    pinLocale();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (args.size() != 3 || (mode != QLatin1String("write") && mode != QLatin1String("check"))) {
        std::cerr << "usage: golden_corpus write|check DIR\n";
        return 2;
    }
    const QDir corpus(QDir(args[2]).absolutePath());
    AppContext::setDefaultClock([] { return QDateTime(QDate(2024, 4, 3), QTime(10, 0)); });

    QTemporaryDir work;
    if (!work.isValid() || !QDir::setCurrent(work.path()) || cli({"initdb"}).status != 0) {
        std::cerr << "golden_corpus: no database to work on\n";
        return 1;
    }
    Draw draw(Seed);
    const std::vector<CaseType> types = caseTypes();
    if (types.empty()) {
        std::cerr << "golden_corpus: no case types\n";
        return 1;
    }
    std::vector<std::string> files(CaseCount);
    std::vector<std::string> keys(CaseCount);
    for (int i = 0; i < CaseCount; ++i) {
        const CaseType& type = types[size_t(i) % types.size()];
        const std::string input = newCaseInput(draw, type, feedKeys(type.key), i + 1);
        const Run saved = cli({"case", "new"}, input);
        files[size_t(i)] = "# input\n" + input + "$ case new\nstatus " + std::to_string(saved.status) + "\n" +
                           saved.out + saved.err;
        keys[size_t(i)] =
            QString::fromStdString(saved.out).section(QLatin1Char('\t'), 1).trimmed().toStdString();
    }
    for (int i = 0; i < CaseCount; ++i) {
        if (!keys[size_t(i)].empty())
            files[size_t(i)] += outputs(keys[size_t(i)]);
    }
    if (!setLanguage("US")) {
        std::cerr << "golden_corpus: the language could not be switched\n";
        return 1;
    }
    for (int i = 0; i < CaseCount; i += EnglishEvery) {
        if (!keys[size_t(i)].empty())
            files[size_t(i)] += "# English\n" + outputs(keys[size_t(i)]);
    }

    int differing = 0;
    for (int i = 0; i < CaseCount; ++i) {
        QFile file(corpus.filePath(QStringLiteral("case-%1.txt").arg(i + 1, 3, 10, QLatin1Char('0'))));
        const QByteArray made = QByteArray::fromStdString(files[size_t(i)]);
        if (mode == QLatin1String("write")) {
            if (!QDir().mkpath(corpus.path()) || !file.open(QIODevice::WriteOnly) ||
                file.write(made) != made.size()) {
                std::cerr << "golden_corpus: cannot write " << file.fileName().toStdString() << "\n";
                return 1;
            }
            continue;
        }
        if (!file.open(QIODevice::ReadOnly)) {
            std::cerr << file.fileName().toStdString() << ": missing\n";
            ++differing;
            continue;
        }
        const QList<QByteArray> expected = file.readAll().split('\n');
        const QList<QByteArray> actual = made.split('\n');
        for (qsizetype line = 0; line < std::max(expected.size(), actual.size()); ++line) {
            if (expected.value(line) != actual.value(line)) {
                std::cerr << file.fileName().toStdString() << ":" << line + 1
                          << "\n  expected: " << expected.value(line).toStdString()
                          << "\n  made:     " << actual.value(line).toStdString() << "\n";
                ++differing;
                break;
            }
        }
    }
    if (differing > 0) {
        std::cerr << differing << " of " << CaseCount << " cases differ\n";
        return 1;
    }
    return 0;
}
