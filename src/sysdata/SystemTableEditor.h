#pragma once

#include "core/Prompt.h"
#include "db/ChoiceList.h"
#include "sysdata/EditableColumn.h"
#include "sysdata/EditableTable.h"
#include "ui/GridModel.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class AppContext;
class Connection;
class RecordSet;

// The texts of the selector bar in a language.
struct SystemTableEditorLabels
{
    QString selectTable, furtherDetails, copy, remove, print;
};

// The system data editor without its widgets: the table list, the grid of the
// chosen table as T_GRUNDDATEN describes it, and the list of its dependent
// tables ("Weitere Angaben"). A window opened for a dependent table has a
// preset table and the key of the parent row as its filter value.
class SystemTableEditor : public QObject
{
    Q_OBJECT

public:
    static constexpr Rgb Background{204, 255, 255};
    static constexpr int HeaderRow = 0;
    // A row grows with its wrapped texts up to this height; a longer text
    // ends in "..." and shows whole in its tooltip and its cell editor.
    static constexpr int MaxRowHeight = 100;

    SystemTableEditor(AppContext& context, Prompt& prompt, int presetTable = 0,
                      const QString& filterValue = QString(), QObject* parent = nullptr);

    static SystemTableEditorLabels labels(const QString& languageCode);
    SystemTableEditorLabels labels() const;
    // "Systemdaten" / "Systemdata".
    static QString windowTitle(const QString& languageCode);
    // The title of a window opened from "Weitere Angaben", in both languages.
    static QString dependentWindowTitle();

    static QString tableListStatement(int presetTable, const QString& ownerCode);

    // The height in pixels a row needs to show a cell's text whole, wrapped
    // at its column's width. Only the widgets can measure text; they hand
    // their measure over before a table is loaded. Without one (the command
    // line, the logic tests) every row keeps the grid's row height.
    using CellHeight = std::function<int(const GridModel& grid, int row, int col)>;
    void setCellHeight(CellHeight measure) { m_cellHeight = std::move(measure); }
    // The table row of T_GRUNDDATEN with this number; empty without one.
    static EditableTable describe(Connection& db, int tableNumber);

    // Fills the table list; with a preset table chooses it at once.
    void open();

    const ChoiceList& tableList() const { return m_tables; }
    // Loads the table of this entry of the table list; nothing for -1.
    void userChoseTable(int index);
    // Loads the table with this number, offered or not.
    bool loadTable(int tableNumber);

    // "Weitere Angaben": shown only when the table has dependent tables.
    bool hasDependentTables() const { return m_dependents.count() > 0; }
    const ChoiceList& dependentList() const { return m_dependents; }
    struct DependentWindow
    {
        int table = 0;
        QString filterValue;
    };
    // What the window opened for this entry shows: the table and the key of
    // the grid's current row (none on the new-record row).
    std::optional<DependentWindow> userChoseDependent(int index);

    const EditableTable& table() const { return m_table; }
    const std::vector<EditableColumn>& columns() const { return m_columns; }
    int presetTable() const { return m_presetTable; }
    QString filterValue() const { return m_filterValue; }
    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    // The statement the rows come from, with the owner's and the parent row's
    // conditions; nothing when the filter value is not a key.
    std::optional<QString> rowStatement() const;
    bool isNewRecordRow(int row) const;
    // The key of a grid row: column 0, or column 1 behind a ROWNUM column.
    QString keyOf(int row) const;

    // Writes one column of one stored row; the text is checked first. False,
    // told through the prompt, when nothing was written.
    bool updateCell(int row, int col, const QString& text);
    // Inserts the new-record row from the texts typed into it; the database
    // gives the key. False, told unless nothing could be written, otherwise.
    bool insertRow(int row);
    // "Kopieren" and "Löschen" on the grid's current row.
    bool copyClicked();
    bool deleteClicked();

signals:
    // The lists or the grid were filled again.
    void changed();

private:
    QString code() const;
    void loadColumns();
    void loadRows();
    void fillEntries(EditableColumn& column);
    void fillRow(int row, const RecordSet& rs);
    void appendNewRecordRow();
    // The row as tall as its wrapped texts need, at most MaxRowHeight; a text
    // still longer gets its whole self as the cell's tooltip.
    void fitRowHeight(int row);
    void fillDependents(int tableNumber);
    void fillList(ChoiceList& list, const QString& query);
    void rememberRow(int row);
    void cellEdited(int row, int col, const QString& text);
    void cellClicked(int row, int col);
    void cellDoubleClicked(int row, int col);
    bool isTextKey() const;
    bool isFeedstuffTable() const;
    // The columns an insert or copy names: visible ones but the key the
    // database assigns.
    QStringList insertColumns() const;
    QString newKey(int row);
    // What still refers to the row with this key ("3 Bedarfsformeln, ..."); empty for nothing.
    QString usesOf(const QString& key);
    // Deletes the feedstuff of this row as the feedstuff editor does.
    bool deleteFeedstuff(int row, const QString& keyText);
    void removeGridRow(int row);

    AppContext& m_context;
    Prompt& m_prompt;
    int m_presetTable = 0;
    QString m_filterValue;
    ChoiceList m_tables, m_dependents;
    EditableTable m_table;
    std::vector<EditableColumn> m_columns;
    GridModel m_grid;
    // What each grid row shows of the database, so a refused or failed edit
    // can put the stored text back.
    std::vector<QStringList> m_stored;
    CellHeight m_cellHeight;
};
