#include "exchange/gui/LegacyImportDialog.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

const QString Fixtures = QStringLiteral(MENSOLY_LEGACY_FIXTURES);

QString buttonText(QDialog& dialog, const char* name)
{
    return dialog.findChild<QPushButton*>(QLatin1String(name))->text();
}

TEST(LegacyImportDialogTest, TextsFollowTheLanguage)
{
    const struct
    {
        const char* language;
        const char* file;
        const char* run;
        const char* cancel;
    } cases[] = {{"DE", "durchsuchen", "Importieren", "Abbrechen"}, {"US", "Search", "Import", "Cancel"}};
    for (const auto& c : cases) {
        TestDatabase db(TestDatabase::Data::Shipped, QLatin1String(c.language));
        RecordingPrompt prompt;
        RecordingFileChooser files;
        LegacyImportDialog dialog(db.context(), prompt, files);
        EXPECT_EQ(dialog.windowTitle(),
                  QStringLiteral("Import Benutzerfuttermittel aus Mensoly Version 2.0"));
        EXPECT_EQ(buttonText(dialog, "fileButton"), QLatin1String(c.file));
        EXPECT_EQ(buttonText(dialog, "runButton"), QLatin1String(c.run));
        EXPECT_EQ(buttonText(dialog, "cancelButton"), QLatin1String(c.cancel));
    }
}

TEST(LegacyImportDialogTest, ImportsTheChosenDatabaseAndStaysOpen)
{
    if (!QDir(Fixtures).exists())
        GTEST_SKIP() << "no legacy fixtures";
    TestDatabase db(TestDatabase::Data::Shipped);
    RecordingPrompt prompt;
    RecordingFileChooser files;
    LegacyImportDialog dialog(db.context(), prompt, files);
    dialog.findChild<QPushButton*>(QStringLiteral("runButton"))->click();
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Bitte wählen Sie eine Datenbank aus")});

    files.setNextAnswer(Fixtures + QStringLiteral("/jet4/Darire32.mdb"));
    dialog.findChild<QPushButton*>(QStringLiteral("fileButton"))->click();
    EXPECT_EQ(files.requests().back().mode, FileChooser::Mode::Open);
    EXPECT_EQ(files.requests().back().filter, QString());
    dialog.findChild<QPushButton*>(QStringLiteral("runButton"))->click();
    EXPECT_TRUE(prompt.lastText().startsWith(
        QStringLiteral("Futtermittel aus Mensoly Version 2.0 wurden übernommen")))
        << prompt.lastText().toStdString();
    const QProgressBar* progress = dialog.findChild<QProgressBar*>(QStringLiteral("progress"));
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN = 'U'")),
              QStringLiteral("6"));
    EXPECT_EQ(dialog.result(), 0);
}

} // namespace
