#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <QDir>
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

TEST(CliExchangeTest, BackupCopiesTheDatabaseAndAnImportCopiesItFirst)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const QString copy = db.directory() + QStringLiteral("/copy.mdb");
    const CliRun backup = runCliIn(db.directory(), {"backup", copy.toStdString()});
    EXPECT_EQ(backup.status, 0);
    EXPECT_EQ(backup.err, QStringLiteral("Die Sicherungskopie wurde angelegt:\n") + copy + QLatin1Char('\n'));
    EXPECT_EQ(runCliIn(db.directory(), {"backup"}).status, 2);

    // The import changes a requirement formula; the copy made before holds the old one.
    const QString formula =
        QStringLiteral("SELECT WERT_FORMEL FROM T_BEDARF WHERE ID = (SELECT min(ID) FROM T_BEDARF)");
    const QString before = db.rawValue(formula);
    const std::string file = (db.directory() + QStringLiteral("/system.txt")).toStdString();
    ASSERT_EQ(runCliIn(db.directory(), {"export", file}).status, 0);
    ASSERT_TRUE(db.rawExec(
        QStringLiteral("UPDATE T_BEDARF SET WERT_FORMEL = '1' WHERE ID = (SELECT min(ID) FROM T_BEDARF)")));
    ASSERT_EQ(runCliIn(db.directory(), {"import", file}).status, 0);
    EXPECT_EQ(db.rawValue(formula), before);
    const QStringList copies =
        QDir(db.directory()).entryList({QStringLiteral("MensolyVers3-backup-*.mdb")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(TestDatabase::rawValueIn(db.directory() + QLatin1Char('/') + copies[0], formula),
              QStringLiteral("1"));
}

TEST(CliExchangeTest, ImportLegacyTellsTheOutcomeByItsStatus)
{
    const std::string fixtures = MENSOLY_LEGACY_FIXTURES;
    if (!QFile::exists(QString::fromStdString(fixtures)))
        GTEST_SKIP() << "no legacy fixtures at " << fixtures;
    TestDatabase db(TestDatabase::Data::Shipped);
    const CliRun taken = runCliIn(db.directory(), {"import-legacy", fixtures + "/jet3/Darire32.mdb"});
    EXPECT_EQ(taken.status, 0);
    EXPECT_TRUE(taken.err.contains("6 Futtermittel übernommen, 0 übergangen.")) << taken.err.toStdString();
    ASSERT_TRUE(
        db.addTrigger("refuse_quark", "BEFORE INSERT", "T_FUTTERMITTEL", "NEW.BEZ_DE = 'Quark mager'"));
    EXPECT_EQ(runCliIn(db.directory(), {"import-legacy", fixtures + "/jet4/Darire32.mdb"}).status, 2);
    const CliRun refused =
        runCliIn(db.directory(), {"import-legacy", fixtures + "/other-table/Darire32.mdb"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Tabellenformat entspricht nicht Mensoly Version 2.0\n");
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN = 'U'")),
              QStringLiteral("11"));
}

} // namespace
