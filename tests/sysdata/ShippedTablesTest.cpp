#include "sysdata/SystemTableEditor.h"

#include "core/Prompt.h"
#include "db/RecordSet.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// Every table the shipped metadata describes loads in the editor under the
// manufacturer's owner code, in both languages: its columns exist, all its
// rows are shown and every look-up of a stored row finds its entry.
TEST(ShippedTablesTest, EveryDescribedTableLoadsWithItsLookUps)
{
    for (const QString& language : {QStringLiteral("DE"), QStringLiteral("US")}) {
        TestDatabase db(TestDatabase::Data::Shipped, language);
        ASSERT_TRUE(db.isValid()) << db.error().toStdString();
        db.context().setOwnerCode(QStringLiteral("M"));
        const QStringList numbers =
            db.rawRows(QStringLiteral("SELECT ID FROM T_GRUNDDATEN WHERE FELD IS NULL ORDER BY ID"));
        ASSERT_GE(numbers.size(), 16);
        for (const QString& number : numbers) {
            RecordingPrompt prompt;
            SystemTableEditor editor(db.context(), prompt, number.toInt());
            editor.open();
            const QString table = editor.table().table;
            SCOPED_TRACE((number + QLatin1Char(' ') + table + QLatin1Char(' ') + language).toStdString());
            ASSERT_EQ(editor.table().id, number.toInt());
            ASSERT_FALSE(editor.columns().empty());

            const std::optional<QString> statement = editor.rowStatement();
            ASSERT_TRUE(statement.has_value());
            RecordSet rs;
            ASSERT_TRUE(rs.openRecordset(db.db(), *statement)) << statement->toStdString();
            QSet<QString> selected;
            for (int i = 0; i < rs.columnCount(); ++i)
                selected.insert(rs.columnName(i).toUpper());
            for (const EditableColumn& column : editor.columns())
                EXPECT_TRUE(selected.contains(column.field.toUpper())) << column.field.toStdString();

            const int stored = db.rawValue(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
            const bool newRecordRow = table != QLatin1String("T_FUTTERMITTEL");
            const GridModel& grid = editor.grid();
            ASSERT_EQ(grid.rowCount(), 1 + stored + (newRecordRow ? 1 : 0));
            for (int col = 0; col < int(editor.columns().size()); ++col) {
                const EditableColumn& column = editor.columns()[size_t(col)];
                if (column.type != QLatin1String("COMBO"))
                    continue;
                ASSERT_FALSE(column.entries.empty()) << column.field.toStdString();
                for (int row = 1; row <= stored; ++row)
                    ASSERT_FALSE(grid.text(row, col).isEmpty())
                        << column.field.toStdString() << " row " << row << " key "
                        << grid.text(row, 0).toStdString();
            }
        }
    }
}

// The layouts the shipped metadata builds on: contents with their nutrient's
// decimals, the key counter behind a hidden row number, a breed added by a
// practice.
TEST(ShippedTablesTest, DecimalsKeyCounterAndNewRows)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid()) << db.error().toStdString();
    db.context().setOwnerCode(QStringLiteral("M"));
    RecordingPrompt prompt;

    // Contents: column 3 the hidden decimals, column 4 the amount.
    SystemTableEditor contents(db.context(), prompt, 91, QStringLiteral("1"));
    contents.open();
    const GridModel& grid = contents.grid();
    ASSERT_GT(grid.rowCount(), 2);
    for (int row = 1; row < grid.rowCount() - 1; ++row) {
        const QString amount = grid.text(row, 4);
        const int comma = int(amount.indexOf(QLatin1Char(',')));
        EXPECT_EQ(comma < 0 ? 0 : int(amount.size()) - comma - 1, grid.text(row, 3).toInt())
            << amount.toStdString();
    }

    SystemTableEditor keys(db.context(), prompt, 140);
    keys.open();
    ASSERT_EQ(keys.grid().text(2, 1), QStringLiteral("U"));
    EXPECT_EQ(keys.keyOf(2), QStringLiteral("U"));
    EXPECT_TRUE(keys.updateCell(2, 2, QStringLiteral("20001")));
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'")),
              QStringLiteral("20001"));

    db.context().setOwnerCode(QStringLiteral("U"));
    SystemTableEditor breeds(db.context(), prompt, 20);
    breeds.open();
    const int last = breeds.grid().rowCount() - 1;
    ASSERT_TRUE(breeds.isNewRecordRow(last));
    EXPECT_TRUE(breeds.grid().endEdit(last, 1, QStringLiteral("Hütehund")));
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT AKTIV FROM T_RASSE WHERE BEZ_DE = 'Hütehund'")),
              QStringLiteral("-1"));
    EXPECT_TRUE(prompt.texts().isEmpty()) << prompt.texts().join(QLatin1Char('\n')).toStdString();
}

} // namespace
