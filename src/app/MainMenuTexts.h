#pragma once

#include "core/Lang.h"

// The main menu's titles and entries.
namespace MainMenuTexts {

inline constexpr Lang::Text FileMenu{"&Datei", "&File"};
inline constexpr Lang::Text PracticeDetails{"Praxisdaten…", "Practice details…"};
inline constexpr Lang::Text CheckDatabase{"Datenbank prüfen…", "Check database…"};
inline constexpr Lang::Text Backup{"Sicherungskopie…", "Backup…"};
inline constexpr Lang::Text Exit{"&Beenden", "&Exit"};
inline constexpr Lang::Text SystemDataMenu{"Systemdaten", "Systemdata"};
inline constexpr Lang::Text Edit{"Bearbeiten", "Edit"};
inline constexpr Lang::Text FeedstuffMenu{"Futtermittel", "Feedstuff"};
inline constexpr Lang::Text ImportUserFeedstuffs{"Import Benutzer Futtermittel", "Import User Feedstuff"};
inline constexpr Lang::Text RationMenu{"Rationsberechnung", "Ration"};
inline constexpr Lang::Text LanguageMenu{"Sprache", "Language"};
inline constexpr Lang::Text German{"Deutsch", "German"};
inline constexpr Lang::Text English{"Englisch", "English"};
inline constexpr Lang::Text ViewMenu{"&Ansicht", "&View"};
inline constexpr Lang::Text Toolbar{"&Symbolleiste", "&Toolbar"};
inline constexpr Lang::Text StatusBar{"Status&leiste", "Statusbar"};
inline constexpr Lang::Text WindowMenu{"&Fenster", "&Window"};
inline constexpr Lang::Text Cascade{"Über&lappend", "Overlapped"};
inline constexpr Lang::Text TileHorizontal{"&Nebeneinander", "Tile horizontal"};
inline constexpr Lang::Text TileVertical{"&Untereinander", "Tile vertical"};
inline constexpr Lang::Text ArrangeIcons{"&Symbole anordnen", "Arrange Symbols"};
inline constexpr Lang::Text HelpMenu{"&Hilfe", "&Help"};
inline constexpr Lang::Text UserHelp{"Benutzerhilfe", "Userhelp"};
inline constexpr Lang::Text HelpTopics{"Hilfe&themen", "Helpfinder"};
inline constexpr Lang::Text About{"&Info über Mensoly...", "&About Mensoly..."};

} // namespace MainMenuTexts
