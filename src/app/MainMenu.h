#pragma once

#include <QList>
#include <QString>

// The menu bar of the main window: the German menu or the English menu, each
// entry naming the main window's action it shows and the command identifier
// that action carries as its data.
namespace MainMenu {

struct Entry
{
    QString action; // object name of the action; empty for a separator
    int id = 0;
    QString text;
};

struct Menu
{
    QString title;
    // A top-level command instead of a drop-down: its action and identifier.
    QString action;
    int commandId = 0;
    QList<Entry> entries;
};

// The German menu when the code is "DE", the English menu for any other code.
QList<Menu> menus(const QString& languageCode);

} // namespace MainMenu
