#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

TEST(CliExchangeTest, CommandLineTellsTheOutcomeByItsStatus)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const std::string path = (db.directory() + QStringLiteral("/system.txt")).toStdString();
    const CliRun exported = runCliIn(db.directory(), {"export", path});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.err, "Export wurde abgeschlossen!\n");
    EXPECT_EQ(runCliIn(db.directory(), {"import", path}).status, 0);

    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("[T_NAEHRSTOFFE]\r\nID\tAKTIV\t\r\n1 OR 1=1\t-1\t\r\n");
    file.close();
    const CliRun refused = runCliIn(db.directory(), {"import", path});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("Datensatz ID 1 OR 1=1 konnte nicht eingefügt werden."))
        << refused.err.toStdString();
    EXPECT_EQ(runCliIn(db.directory(), {"import", path + ".missing"}).status, 1);
    EXPECT_EQ(runCliIn(db.directory(), {"import"}).status, 2);
}

} // namespace
