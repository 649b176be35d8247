#include "exchange/ExchangeFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Records in one line each: "TABLE: NAME=value, ..."
QStringList shown(const std::vector<ExchangeRecord>& records)
{
    QStringList lines;
    for (const ExchangeRecord& record : records) {
        QStringList fields;
        for (const ExchangeField& field : record.fields)
            fields << field.name + QLatin1Char('=') + field.value;
        lines << record.table + QStringLiteral(": ") + fields.join(QStringLiteral(", "));
    }
    return lines;
}

struct ReadingCase
{
    const char* what;
    QByteArray bytes;
    QStringList records;
};

TEST(ExchangeFileTest, ReadsByTheReadingRules)
{
    const ReadingCase cases[] = {
        {"lines before the first section are ignored",
         "junk\t1\t\r\n[T]\r\nA\tB\t\r\n1\t2\t\r\n",
         {"T: A=1, B=2"}},
        {"LF alone ends a line too, CR inside stays", "[T]\nA\t\nx\ry\t\n", {"T: A=x\ry"}},
        {"runs of tabs are one separator", "[T]\r\n\tA\t\tB\t\r\n\t\t1\t\t\t2\r\n", {"T: A=1, B=2"}},
        {"extra pieces dropped, missing ones left out",
         "[T]\r\nA\tB\t\r\n1\t2\t3\t\r\n1\t\r\n",
         {"T: A=1, B=2", "T: A=1"}},
        {"<NULL> is the empty text wherever it stands",
         "[T]\r\nA\tB\t\r\n<NULL>\tx<NULL>y\t\r\n",
         {"T: A=, B=xy"}},
        {"an empty line is a row without fields", "[T]\r\nA\t\r\n\r\n1\t\r\n", {"T: ", "T: A=1"}},
        {"the line after a section line is its header", "[T]\r\n[U]\r\nx\t\r\n", {"T: [U]=x"}},
        {"an empty header gives no rows", "[T]\r\n\r\n1\t\r\n[U]\r\nA\t\r\n2\t\r\n", {"U: A=2"}},
        {"section lines are trimmed, the name kept as written",
         "  [t_bedarf]  \r\nID\t\r\n7\t\r\n",
         {"t_bedarf: ID=7"}},
        {"a last line without line break counts", "[T]\r\nA\t\r\n5", {"T: A=5"}},
        {"single bytes are Windows-1252",
         "[T]\r\nA\t\r\n\x80 \xe4\xdf\x96\t\r\n",
         {QString::fromUtf8("T: A=€ äß–")}},
        {"markers give back tabs and line breaks",
         "[T]\r\nA\t\r\na<TAB>b<CR><LF>c\\n\t\r\n",
         {"T: A=a\tb\r\nc\\n"}},
    };
    for (const ReadingCase& c : cases)
        EXPECT_EQ(shown(ExchangeFile::parse(c.bytes)), c.records) << c.what;
}

TEST(ExchangeFileTest, WritesSectionsHeadersAndMarkers)
{
    ExchangeFile file;
    file.records = {{"T_A", {{"ID", "1"}, {"NAME", QString::fromUtf8(" Öl € ")}}},
                    {"T_A", {{"ID", "2"}, {"NAME", "   "}}},
                    {"T_B", {{"ID", "3"}, {"NOTE", "a\tb\r\nc\\d"}}},
                    {"T_A", {{"ID", "4"}}}};
    EXPECT_EQ(file.toBytes(), QByteArray("[T_A]\r\nID\tNAME\t\r\n1\t\xd6l \x80\t\r\n2\t<NULL>\t\r\n"
                                         "[T_B]\r\nID\tNOTE\t\r\n3\ta<TAB>b<CR><LF>c\\d\t\r\n"
                                         "[T_A]\r\nID\tNAME\t\r\n4\t\r\n"));
    // What is written reads back as the same records, trimmed and NULL as empty.
    EXPECT_EQ(shown(ExchangeFile::parse(file.toBytes())),
              (QStringList{QString::fromUtf8("T_A: ID=1, NAME=Öl €"),
                           "T_A: ID=2, NAME=", "T_B: ID=3, NOTE=a\tb\r\nc\\d", "T_A: ID=4"}));
}

TEST(ExchangeFileTest, RefusesWhatASingleByteCannotHoldAndLeavesNoFile)
{
    QTemporaryDir dir;
    ExchangeFile file;
    file.records = {{"T", {{"ID", "1"}, {"NAME", QString::fromUtf8("€ ok")}}}};
    EXPECT_FALSE(file.write()) << "no path";
    file.path = dir.filePath("out.txt");
    EXPECT_EQ(file.unencodableRecord(), -1);
    ASSERT_TRUE(file.write());

    file.records.push_back({"T", {{"ID", "2"}, {"NAME", QString::fromUtf8("Ω")}}});
    EXPECT_EQ(file.unencodableRecord(), 1);
    EXPECT_FALSE(file.write());
    ExchangeFile back;
    back.path = file.path;
    ASSERT_TRUE(back.read());
    EXPECT_EQ(shown(back.records), QStringList{QString::fromUtf8("T: ID=1, NAME=€ ok")})
        << "old file untouched";

    file.path = dir.filePath("missing/out.txt");
    file.records.pop_back();
    EXPECT_FALSE(file.write());
    back.path = file.path;
    EXPECT_FALSE(back.read());
    back.path = QStringLiteral("  ");
    EXPECT_FALSE(back.read());
}

} // namespace
