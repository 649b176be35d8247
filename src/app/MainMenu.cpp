#include "app/MainMenu.h"

#include "core/Lang.h"

namespace MainMenu {

int menuResource(const QString& languageCode)
{
    return languageCode == Lang::German ? 128 : 129;
}

QList<Menu> menus(const QString& languageCode)
{
    const bool de = menuResource(languageCode) == 128;
    auto s = [de](const char* german, const char* english) {
        return de ? QString::fromUtf8(german) : QString::fromUtf8(english);
    };
    const Entry separator{0, QString()};
    return {
        {s("&Datei", "&File"), 0, {{Exit, s("&Beenden", "&Exit")}}},
        {s("Systemdaten", "Systemdata"), 0,
         {{de ? SystemExportDe : SystemExportUs, QStringLiteral("Export")},
          {de ? SystemImportDe : SystemImportUs, QStringLiteral("Import")},
          separator,
          {de ? SystemEditDe : SystemEditUs, s("Bearbeiten", "Edit")}}},
        {s("Futtermittel", "Feedstuff"), 0,
         {{ImportUserFeedstuffs, s("Import Benutzer Futtermittel", "Import User Feedstuff")},
          separator,
          {EditFeedstuffs, s("Bearbeiten", "Edit")}}},
        {s("Rationsberechnung", "Ration"), Ration, {}},
        {s("Sprache", "Language"), 0, {{German, s("Deutsch", "German")}, {English, s("Englisch", "English")}}},
        {s("&Ansicht", "&View"), 0,
         {{ToggleToolbar, s("&Symbolleiste", "&Toolbar")}, {ToggleStatusBar, s("Status&leiste", "Statusbar")}}},
        {s("&Fenster", "&Window"), 0,
         {{Cascade, s("Über&lappend", "Overlapped")},
          {TileHorizontal, s("&Nebeneinander", "Tile horizontal")},
          {TileVertical, s("&Untereinander", "Tile vertical")},
          {ArrangeIcons, s("&Symbole anordnen", "Arrange Symbols")}}},
        {s("&Hilfe", "&Help"), 0,
         {{de ? UserHelpDe : UserHelpUs, s("Benutzerhilfe", "Userhelp")},
          {HelpTopics, s("Hilfe&themen", "Helpfinder")},
          separator,
          {About, s("&Info über Mensoly...", "&About Mensoly...")},
          {de ? InfoDe : InfoUs, QStringLiteral("Info")}}},
    };
}

} // namespace MainMenu
