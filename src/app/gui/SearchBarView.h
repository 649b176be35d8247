#pragma once

#include "app/SearchBar.h"
#include "ui/gui/DockBar.h"

class Connection;
class QBoxLayout;

// The search bar docked at the top of the main window: species and sex lists,
// owner, patient and recipe texts, the search button and the new-case
// button. Every control carries its role as object name ("searchButton") and
// its identifier as the property "controlId".
class SearchBarView : public DockBar
{
    Q_OBJECT

public:
    SearchBarView(const QString& languageCode, Connection& db, QWidget* parent = nullptr);

    const SearchBar& logic() const { return m_logic; }
    // The control with an identifier of SearchBar::Control, or null.
    QWidget* control(int id) const;

signals:
    void searchClicked();
    void newCaseClicked();

private:
    QWidget* makeControl(int id);
    void followDockArea(Qt::DockWidgetArea area);

    SearchBar m_logic;
    QBoxLayout* m_row = nullptr;
};
