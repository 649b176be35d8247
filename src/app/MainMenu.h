#pragma once

#include <QList>
#include <QString>

// The menu bar of the main window: the German menu 128 or the English menu
// 129, with the command identifiers the program dispatches on.
namespace MainMenu {

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
    InfoUs = 32786
};

struct Entry
{
    int id = 0;          // 0 for a separator
    QString text;
};

struct Menu
{
    QString title;
    int commandId = 0;   // a top-level command instead of a drop-down
    QList<Entry> entries;
};

// Menu 128 when the code is "DE", menu 129 for any other code.
int menuResource(const QString& languageCode);
QList<Menu> menus(const QString& languageCode);

} // namespace MainMenu
