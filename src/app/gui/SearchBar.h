#pragma once

#include "DockBar.h"
#include "SearchBarLogic.h"

class CAdo;
class QBoxLayout;

// The search bar docked at the top of the main window: species and sex lists,
// owner, patient and recipe texts, the search button and the new-case
// button. Every control carries its identifier as object name and as the
// property "controlId".
class SearchBar : public DockBar
{
    Q_OBJECT

public:
    SearchBar(const QString& languageCode, CAdo& db, QWidget* parent = nullptr);

    const SearchBarLogic& logic() const { return m_logic; }
    // The control with an identifier of SearchBarLogic::Control, or null.
    QWidget* control(int id) const;

signals:
    void searchClicked();
    void newCaseClicked();

private:
    QWidget* makeControl(int id);
    void followDockArea(Qt::DockWidgetArea area);

    SearchBarLogic m_logic;
    QBoxLayout* m_row = nullptr;
};
