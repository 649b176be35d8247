#include "app/MainMenu.h"

#include "app/MainMenuTexts.h"
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
    CheckDatabase = 32798,
    PracticeDetails = 32799
};

Entry entry(const char* action, int id, const QString& text)
{
    return {QString::fromLatin1(action), id, text};
}

} // namespace

QList<Menu> menus(const QString& languageCode)
{
    const bool de = languageCode == Lang::German;
    const Entry separator;
    return {
        {MainMenuTexts::FileMenu.in(languageCode),
         {},
         0,
         {entry("actionPracticeDetails", PracticeDetails, MainMenuTexts::PracticeDetails.in(languageCode)),
          separator,
          entry("actionCheckDatabase", CheckDatabase, MainMenuTexts::CheckDatabase.in(languageCode)),
          entry("actionBackup", Backup, MainMenuTexts::Backup.in(languageCode)), separator,
          entry("actionExit", Exit, MainMenuTexts::Exit.in(languageCode))}},
        {MainMenuTexts::SystemDataMenu.in(languageCode),
         {},
         0,
         {entry("actionSystemExport", de ? SystemExportDe : SystemExportUs, QStringLiteral("Export")),
          entry("actionSystemImport", de ? SystemImportDe : SystemImportUs, QStringLiteral("Import")),
          separator,
          entry("actionSystemEdit", de ? SystemEditDe : SystemEditUs, MainMenuTexts::Edit.in(languageCode))}},
        {MainMenuTexts::FeedstuffMenu.in(languageCode),
         {},
         0,
         {entry("actionImportUserFeedstuffs", ImportUserFeedstuffs,
                MainMenuTexts::ImportUserFeedstuffs.in(languageCode)),
          separator, entry("actionEditFeedstuffs", EditFeedstuffs, MainMenuTexts::Edit.in(languageCode))}},
        {MainMenuTexts::RationMenu.in(languageCode), QStringLiteral("actionRation"), Ration, {}},
        {MainMenuTexts::LanguageMenu.in(languageCode),
         {},
         0,
         {entry("actionGerman", German, MainMenuTexts::German.in(languageCode)),
          entry("actionEnglish", English, MainMenuTexts::English.in(languageCode))}},
        {MainMenuTexts::ViewMenu.in(languageCode),
         {},
         0,
         {entry("actionToolbar", ToggleToolbar, MainMenuTexts::Toolbar.in(languageCode)),
          entry("actionStatusBar", ToggleStatusBar, MainMenuTexts::StatusBar.in(languageCode))}},
        {MainMenuTexts::WindowMenu.in(languageCode),
         {},
         0,
         {entry("actionCascade", Cascade, MainMenuTexts::Cascade.in(languageCode)),
          entry("actionTileHorizontal", TileHorizontal, MainMenuTexts::TileHorizontal.in(languageCode)),
          entry("actionTileVertical", TileVertical, MainMenuTexts::TileVertical.in(languageCode)),
          entry("actionArrangeIcons", ArrangeIcons, MainMenuTexts::ArrangeIcons.in(languageCode))}},
        {MainMenuTexts::HelpMenu.in(languageCode),
         {},
         0,
         {entry("actionUserHelp", de ? UserHelpDe : UserHelpUs, MainMenuTexts::UserHelp.in(languageCode)),
          entry("actionHelpTopics", HelpTopics, MainMenuTexts::HelpTopics.in(languageCode)), separator,
          entry("actionAbout", About, MainMenuTexts::About.in(languageCode)),
          entry("actionInfo", de ? InfoDe : InfoUs, QStringLiteral("Info"))}},
    };
}

} // namespace MainMenu
