#include "ration/RationCsv.h"
#include "support/CliRun.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(CliCaseTest, PrintsTheStoredCaseAsTheWindowComputesIt)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const CliRun run = runCliIn(db.directory(), {"case", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.lines.contains("header\towner\tMüller"));
    EXPECT_TRUE(run.lines.contains("header\tcase type\tErhaltung Rüde"));
    EXPECT_TRUE(run.lines.contains("header\tbirth date\t05.03.2020"));
    const QStringList nutrients = run.linesOf(QStringLiteral("nutrient"));
    ASSERT_EQ(nutrients.size(), 6);
    EXPECT_EQ(nutrients[4].section('\t', 0, 4), "nutrient\t1\tCa\tg\t2,00");
    EXPECT_EQ(nutrients[0].section('\t', 6, 6), "x");
    EXPECT_EQ(nutrients[2].section('\t', 6, 6), "") << nutrients[2].toStdString();
    const QStringList feeds = run.linesOf(QStringLiteral("feed"));
    ASSERT_EQ(feeds.size(), 2);
    EXPECT_EQ(feeds[0].section('\t', 0, 3), "feed\t1\tHühnerbrust, gekocht\t150,0");
    EXPECT_EQ(feeds[0].split('\t').size(), 4 + 6);
    // The supply column is the sum of the feed columns.
    const QString rpSupply = nutrients[3].section('\t', 5, 5);
    EXPECT_EQ(rpSupply, "51,9");
    EXPECT_EQ(run.linesOf(QStringLiteral("indicator")).size(), 2);
}

TEST(CliCaseTest, AnUnknownCaseEndsWithStatusOne)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"case", "99"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.isEmpty());
    EXPECT_TRUE(run.err.contains("no case with the key 99"));
    EXPECT_EQ(runCliIn(db.directory(), {"case", "abc"}).status, 2);
}

// The rows of an RFC 4180 text: fields split at the separator outside
// quotes, a doubled quote inside them read as one.
QList<QStringList> readCsv(const QString& text, QChar separator)
{
    QList<QStringList> rows{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            rows.last() << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.last() << field;
            field.clear();
            rows.append(QStringList());
            ++i;
        } else {
            field += c;
        }
    }
    if (rows.last().isEmpty() && field.isEmpty())
        rows.removeLast();
    return rows;
}

TEST(CliCaseTest, SpreadsheetFieldsAreQuotedAndNeverRunAsFormulas)
{
    const struct
    {
        const char* text;
        bool isFigure;
        const char* field;
    } cases[] = {
        {"Reis", false, "Reis"},
        {"Huhn; gekocht", false, "Huhn; gekocht"},
        {"Huhn, gekocht", false, "\"Huhn, gekocht\""},
        {"5\" Stück", false, "\"5\"\" Stück\""},
        {"zwei\nZeilen", false, "\"zwei\nZeilen\""},
        {"=SUMME(A1)", false, "'=SUMME(A1)"},
        {"-Reis", false, "'-Reis"},
        {"@A1", false, "'@A1"},
        {"-1,5", true, "\"-1,5\""},
        {"-1,5", false, "\"'-1,5\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RationCsv::field(QString::fromUtf8(c.text), QLatin1Char(','), c.isFigure),
                  QString::fromUtf8(c.field))
            << c.text;
}

TEST(CliCaseTest, TheRationForASpreadsheetReadsBackInTheUsersLanguage)
{
    const struct
    {
        const char* language;
        QChar separator;
        const char *heading, *feed, *amount, *protein, *supplyLabel;
    } cases[] = {
        {"DE", ';', "Futtermittel", "Hühnerbrust, gekocht", "150", "46,5", "Versorgung"},
        {"US", ',', "Food", "Chicken breast, cooked", "200.5", "5.4", "supply"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        TestDatabase db;
        ASSERT_TRUE(db.isValid());
        // The command line runs in the language of the settings row.
        ASSERT_TRUE(db.rawExec(QStringLiteral("UPDATE T_MSYV3SEC SET Sprache = '") +
                               QLatin1String(c.language) + QStringLiteral("' WHERE ID = 1")));
        // A name a spreadsheet would run as a formula.
        ASSERT_TRUE(db.rawExec(QStringLiteral("UPDATE T_FUTTERMITTEL SET BEZ_DE = '=1+1', BEZ_US = '=1+1' "
                                              "WHERE ID = 2")));
        const QString path = QDir(db.directory()).filePath(QStringLiteral("ration.csv"));
        const CliRun run = runCliIn(db.directory(), {"case", "1", "--csv", path.toStdString()});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = readCsv(QString::fromUtf8(bytes.mid(3)), c.separator);
        // Heading, two feedstuffs, requirement, maximum, supply.
        ASSERT_EQ(rows.size(), 6);
        // The marked nutrients only, each with its unit.
        const QStringList nutrients = run.linesOf(QStringLiteral("nutrient"));
        QStringList marked;
        QString proteinHeading;
        for (const QString& line : nutrients) {
            const QString heading = line.section('\t', 2, 2) + " (" + line.section('\t', 3, 3) + ")";
            if (line.section('\t', 6, 6) == "x")
                marked << heading;
            if (line.section('\t', 1, 1) == "24")
                proteinHeading = heading;
        }
        EXPECT_EQ(rows[0].mid(2), marked);
        EXPECT_EQ(rows[0][0], c.heading);
        const int protein = int(rows[0].indexOf(proteinHeading));
        ASSERT_GE(protein, 2) << proteinHeading.toStdString();
        EXPECT_EQ(rows[1][0], c.feed);
        EXPECT_EQ(rows[2][0], "'=1+1");
        EXPECT_EQ(c.language == QLatin1String("DE") ? rows[1][1] : rows[2][1], c.amount);
        EXPECT_EQ(c.language == QLatin1String("DE") ? rows[1][protein] : rows[2][protein], c.protein);
        EXPECT_EQ(rows[5][0], c.supplyLabel);
        for (const QStringList& row : rows)
            EXPECT_EQ(row.size(), rows[0].size()) << row.join('|').toStdString();
    }
    // A file that cannot be written fails the command.
    TestDatabase db;
    const CliRun refused = runCliIn(db.directory(), {"case", "1", "--csv", "/no/such/folder/ration.csv"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("cannot write"));
}

} // namespace

namespace {

// The output of "case ID" without its recipe date, which a save sets anew.
QStringList withoutRecipeDate(QStringList lines)
{
    lines.removeIf([](const QString& line) { return line.startsWith("header\trecipe date\t"); });
    return lines;
}

TEST(CliCaseNewTest, TheOutputOfAStoredCaseMakesTheSameCaseAgain)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const CliRun stored = runCliIn(db.directory(), {"case", "1"});
    ASSERT_EQ(stored.status, 0);
    const CliRun saved = runCliIn(db.directory(), {"case", "new"}, stored.out);
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    ASSERT_EQ(saved.lines.size(), 1);
    ASSERT_TRUE(saved.lines[0].startsWith("saved\t"));
    const std::string key = saved.lines[0].section('\t', 1).toStdString();
    EXPECT_NE(key, "1");
    const CliRun copy = runCliIn(db.directory(), {"case", key});
    ASSERT_EQ(copy.status, 0);
    EXPECT_EQ(withoutRecipeDate(copy.lines), withoutRecipeDate(stored.lines));
    EXPECT_EQ(db.rawValue(QString("SELECT COUNT(*) FROM T_REZ_FM WHERE ID_Rezept = %1").arg(key.c_str())),
              "2");
}

TEST(CliCaseNewTest, RefusedInputStoresNothing)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    QStringList lines = runCliIn(db.directory(), {"case", "1"}).lines;
    lines.removeIf([](const QString& line) { return line.startsWith("feed\t"); });
    const QString header = lines.join('\n') + '\n';
    QString untitled = header;
    untitled.remove(QRegularExpression("header\ttitle\t[^\n]*\n"));
    // The header with one field's value typed otherwise.
    const auto with = [&header](const char* field, const char* value) {
        return QString(header).replace(
            QRegularExpression(QStringLiteral("header\t%1\t[^\n]*\n").arg(QLatin1String(field))),
            QStringLiteral("header\t%1\t%2\n").arg(QLatin1String(field), QString::fromUtf8(value)));
    };
    const struct
    {
        QString input;
        int status;
        QString err;
    } cases[] = {
        {untitled, 1, "Bitte geben Sie einen (neuen) Titel ein\n"},
        {header + "feed\t1\t10\nfeed\t1\t20\n", 1,
         "Das ausgewählte Futtermittel steht bereits in der Liste\n"},
        {header + "feed\t999\t10\n", 2,
         "mensoly-cli case new: no feedstuff with the key 999 in the ration page's list\n"},
        {header + "feed\t1\tviel\n", 2,
         "mensoly-cli case new: the amount 'viel' of feedstuff 1 is no number\n"
         "usage: mensoly-cli case new < CASE\n"},
        // Values that cannot be true, refused as the form refuses them.
        {with("actual weight", "-4"), 1, "„akt. Gewicht“ muss größer als 0 sein.\n"},
        {with("actual weight", "sechs"), 1, "Bitte geben Sie bei „akt. Gewicht“ eine Zahl ein.\n"},
        {with("target weight", "0"), 1, "„Sollgewicht“ muss größer als 0 sein.\n"},
        {with("birth date", "01.01.2030"), 1, "„Geburtsdatum“ darf nicht in der Zukunft liegen.\n"},
        {header + "header\tcolour\tbrown\n", 2,
         "mensoly-cli case new: no header field 'colour'\nusage: mensoly-cli case new < CASE\n"},
    };
    const QString before = db.rawValue("SELECT COUNT(*) FROM T_PAT_REZ");
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db.directory(), {"case", "new"}, c.input.toStdString());
        EXPECT_EQ(run.status, c.status) << c.err.toStdString();
        EXPECT_EQ(run.err, c.err);
        EXPECT_TRUE(run.lines.isEmpty());
    }
    EXPECT_EQ(db.rawValue("SELECT COUNT(*) FROM T_PAT_REZ"), before);
    EXPECT_EQ(runCliIn(db.directory(), {"case", "new", "x"}).status, 2);
}

} // namespace

namespace {

// The nutrient line of key in the output of "case ID".
QString nutrientLine(const CliRun& run, const QString& key)
{
    for (const QString& line : run.linesOf(QStringLiteral("nutrient"))) {
        if (line.section('\t', 1, 1) == key)
            return line;
    }
    return QString();
}

TEST(CliCaseLimitsTest, ChickenAndRiceLackDigestibleProteinAndCodLiverOilExceedsVitaminsAAndD)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    // A 20 kg adult dog; 24 chicken breast, 89 rice, 146 cod liver oil.
    const QString header =
        "header\tsalutation\tHerr\nheader\towner\tTest\nheader\tpatient\tBello\n"
        "header\tspecies\tHund\nheader\tsex\tM\nheader\tcase type\tHund – Erhaltung (adult)\n"
        "header\tactual weight\t20\nheader\ttarget weight\t20\nheader\tenergy\t100\n"
        "header\ttitle\tHuhn und Reis\nfeed\t24\t400\nfeed\t89\t500\n";
    const auto store = [&](const QString& input) {
        const CliRun saved = runCliIn(db.directory(), {"case", "new"}, input.toStdString());
        EXPECT_EQ(saved.status, 0) << saved.err.toStdString();
        return saved.lines.value(0).section('\t', 1).toStdString();
    };
    const CliRun plain = runCliIn(db.directory(), {"case", store(header)});
    ASSERT_EQ(plain.status, 0) << plain.err.toStdString();
    // No USDA food gives digestible crude protein.
    EXPECT_EQ(nutrientLine(plain, "10").section('\t', 7), "\tincomplete");
    EXPECT_EQ(nutrientLine(plain, "2").section('\t', 8), "");
    // The requirement's 1040 kcal binds for vitamin A: 100 000 IU per 1000 kcal.
    EXPECT_EQ(nutrientLine(plain, "2").section('\t', 7, 7), "104000");

    const std::string oily = store(header + "feed\t146\t150\n");
    const CliRun withOil = runCliIn(db.directory(), {"case", oily});
    ASSERT_EQ(withOil.status, 0);
    EXPECT_EQ(nutrientLine(withOil, "2").section('\t', 8), "over");
    EXPECT_EQ(nutrientLine(withOil, "5").section('\t', 8), "over");
    EXPECT_EQ(nutrientLine(withOil, "10").section('\t', 8), "incomplete");

    const CliRun perKcal = runCliIn(db.directory(), {"case", oily, "--per", "kcal"});
    ASSERT_EQ(perKcal.status, 0);
    EXPECT_EQ(nutrientLine(perKcal, "60").section('\t', 3, 5), "kcal/1000 kcal\t455\t1000");
    EXPECT_EQ(nutrientLine(perKcal, "2").section('\t', 8), "over");
    EXPECT_EQ(runCliIn(db.directory(), {"case", oily, "--per", "g"}).status, 2);
}

} // namespace

namespace {

// The body condition is an input like the age: a cat type's energy formula
// reads it, so without a choice its requirements stay empty and the stored
// case keeps "none"; a dog type's formulas do not read it.
TEST(CliCaseNewTest, ABodyConditionNobodyChoseIsKeptAsNoneAndComputesNothingThatReadsIt)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const struct
    {
        const char* species;
        const char* caseType;
        const char* condition; // the input line's value; null: no line
        const char* energy;    // requirement of ME kcal
        const char* stored;    // T_PAT_REZ.Rippen
    } cases[] = {
        {"Katze", "Katze – Erhaltung (adult)", nullptr, "", "NULL"},
        {"Katze", "Katze – Erhaltung (adult)", "Rippen gut fühlbar", "253", "'1'"},
        {"Katze", "Katze – Erhaltung (adult)", "Rippen fettbedeckt", "226", "'0'"},
        {"Hund", "Hund – Erhaltung (adult)", nullptr, "1040", "NULL"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.caseType) + " " + (c.condition ? c.condition : "none"));
        QString input =
            QStringLiteral("header\tsalutation\tFrau\nheader\towner\tKatz\nheader\tpatient\tMinka\n"
                           "header\tspecies\t%1\nheader\tsex\tW\nheader\tcase type\t%2\n"
                           "header\tactual weight\t%3\nheader\ttarget weight\t%3\nheader\tenergy\t100\n"
                           "header\ttitle\tT\nfeed\t89\t50\n")
                .arg(QString::fromUtf8(c.species), QString::fromUtf8(c.caseType),
                     QString::fromLatin1(c.species[0] == 'K' ? "4" : "20"));
        if (c.condition)
            input += QStringLiteral("header\tbody condition\t%1\n").arg(QString::fromUtf8(c.condition));
        const CliRun saved = runCliIn(db.directory(), {"case", "new"}, input.toStdString());
        ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
        const QString key = saved.lines.value(0).section('\t', 1);
        EXPECT_EQ(db.rawValue(QStringLiteral("SELECT quote(Rippen) FROM T_PAT_REZ WHERE ID = ") + key),
                  QString::fromLatin1(c.stored));
        const CliRun shown = runCliIn(db.directory(), {"case", key.toStdString()});
        EXPECT_TRUE(shown.lines.contains(QStringLiteral("header\tbody condition\t") +
                                         QString::fromUtf8(c.condition ? c.condition : "")));
        const QStringList energy = shown.linesOf(QStringLiteral("nutrient\t60"));
        ASSERT_EQ(energy.size(), 1);
        EXPECT_EQ(energy[0].section('\t', 4, 4), QString::fromUtf8(c.energy));
    }
}

} // namespace
