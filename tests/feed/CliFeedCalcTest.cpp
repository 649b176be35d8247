#include "support/CliRun.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

// A nutrient table with the rows the calculation uses, a few decimals each.
const char kNutrients[] = "ID\tSORT\tKUERZEL_DE\tKUERZEL_US\tNK_STELLEN\tKZ_IK\tAKTIV\n"
                          "18\t1\tFeuchte\tMoisture\t2\tI\t-1\n"
                          "24\t2\tRP\tCP\t2\tI\t-1\n"
                          "11\t3\tRFa\tFibre\t2\tI\t-1\n"
                          "12\t4\tRFe\tFat\t2\tI\t-1\n"
                          "13\t5\tRA\tAsh\t2\tI\t-1\n"
                          "8\t6\tTS\tDM\t2\tI\t-1\n"
                          "9\t7\tME MJ\tME MJ\t3\tI\t-1\n"
                          "60\t8\tME kcal\tME kcal\t0\tI\t-1\n"
                          "14\t9\tNfE\tNFE\t2\tI\t-1\n"
                          "1\t10\tCa\tCa\t3\tI\t-1\n"
                          "15\t11\tP\tP\t3\tI\t-1\n"
                          "61\t12\tME kcal 2\tME kcal 2\t0\tI\t0\n"
                          "42\t13\tCa:P\tCa:P\t2\tK\t-1\n"
                          "52\t14\tME/TS\tME/DM\t4\tK\t-1\n";

class CliFeedCalcTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile file(nutrientsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kNutrients);
    }

    QString nutrientsPath() const { return dir.filePath(QStringLiteral("T_NAEHRSTOFFE.tsv")); }

    CliRun run(const std::string& input, CliArgs extra = {})
    {
        CliArgs args{"feedcalc", "--nutrients", nutrientsPath().toStdString()};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCliWith(args, input);
    }

    // The value printed for a feedstuff and key.
    static std::string field(const std::string& out, const std::string& feedstuff, const std::string& key)
    {
        std::istringstream lines(out);
        std::string line;
        std::vector<std::string> header;
        while (std::getline(lines, line)) {
            std::vector<std::string> fields;
            std::istringstream cells(line);
            std::string cell;
            while (std::getline(cells, cell, '\t'))
                fields.push_back(cell);
            if (line.back() == '\t')
                fields.emplace_back();
            if (header.empty()) {
                header = fields;
                continue;
            }
            if (fields[0] != feedstuff)
                continue;
            for (std::size_t i = 0; i < header.size() && i < fields.size(); ++i) {
                if (header[i] == key)
                    return fields[i];
            }
        }
        return "<none>";
    }

    QTemporaryDir dir;
};

const char kHeader[] =
    "ID\tSTATUS\t8\t9\t60\t61\t14\t49\t50\t41\t42\t43\t44\t45\t46\t47\t48\t51\t52\t53\t56\t57\t58\n";

TEST_F(CliFeedCalcTest, PrintsTheDerivedFiguresAsTheEditorShowsThem)
{
    const CliRun result = run("ID\t18\t24\t11\t12\t13\t1\t15\n7\t10\t25\t2\t15\t8\t1.2\t0.8\n");
    EXPECT_EQ(result.status, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.substr(0, sizeof kHeader - 1), kHeader);
    const struct
    {
        const char* key;
        const char* value;
    } expected[] = {
        {"STATUS", "ok"}, {"8", "90.00"}, {"9", "1.550"}, {"60", "370"},
        {"14", "40.00"},  {"42", "1.50"}, {"61", ""},     {"41", ""}, // rows the grids lack
    };
    for (const auto& e : expected)
        EXPECT_EQ(field(result.out, "7", e.key), e.value) << e.key;
    // The second run reads the ME the first one wrote.
    EXPECT_EQ(field(result.out, "7", "52"), "0.0172");
}

TEST_F(CliFeedCalcTest, ContentsAreShownWithTheirDecimalsBeforeTheRun)
{
    // Moisture 10.004 shows as 10,00: dry matter 90,00 and NfE 40,00, not 39,996.
    const CliRun result = run("ID\t18\t24\t11\t12\t13\n1\t10.004\t25\t2\t15\t8\n");
    EXPECT_EQ(field(result.out, "1", "14"), "40.00");
    EXPECT_EQ(field(result.out, "1", "8"), "90.00");
}

TEST_F(CliFeedCalcTest, NegativeNfeStopsUnlessTakenAsZero)
{
    const std::string input = "ID\t18\t24\t11\t12\t13\n3\t70\t25\t0\t6\t1\n4\t10\t25\t2\t15\t8\n";
    const CliRun stopped = run(input);
    EXPECT_EQ(stopped.status, 1);
    EXPECT_EQ(field(stopped.out, "3", "STATUS"), "Nfe negative, please check raw feedstuff");
    EXPECT_EQ(field(stopped.out, "3", "8"), "");
    EXPECT_EQ(field(stopped.out, "4", "STATUS"), "ok");

    const CliRun zero = run(input, {"--negative-nfe-as-zero"});
    EXPECT_EQ(zero.status, 0);
    EXPECT_EQ(field(zero.out, "3", "STATUS"), "negative-nfe-as-zero");
    EXPECT_EQ(field(zero.out, "3", "8"), "30.00");
    EXPECT_EQ(field(zero.out, "3", "14"), "");
}

TEST_F(CliFeedCalcTest, EmptyRequiredContentIsReportedByItsEnglishShortName)
{
    const CliRun result = run("ID\t18\t24\t11\t12\t13\n5\t10\t\t2\t15\t8\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(field(result.out, "5", "STATUS"), "Please enter an amount for CP");
}

TEST_F(CliFeedCalcTest, RejectsUnknownArgumentsAndAMissingTable)
{
    const CliRun bogus = runCliWith({"feedcalc", "--bogus"});
    EXPECT_EQ(bogus.status, 2);
    EXPECT_TRUE(bogus.err.contains("usage: mensoly-cli feedcalc"));
    EXPECT_EQ(runCliWith({"feedcalc", "--nutrients", dir.filePath(QStringLiteral("none.tsv")).toStdString()})
                  .status,
              1);
}

} // namespace
