#pragma once

#include "output/CaseSearchTarget.h"
#include "ui/GridModel.h"

#include <QObject>
#include <QString>
#include <QStringList>

class AppContext;
class Prompt;

// The case list of the result bar without its widget: the found cases as a
// grid with one heading row, opening a case and deleting one. The grid's
// clicked() signal drives it, so a view only shows the grid and passes the
// clicks on.
class CaseList : public QObject, public CaseSearchTarget
{
    Q_OBJECT

public:
    enum Column { KeyColumn, OwnerColumn, PatientColumn, DateColumn, TitleColumn, DeleteColumn, ColumnCount };
    static constexpr int HeadingRow = 0;
    static constexpr Rgb DeleteMarkColour{255, 0, 0};

    CaseList(AppContext& context, Prompt& prompt, QObject* parent = nullptr);

    // The six headings in the language's order of columns.
    static QStringList headings(const QString& languageCode);
    static int columnWidth(int column);
    // The statement a search runs.
    static QString searchStatement(const CaseSearchCriteria& criteria);

    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    // Listed cases, without the heading row.
    int caseCount() const { return m_grid.rowCount() - 1; }
    // The case key of a data row; empty for the heading row.
    QString caseKey(int row) const;

    // CaseSearchTarget: lists the matching cases in place of the former ones.
    void runSearch(const CaseSearchCriteria& criteria) override;

    // Asks, then deletes the case and its ration together; the row stays
    // listed unless both are gone. True when the case was deleted.
    bool deleteCase(int row);

signals:
    // A listed case is to open in a new case window.
    void openCaseRequested(const QString& caseKey);

private:
    void cellClicked(int row, int column);
    void startGrid();
    QString text(const char* german, const char* english) const;

    AppContext& m_context;
    Prompt& m_prompt;
    GridModel m_grid;
};
