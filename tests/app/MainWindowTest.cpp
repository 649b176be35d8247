#include "app/gui/MainWindow.h"
#include "ShownMainWindow.h"
#include "app/ApplicationStartup.h"
#include "app/gui/DatabaseCheckDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/PracticeDetailsDialog.h"
#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "exchange/gui/ExchangeDialog.h"
#include "output/PracticeDetails.h"
#include "support/QtPrinters.h"
#include "support/TestBackend.h"
#include "support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The menu bar as "title|id text|id text..." lines, read from the widgets.
QStringList menuBarLines(MainWindow& window)
{
    QStringList lines;
    for (QAction* top : window.menuBar()->actions()) {
        QString line = top->text();
        if (QMenu* menu = top->menu()) {
            for (QAction* action : menu->actions())
                line += action->isSeparator()
                            ? QStringLiteral("|-")
                            : QStringLiteral("|%1 %2").arg(action->data().toInt()).arg(action->text());
        } else {
            line += QStringLiteral("|%1").arg(top->data().toInt());
        }
        lines << line;
    }
    return lines;
}

TEST(MainWindowTest, TheGermanMenuCarriesItsTextsAndCommandIdentifiers)
{
    TestDatabase fixture;
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    EXPECT_EQ(
        menuBarLines(window),
        (QStringList{
            QStringLiteral(
                "&Datei|32799 Praxisdaten…|-|32798 Datenbank prüfen…|32797 Sicherungskopie…|-|57665 &Beenden"),
            QStringLiteral("Systemdaten|32791 Export|32792 Import|-|32793 Bearbeiten"),
            QStringLiteral("Futtermittel|32782 Import Benutzer Futtermittel|-|32783 Bearbeiten"),
            QStringLiteral("Rationsberechnung|32775"),
            QStringLiteral("Sprache|32778 Deutsch|32779 Englisch"),
            QStringLiteral("&Ansicht|59392 &Symbolleiste|59393 Status&leiste"),
            QStringLiteral(
                "&Fenster|57650 Über&lappend|57652 &Nebeneinander|57651 &Untereinander|57649 &Symbole anordnen"),
            QStringLiteral(
                "&Hilfe|32789 Benutzerhilfe|57667 Hilfe&themen|-|57664 &Info über Mensoly...|32787 Info"),
        }));
    EXPECT_TRUE(menuAction(window, "actionGerman")->isChecked());
    EXPECT_FALSE(menuAction(window, "actionEnglish")->isChecked());
    // On a server the title names its place (here the cluster's socket), not the data directory.
    const QString place = TestBackend::isPostgreSql() ? TestBackend::clusterDirectory() : fixture.directory();
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Mensoly - ") + place))
        << window.windowTitle().toStdString();
}

TEST(MainWindowTest, TheEnglishMenuCarriesItsTextsAndCommandIdentifiers)
{
    TestDatabase fixture(TestDatabase::Data::Fixture, QStringLiteral("US"));
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    EXPECT_EQ(
        menuBarLines(window),
        (QStringList{
            QStringLiteral(
                "&File|32799 Practice details…|-|32798 Check database…|32797 Backup…|-|57665 &Exit"),
            QStringLiteral("Systemdata|32794 Export|32795 Import|-|32796 Edit"),
            QStringLiteral("Feedstuff|32782 Import User Feedstuff|-|32783 Edit"),
            QStringLiteral("Ration|32775"),
            QStringLiteral("Language|32778 German|32779 English"),
            QStringLiteral("&View|59392 &Toolbar|59393 Statusbar"),
            QStringLiteral(
                "&Window|57650 Overlapped|57652 Tile horizontal|57651 Tile vertical|57649 Arrange Symbols"),
            QStringLiteral("&Help|32790 Userhelp|57667 Helpfinder|-|57664 &About Mensoly...|32786 Info"),
        }));
    EXPECT_FALSE(menuAction(window, "actionGerman")->isChecked());
    EXPECT_TRUE(menuAction(window, "actionEnglish")->isChecked());
}

TEST(MainWindowTest, EveryEntryIsAnActionOfTheWindowNamedByItsRole)
{
    TestDatabase fixture;
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    QStringList names;
    QStringList disabled;
    for (QAction* top : window.menuBar()->actions()) {
        const QList<QAction*> entries = top->menu() ? top->menu()->actions() : QList<QAction*>{top};
        for (QAction* action : entries) {
            if (action->isSeparator())
                continue;
            EXPECT_EQ(action->parent(), &window) << qPrintable(action->objectName());
            names << action->objectName();
            if (!action->isEnabled())
                disabled << action->objectName();
        }
    }
    EXPECT_EQ(
        names,
        (QStringList{
            "actionPracticeDetails", "actionCheckDatabase", "actionBackup",     "actionExit",
            "actionSystemExport",    "actionSystemImport",  "actionSystemEdit", "actionImportUserFeedstuffs",
            "actionEditFeedstuffs",  "actionRation",        "actionGerman",     "actionEnglish",
            "actionToolbar",         "actionStatusBar",     "actionCascade",    "actionTileHorizontal",
            "actionTileVertical",    "actionArrangeIcons",  "actionUserHelp",   "actionHelpTopics",
            "actionAbout",           "actionInfo"}));
    EXPECT_EQ(disabled, (QStringList{"actionToolbar"}));
}

TEST(MainWindowTest, SwitchingLanguageMovesTheMarkStoresTheCodeAndKeepsTheMenu)
{
    TestDatabase fixture;
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    ASSERT_TRUE(triggerAction(window, "actionEnglish"));
    EXPECT_TRUE(menuAction(window, "actionEnglish")->isChecked());
    EXPECT_FALSE(menuAction(window, "actionGerman")->isChecked());
    EXPECT_EQ(fixture.context().languageCode(), QStringLiteral("US"));
    // On a server the workstation keeps it; the settings row stays the others' default.
    const bool server = TestBackend::isPostgreSql();
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC")),
              server ? QStringLiteral("DE") : QStringLiteral("US"));
    EXPECT_EQ(ApplicationStartup::readWorkstationLanguage(fixture.directory()),
              server ? QStringLiteral("US") : QString());
    EXPECT_EQ(window.menuBar()->actions().first()->text(), QStringLiteral("&Datei"));
    EXPECT_TRUE(prompt.texts().isEmpty());
}

// Qt's own buttons and dialogs speak the program's language and switch with it.
TEST(MainWindowTest, QtsOwnTextsFollowTheLanguage)
{
    const struct
    {
        const char* context;
        const char* english;
        const char* german;
    } texts[] = {
        {"QPlatformTheme", "&Yes", "&Ja"},
        {"QPlatformTheme", "&No", "&Nein"},
        {"QPlatformTheme", "Cancel", "Abbrechen"},
        {"QPrintDialog", "Print", "Drucken"},
    };
    const auto expectLanguage = [&texts](bool german) {
        for (const auto& t : texts)
            EXPECT_EQ(QCoreApplication::translate(t.context, t.english).toStdString(),
                      german ? t.german : t.english)
                << t.english;
    };
    TestDatabase fixture;
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    expectLanguage(true);
    ASSERT_TRUE(triggerAction(window, "actionEnglish"));
    expectLanguage(false);
    ASSERT_TRUE(triggerAction(window, "actionGerman"));
    expectLanguage(true);
}

TEST(MainWindowTest, ARejectedLanguageUpdateShowsTheMessageAndTheRunGoesOnInTheNewLanguage)
{
    TestDatabase fixture;
    ASSERT_TRUE(fixture.addTrigger(QStringLiteral("refuse"), QStringLiteral("BEFORE UPDATE"),
                                   QStringLiteral("T_MSYV3SEC")));
    // On a server the workstation's file cannot be written: a folder has its name.
    ASSERT_TRUE(QDir(fixture.directory()).mkdir(QStringLiteral("Mensoly.ini")));
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    ASSERT_TRUE(triggerAction(window, "actionEnglish"));
    EXPECT_EQ(prompt.texts(), QStringList{QStringLiteral("Language could not be updated")});
    EXPECT_TRUE(menuAction(window, "actionEnglish")->isChecked());
    EXPECT_EQ(fixture.context().languageCode(), QStringLiteral("US"));
    EXPECT_EQ(fixture.rawValue(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC")), QStringLiteral("DE"));
}

using SystemDataMenu = ShownMainWindow;

// Both entries of the system data menu open the exchange dialog, modal, in
// their mode; the window's file chooser is the one the dialog asks.
TEST_F(SystemDataMenu, ExportAndImportOpenTheExchangeDialogInTheirMode)
{
    open(QStringLiteral("US"));
    RecordingFileChooser files;
    window->setFileChooser(files);
    for (const auto& [action, mode] : {std::pair{"actionSystemExport", ExchangeDialog::Mode::Export},
                                       std::pair{"actionSystemImport", ExchangeDialog::Mode::Import}}) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<ExchangeDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            seen = true;
            EXPECT_EQ(dialog->mode(), mode);
            dialog->chooseFile();
            dialog->reject();
        });
        ASSERT_TRUE(triggerAction(*window, action));
        EXPECT_TRUE(seen) << action;
    }
    ASSERT_EQ(files.requests().size(), 2u);
    EXPECT_EQ(files.requests()[0].mode, FileChooser::Mode::Save);
    EXPECT_EQ(files.requests()[1].mode, FileChooser::Mode::Open);
}

// The dialogs' notes say where the automatic copy goes, and File > Backup
// writes a copy where the user chose.
TEST_F(SystemDataMenu, BackupWritesTheChosenCopyAndTheImportNoteNamesTheCopiesFolder)
{
    SKIP_ON_POSTGRESQL("the backup copies the SQLite file");
    open(QStringLiteral("US"));
    RecordingFileChooser files;
    window->setFileChooser(files);
    const QString copy = fixture->directory() + QStringLiteral("/copy.mdb");
    files.setNextAnswer(copy);
    ASSERT_TRUE(triggerAction(*window, "actionBackup"));
    ASSERT_EQ(files.requests().size(), 1u);
    EXPECT_EQ(files.requests()[0].caption, QStringLiteral("Backup"));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("The backup copy has been made:\n") + copy);
    EXPECT_EQ(TestDatabase::rawValueIn(copy, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));

    ExchangeDialog dialog(ExchangeDialog::Mode::Import, fixture->context(), prompt, files);
    EXPECT_TRUE(
        dialog.findChild<QLabel*>(QStringLiteral("note"))
            ->text()
            .endsWith(
                QStringLiteral(
                    "A backup copy of the database (MensolyVers3.mdb) is made before the import, in:\n") +
                fixture->directory()));
}

// File > "Praxisdaten…": the labels in the user's language; what is typed
// and the logo chosen reach the database through "Speichern".
TEST_F(SystemDataMenu, PracticeDetailsAreTypedChosenAndStored)
{
    const std::pair<const char*, const char*> cases[] = {
        {"DE", "Praxisname|Adresse (Zeile 1)|Adresse (Zeile 2)|Telefon|E-Mail|Internetadresse|Logo|"
               "Logo wählen…|Logo entfernen|Speichern|Abbrechen"},
        {"US", "Practice name|Address (line 1)|Address (line 2)|Phone|E-mail|Web address|Logo|"
               "Choose logo…|Remove logo|Save|Cancel"},
    };
    for (const auto& [language, texts] : cases) {
        open(QString::fromLatin1(language));
        RecordingFileChooser files;
        window->setFileChooser(files);
        QTemporaryDir dir;
        QImage image(300, 100, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(dir.filePath(QStringLiteral("logo.png"))));
        files.setNextAnswer(dir.filePath(QStringLiteral("logo.png")));
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<PracticeDetailsDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            auto* form = dialog->findChild<QFormLayout*>();
            auto* box = dialog->findChild<QDialogButtonBox*>();
            auto* remove = dialog->findChild<QPushButton*>(QStringLiteral("removeLogo"));
            auto* choose = dialog->findChild<QPushButton*>(QStringLiteral("chooseLogo"));
            QStringList shown;
            for (int row = 0; row < form->rowCount(); ++row)
                shown << qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())->text();
            shown << choose->text() << remove->text() << box->button(QDialogButtonBox::Save)->text()
                  << box->button(QDialogButtonBox::Cancel)->text();
            EXPECT_EQ(shown.join(QLatin1Char('|')), QString::fromUtf8(texts));
            EXPECT_FALSE(remove->isEnabled());
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("name")), QStringLiteral("O'Neil"));
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("web")),
                             QStringLiteral("a.example"));
            choose->click();
            EXPECT_TRUE(remove->isEnabled());
            EXPECT_FALSE(dialog->findChild<QLabel*>(QStringLiteral("logo"))->pixmap().isNull());
            box->button(QDialogButtonBox::Save)->click();
        });
        ASSERT_TRUE(triggerAction(*window, "actionPracticeDetails"));
        const std::optional<PracticeDetails> stored = PracticeDetailsStore::read(fixture->context());
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->name, QStringLiteral("O'Neil"));
        EXPECT_EQ(stored->contactLine(), QStringLiteral("a.example"));
        EXPECT_EQ(QImage::fromData(stored->logo).size(), QSize(300, 100));
        EXPECT_EQ(files.requests().size(), 1u);
    }
}

// "Datenbank prüfen": the findings in the user's language, the repair button
// only while something may be repaired, and the check again after it.
TEST(MainWindowTest, TheDatabaseCheckListsFindingsAndRepairsAnIndex)
{
    TestDatabase fixture(TestDatabase::Data::Shipped);
    ASSERT_TRUE(fixture.rawExec(QStringLiteral("DROP INDEX IX_FM_KAT_FM")));
    RecordingPrompt prompt;
    DatabaseCheckDialog dialog(fixture.context(), prompt);
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("findings"));
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("status"));
    auto* repair = dialog.findChild<QPushButton*>(QStringLiteral("repair"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenbank prüfen"));
    EXPECT_EQ(repair->text(), QStringLiteral("Reparieren"));
    dialog.runChecks();
    const auto problems = [list] {
        QStringList texts;
        for (int row = 0; row < list->count(); ++row) {
            if (!list->item(row)->text().contains(QStringLiteral("Datenbankserver")))
                texts << list->item(row)->text();
        }
        return texts;
    };
    EXPECT_EQ(problems(), QStringList{QStringLiteral("Fehlende Indizes: 1\nBetroffen: IX_FM_KAT_FM")});
    EXPECT_EQ(status->text(), QStringLiteral("1 Problem gefunden."));
    // Every check ran: the bar stands at its end.
    const auto* progress = dialog.findChild<QProgressBar*>(QStringLiteral("progress"));
    EXPECT_GT(progress->maximum(), 0);
    EXPECT_EQ(progress->value(), progress->maximum());
    ASSERT_TRUE(repair->isEnabled());
    repair->click();
    EXPECT_EQ(problems(), QStringList());
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("Repariert"))) << status->text().toStdString();
    EXPECT_TRUE(status->text().endsWith(QStringLiteral("Die Datenbank ist in Ordnung.")));
    EXPECT_FALSE(repair->isEnabled());
}

TEST(MainWindowTest, TheStatusBarStartsHiddenAndToggles)
{
    TestDatabase fixture;
    RecordingPrompt prompt;
    MainWindow window(fixture.context(), prompt);
    window.show();
    EXPECT_FALSE(window.statusBar()->isVisible());
    triggerAction(window, "actionStatusBar");
    EXPECT_TRUE(window.statusBar()->isVisible());
    EXPECT_FALSE(menuAction(window, "actionToolbar")->isEnabled());
}

// Takes the files the program hands to the desktop, so that no viewer starts.
class OpenedFiles : public QObject
{
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

QString firstHeading(const QTextBrowser& browser)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        if (block.blockFormat().headingLevel() > 0)
            return block.text();
    return QString();
}

TEST(MainWindowTest, HelpOpensThePracticesDocumentWhenThereIsOneAndTheShippedManualOtherwise)
{
    const struct
    {
        const char* code;
        const char* action;
        const char* present; // file in the data directory, or null
        const char* heading; // the manual shown, or null when the file is opened
    } cases[] = {
        {"DE", "actionUserHelp", nullptr, "Mensoly Benutzerhandbuch"},
        {"DE", "actionUserHelp", "Handbuch.doc", nullptr},
        {"DE", "actionHelpTopics", "HelpMSY.doc", "Mensoly Benutzerhandbuch"},
        {"US", "actionHelpTopics", nullptr, "Mensoly User Manual"},
        {"US", "actionHelpTopics", "HelpMSY.doc", nullptr},
        {"US", "actionUserHelp", nullptr, "Mensoly User Manual"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.action + " " + (c.present ? c.present : "-"));
        TestDatabase fixture(TestDatabase::Data::Fixture, QString::fromLatin1(c.code));
        ASSERT_TRUE(fixture.isValid()) << qPrintable(fixture.error());
        QTemporaryDir dataDirectory;
        fixture.context().setDataDirectory(dataDirectory.path());
        const QString path =
            QDir(dataDirectory.path()).filePath(QString::fromLatin1(c.present ? c.present : ""));
        if (c.present) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        RecordingPrompt prompt;
        MainWindow window(fixture.context(), prompt);
        OpenedFiles opened;
        ASSERT_TRUE(triggerAction(window, c.action));
        if (!c.heading) {
            EXPECT_EQ(opened.urls, QList<QUrl>{QUrl::fromLocalFile(QDir::toNativeSeparators(path))});
            EXPECT_EQ(window.helpWindow(), nullptr);
            continue;
        }
        EXPECT_TRUE(opened.urls.isEmpty());
        ASSERT_NE(window.helpWindow(), nullptr);
        EXPECT_TRUE(window.helpWindow()->isVisible());
        EXPECT_EQ(firstHeading(*window.helpWindow()->browser()), QString::fromUtf8(c.heading));
    }
}

TEST(MainWindowTest, TheHelpWindowShowsTheManualWithItsContentsImagesAndLinks)
{
    HelpWindow window(QStringLiteral("DE"));
    window.showDocument(QUrl(QStringLiteral("qrc:/help/manual/de/mensoly.md")));
    HelpBrowser& browser = *window.browser();
    EXPECT_EQ(firstHeading(browser), QStringLiteral("Mensoly Benutzerhandbuch"));

    // Every image the manual shows loads, no wider than the page.
    int images = 0;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            ++images;
            const QUrl url = browser.source().resolved(QUrl(format.toImageFormat().name()));
            const QImage image = browser.loadResource(QTextDocument::ImageResource, url).value<QImage>();
            EXPECT_FALSE(image.isNull()) << qPrintable(url.toString());
            EXPECT_LE(image.width(), 900) << qPrintable(url.toString());
        }
    EXPECT_EQ(images, 5);

    // The contents list the headings; each leads to its anchor.
    ASSERT_GT(window.contents()->count(), 10);
    EXPECT_EQ(window.contents()->item(0)->text(), QStringLiteral("Mensoly Benutzerhandbuch"));
    QStringList anchors;
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            anchors << it.fragment().charFormat().anchorNames();
    for (int i = 0; i < window.contents()->count(); ++i)
        EXPECT_TRUE(anchors.contains(window.contents()->item(i)->data(Qt::UserRole).toString()))
            << qPrintable(window.contents()->item(i)->text());

    // A link into the administrator's guide opens it at its heading.
    browser.setSource(browser.source().resolved(
        QUrl(QStringLiteral("../../admin/de/mensoly-admin.md#sicherung-und-wiederherstellung"))));
    EXPECT_EQ(browser.source().path(), QStringLiteral("/help/admin/de/mensoly-admin.md"));
    EXPECT_EQ(firstHeading(browser), QStringLiteral("Mensoly Handbuch für Administratoren: Klinikserver"));
}

} // namespace

#include "MainWindowTest.moc"
