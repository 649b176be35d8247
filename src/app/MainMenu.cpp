#include "app/MainMenu.h"

#include "core/Lang.h"

namespace MainMenu {

namespace {

// Each command's identifier, which its action carries as its data.
enum Command {
    Exit = 57665,
    SystemExportDe = 32791,
    SystemImportDe = 32792,
    SystemEditDe = 32793,
    SystemExportUs = 32794,
    SystemImportUs = 32795,
    SystemEditUs = 32796,
    ImportUserFeedstuffs = 32782,
    EditFeedstuffs = 32783,
    Ration = 32775,
    German = 32778,
    English = 32779,
    ToggleToolbar = 59392,
    ToggleStatusBar = 59393,
    Cascade = 57650,
    TileHorizontal = 57652,
    TileVertical = 57651,
    ArrangeIcons = 57649,
    UserHelpDe = 32789,
    UserHelpUs = 32790,
    HelpTopics = 57667,
    About = 57664,
    InfoDe = 32787,
    InfoUs = 32786,
    Backup = 32797,
    CheckDatabase = 32798
};

Entry entry(const char* action, int id, const QString& text)
{
    return {QString::fromLatin1(action), id, text};
}

} // namespace

QList<Menu> menus(const QString& languageCode)
{
    const bool de = languageCode == Lang::German;
    auto s = [de](const char* german, const char* english) {
        return de ? QString::fromUtf8(german) : QString::fromUtf8(english);
    };
    const Entry separator;
    return {
        {s("&Datei", "&File"),
         {},
         0,
         {entry("actionCheckDatabase", CheckDatabase, s("Datenbank prüfen…", "Check database…")),
          entry("actionBackup", Backup, s("Sicherungskopie…", "Backup…")), separator,
          entry("actionExit", Exit, s("&Beenden", "&Exit"))}},
        {s("Systemdaten", "Systemdata"),
         {},
         0,
         {entry("actionSystemExport", de ? SystemExportDe : SystemExportUs, QStringLiteral("Export")),
          entry("actionSystemImport", de ? SystemImportDe : SystemImportUs, QStringLiteral("Import")),
          separator, entry("actionSystemEdit", de ? SystemEditDe : SystemEditUs, s("Bearbeiten", "Edit"))}},
        {s("Futtermittel", "Feedstuff"),
         {},
         0,
         {entry("actionImportUserFeedstuffs", ImportUserFeedstuffs,
                s("Import Benutzer Futtermittel", "Import User Feedstuff")),
          separator, entry("actionEditFeedstuffs", EditFeedstuffs, s("Bearbeiten", "Edit"))}},
        {s("Rationsberechnung", "Ration"), QStringLiteral("actionRation"), Ration, {}},
        {s("Sprache", "Language"),
         {},
         0,
         {entry("actionGerman", German, s("Deutsch", "German")),
          entry("actionEnglish", English, s("Englisch", "English"))}},
        {s("&Ansicht", "&View"),
         {},
         0,
         {entry("actionToolbar", ToggleToolbar, s("&Symbolleiste", "&Toolbar")),
          entry("actionStatusBar", ToggleStatusBar, s("Status&leiste", "Statusbar"))}},
        {s("&Fenster", "&Window"),
         {},
         0,
         {entry("actionCascade", Cascade, s("Über&lappend", "Overlapped")),
          entry("actionTileHorizontal", TileHorizontal, s("&Nebeneinander", "Tile horizontal")),
          entry("actionTileVertical", TileVertical, s("&Untereinander", "Tile vertical")),
          entry("actionArrangeIcons", ArrangeIcons, s("&Symbole anordnen", "Arrange Symbols"))}},
        {s("&Hilfe", "&Help"),
         {},
         0,
         {entry("actionUserHelp", de ? UserHelpDe : UserHelpUs, s("Benutzerhilfe", "Userhelp")),
          entry("actionHelpTopics", HelpTopics, s("Hilfe&themen", "Helpfinder")), separator,
          entry("actionAbout", About, s("&Info über Mensoly...", "&About Mensoly...")),
          entry("actionInfo", de ? InfoDe : InfoUs, QStringLiteral("Info"))}},
    };
}

} // namespace MainMenu
