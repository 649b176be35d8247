#include "exchange/gui/ExchangeDialog.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QFile>
#include <QProgressDialog>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

using Mode = ExchangeDialog::Mode;

class ExchangeDialogTest : public ::testing::Test
{
protected:
    // Picks the file through the dialog's file button, then presses its default button.
    void run(ExchangeDialog& dialog, const QString& path)
    {
        files.setNextAnswer(path);
        dialog.findChild<QPushButton*>(QStringLiteral("fileButton"))->click();
        dialog.findChild<QPushButton*>(QStringLiteral("runButton"))->click();
    }

    QStringList snapshot()
    {
        return db.rawRows("SELECT * FROM T_BEDARF") + db.rawRows("SELECT * FROM T_FUTTERMITTEL") +
               db.rawRows("SELECT * FROM T_NAEHRSTOFFE");
    }

    TestDatabase db{TestDatabase::Data::Shipped};
    RecordingPrompt prompt;
    RecordingFileChooser files;
    const QString path = db.directory() + QStringLiteral("/system.txt");
};

TEST_F(ExchangeDialogTest, ExportsToTheChosenFileAndImportsItBack)
{
    ExchangeDialog exporting(Mode::Export, db.context(), prompt, files);
    EXPECT_EQ(exporting.windowTitle(), QStringLiteral("Export Systemtabellen"));
    run(exporting, path);
    EXPECT_EQ(files.requests().back().mode, FileChooser::Mode::Save);
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Export wurde abgeschlossen!")});
    EXPECT_EQ(exporting.result(), QDialog::Accepted);
    EXPECT_GT(QFile(path).size(), 0);

    ASSERT_TRUE(db.rawExec("UPDATE T_NAEHRSTOFFE SET BEZ_DE = 'Geändert' WHERE ID = 1"));
    ExchangeDialog importing(Mode::Import, db.context(), prompt, files);
    EXPECT_EQ(importing.windowTitle(), QStringLiteral("Import Systemtabellen"));
    std::pair<int, int> last;
    QObject::connect(&importing, &ExchangeDialog::progressed, [&last](int done, int total) {
        last = {done, total};
    });
    run(importing, path);
    EXPECT_EQ(files.requests().back().mode, FileChooser::Mode::Open);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import wurde abgeschlossen!"));
    EXPECT_EQ(importing.result(), QDialog::Accepted);
    EXPECT_GT(last.second, 0);
    EXPECT_EQ(last.first, last.second);
    EXPECT_NE(db.rawValue("SELECT BEZ_DE FROM T_NAEHRSTOFFE WHERE ID = 1"), QStringLiteral("Geändert"));
}

TEST_F(ExchangeDialogTest, ACancelledFileDialogDoesNothing)
{
    ExchangeDialog dialog(Mode::Export, db.context(), prompt, files);
    run(dialog, QString());
    EXPECT_TRUE(dialog.path().isEmpty());
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Bitte geben Sie einen Dateinamen an!")});
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ExchangeDialogTest, CancelInTheProgressDialogLeavesTheDatabaseUnchanged)
{
    ExchangeDialog exporting(Mode::Export, db.context(), prompt, files);
    run(exporting, path);
    const QStringList before = snapshot();

    ExchangeDialog dialog(Mode::Import, db.context(), prompt, files);
    // The user presses Cancel a few records in.
    QObject::connect(&dialog, &ExchangeDialog::progressed, [&dialog](int done, int) {
        if (done == 3)
            dialog.findChild<QProgressDialog*>()->cancel();
    });
    run(dialog, path);
    EXPECT_EQ(prompt.lastText(), QStringLiteral("Import abgebrochen. Die Datenbank wurde nicht verändert."));
    EXPECT_TRUE(snapshot() == before);
}

} // namespace
