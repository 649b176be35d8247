#include "exchange/gui/ExchangeDialog.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Mode = ExchangeDialog::Mode;

void click(ExchangeDialog& dialog, const char* button)
{
    auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_TRUE(found);
    found->click();
}

QStringList snapshot(TestDatabase& db)
{
    QStringList rows;
    for (const char* table : {"T_BEDARF", "T_FUTTERMITTEL", "T_FM_NAEHRSTOFF", "T_NAEHRSTOFFE"})
        rows << db.rawRows(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(QLatin1String(table)));
    return rows;
}

class ExchangeDialogTest : public ::testing::Test
{
protected:
    // Exports the shipped data to system.txt through the dialog.
    QString exportFile()
    {
        const QString path = db.directory() + QStringLiteral("/system.txt");
        ExchangeDialog dialog(Mode::Export, db.context(), prompt, files);
        files.setNextAnswer(path);
        click(dialog, "fileButton");
        click(dialog, "runButton");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return path;
    }

    TestDatabase db{TestDatabase::Data::Shipped};
    RecordingPrompt prompt;
    RecordingFileChooser files;
};

TEST_F(ExchangeDialogTest, ExportsToTheChosenFile)
{
    ExchangeDialog dialog(Mode::Export, db.context(), prompt, files);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Export Systemtabellen"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("runButton"))->text(),
              QStringLiteral("Exportieren"));
    EXPECT_TRUE(dialog.findChild<QLineEdit*>(QStringLiteral("path"))->isReadOnly());

    const QString path = exportFile();
    ASSERT_EQ(files.requests().size(), 1u);
    EXPECT_EQ(files.requests()[0].mode, FileChooser::Mode::Save);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Export wurde abgeschlossen!")});
    EXPECT_TRUE(QFile(path).size() > 0);
}

TEST_F(ExchangeDialogTest, WithoutAFileNothingHappensAndTheDialogStays)
{
    ExchangeDialog dialog(Mode::Export, db.context(), prompt, files);
    click(dialog, "fileButton"); // cancelled
    EXPECT_TRUE(dialog.path().isEmpty());
    EXPECT_TRUE(prompt.texts().isEmpty());
    click(dialog, "runButton");
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Bitte geben Sie einen Dateinamen an!")});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(ExchangeDialogTest, ImportsTheExportedFile)
{
    const QString path = exportFile();
    ASSERT_TRUE(db.rawExec("UPDATE T_NAEHRSTOFFE SET BEZ_DE = 'Geändert' WHERE ID = 1"));
    prompt.clear();

    ExchangeDialog dialog(Mode::Import, db.context(), prompt, files);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Import Systemtabellen"));
    files.setNextAnswer(path);
    click(dialog, "fileButton");
    EXPECT_EQ(files.requests().back().mode, FileChooser::Mode::Open);
    EXPECT_EQ(dialog.path(), path);
    int lastDone = -1;
    int lastTotal = -1;
    QObject::connect(&dialog, &ExchangeDialog::progressed, [&](int done, int total) {
        lastDone = done;
        lastTotal = total;
    });
    click(dialog, "runButton");
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import wurde abgeschlossen!"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_GT(lastTotal, 0);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_NE(db.rawValue("SELECT BEZ_DE FROM T_NAEHRSTOFFE WHERE ID = 1"), QStringLiteral("Geändert"));
}

TEST_F(ExchangeDialogTest, CancelInTheProgressDialogLeavesTheDatabaseUnchanged)
{
    const QString path = exportFile();
    const QStringList before = snapshot(db);
    prompt.clear();

    ExchangeDialog dialog(Mode::Import, db.context(), prompt, files);
    files.setNextAnswer(path);
    click(dialog, "fileButton");
    // The user presses Cancel a few records in.
    QObject::connect(&dialog, &ExchangeDialog::progressed, [&dialog](int done, int) {
        if (done == 3)
            dialog.findChild<QProgressDialog*>()->cancel();
    });
    click(dialog, "runButton");
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import abgebrochen. Die Datenbank wurde nicht verändert."));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(snapshot(db) == before);
}

TEST_F(ExchangeDialogTest, AnUnreadableFileClosesTheImport)
{
    ExchangeDialog dialog(Mode::Import, db.context(), prompt, files);
    files.setNextAnswer(db.directory() + QStringLiteral("/missing.txt"));
    click(dialog, "fileButton");
    click(dialog, "runButton");
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Datei konnte nicht importiert werden!")});
}

} // namespace
