// A case saved on a PostgreSQL server whose connection is lost: the user is
// told through the program's prompt, the case window keeps its contents and
// the same save works at the next try.

#include "app/ApplicationStartup.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/RationGrids.h"
#include "support/CaseWindowLogic.h"
#include "support/ThrowawayPostgres.h"

#include <gtest/gtest.h>

namespace {

using LostServerConnectionTest = ClusterTest;

// A new case window over the fixture on the server, a dog's case with one
// feedstuff in the ration ready to save.
struct ServerCase : CaseWindowLogic
{
    QString database;

    ServerCase()
        : CaseWindowLogic(Page::CountedHooks)
    {
    }
    ::testing::AssertionResult open(const QString& language)
    {
        context.setLanguageCode(language);
        context.setClock([] { return QDateTime(QDate(2024, 4, 3), QTime(10, 0, 0)); });
        const ::testing::AssertionResult opened =
            ClusterTest::open(context, ClusterTest::fixtureDatabase(QStringLiteral("case"), &database));
        if (!opened)
            return opened;
        ApplicationStartup::reportLostConnections(context, prompt);
        fillDogCase();
        form.ration().grids().appendFeedRow(QStringLiteral("1"), QStringLiteral("Futter 1"),
                                            QStringLiteral("150"));
        return opened;
    }
    QStringList rows(const QString& sql)
    {
        RecordSet rs;
        QStringList texts;
        if (!rs.openRecordset(context.db(), sql))
            return {QStringLiteral("(failed)")};
        for (; !rs.isEof(); rs.moveNext()) {
            // A date as stored, not as the language shows it.
            QString text = rs.value(0).text;
            if (rs.value(0).kind != DbValue::Kind::Date)
                rs.getFieldText(0, text);
            texts << text;
        }
        return texts;
    }
};

TEST_F(LostServerConnectionTest, ASaveAfterARestartOfTheServerWorksWithoutAMessage)
{
    ServerCase w;
    ASSERT_TRUE(w.open(QStringLiteral("DE")));
    ASSERT_EQ(cluster->endSessions(w.database), 1);
    w.prompt.clear();
    ASSERT_TRUE(w.form.saveCase()) << w.prompt.texts().join('|').toStdString();
    EXPECT_TRUE(w.prompt.texts().isEmpty()) << w.prompt.texts().join('|').toStdString();
    // Stamped by the program's clock, not the server's.
    EXPECT_EQ(w.rows(QStringLiteral("SELECT Datum FROM T_PAT_REZ WHERE ID = ") + w.form.savedCaseKey()),
              QStringList{"2024-04-03 10:00:00"});
    EXPECT_EQ(
        w.rows(QStringLiteral("SELECT TagRat FROM T_REZ_FM WHERE ID_Rezept = ") + w.form.savedCaseKey()),
        QStringList{"150"});
}

TEST_F(LostServerConnectionTest, ASaveTheServerTurnsAwayIsToldWithItsReasonKeepsTheWindowAndWorksWhenRepeated)
{
    ServerCase w;
    ASSERT_TRUE(w.open(QStringLiteral("US")));
    const auto allowConnections = [&](bool allow) {
        QString error;
        EXPECT_TRUE(cluster->execute(QStringLiteral("postgres"),
                                     QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS %2")
                                         .arg(w.database, allow ? "true" : "false"),
                                     &error))
            << error.toStdString();
    };
    allowConnections(false);
    ASSERT_EQ(cluster->endSessions(w.database), 1);
    w.prompt.clear();
    EXPECT_FALSE(w.form.saveCase());
    ASSERT_EQ(w.prompt.texts().size(), 2) << w.prompt.texts().join('|').toStdString();
    EXPECT_EQ(
        w.prompt.texts().front(),
        "The connection to the database server was lost. What the window shows is kept; the connection is "
        "taken up again at the next action.");
    EXPECT_EQ(w.prompt.entries().front().icon, Prompt::Icon::Warning);
    // The server's own reason follows the message.
    EXPECT_TRUE(w.prompt.lastText().startsWith(QStringLiteral("Record can't be inserted\nReason: ")) &&
                w.prompt.lastText().contains(QStringLiteral("is not currently accepting connections")))
        << w.prompt.lastText().toStdString();
    EXPECT_EQ(w.form.ownerName(), "Meier");
    EXPECT_EQ(w.form.ration().grids().feedRowCount(), 1);

    allowConnections(true);
    w.prompt.clear();
    ASSERT_TRUE(w.form.saveCase()) << w.prompt.texts().join('|').toStdString();
    EXPECT_TRUE(w.prompt.texts().isEmpty()) << w.prompt.texts().join('|').toStdString();
}

TEST_F(LostServerConnectionTest, ANulCharacterInATextStopsTheSaveWithItsOwnMessageAndStoresNothing)
{
    ServerCase w;
    ASSERT_TRUE(w.open(QStringLiteral("DE")));
    w.form.setOwnerName(QStringLiteral("Mei") + QChar(0) + QStringLiteral("er"));
    w.prompt.clear();
    EXPECT_FALSE(w.form.saveCase());
    EXPECT_EQ(
        w.prompt.texts(),
        QStringList{
            "Satz konnte nicht eingefügt werden\nGrund: a text holds a NUL character, which PostgreSQL cannot store"});
    EXPECT_EQ(w.rows(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")), QStringList{"3"});
    EXPECT_EQ(w.rows(QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE TagRat = 150")), QStringList{"1"});
}

} // namespace
