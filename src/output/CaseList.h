#pragma once

#include "output/CaseSearchTarget.h"
#include "ui/GridTypes.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <map>
#include <vector>

class AppContext;
class Prompt;

// The case list of the result bar without its widget: the found cases as a
// table model, opening a case and deleting one. A practice keeps tens of
// thousands of cases, so a search reads only its first page; the rest is
// read page by page as the view asks for rows (fetchMore() while the number
// of cases is unknown, then any page the view scrolls to once countCases()
// has made every row exist).
class CaseList : public QAbstractTableModel, public CaseSearchTarget
{
    Q_OBJECT

public:
    enum Column { KeyColumn, OwnerColumn, PatientColumn, DateColumn, TitleColumn, DeleteColumn, ColumnCount };
    static constexpr Rgb DeleteMarkColour{255, 0, 0};
    // Rows read by one statement: more than a screen holds.
    static constexpr int PageSize = 50;

    CaseList(AppContext& context, Prompt& prompt, QObject* parent = nullptr);

    // The six headings in the language's order of columns.
    static QStringList headings(const QString& languageCode);
    static int columnWidth(int column);
    // The red delete mark; the other columns are black.
    static Rgb textColour(int column);
    // Names and titles too long for their column end in "...".
    static bool isElided(int column);
    // The statement a search runs, and the one that counts its rows.
    static QString searchStatement(const CaseSearchCriteria& criteria);
    static QString countStatement(const CaseSearchCriteria& criteria);

    // QAbstractTableModel: no columns before the first search; the
    // horizontal headings are the heading row.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    // Reads the next rows, as many as are listed already (a page at least),
    // so reading a whole list this way costs a few statements.
    void fetchMore(const QModelIndex& parent) override;

    // Listed cases: the rows read so far until the count is known.
    int caseCount() const { return m_rowCount; }
    bool isCountKnown() const { return m_countKnown; }
    // The last search could not be read (or counted): told through the
    // prompt with the database's reason; nothing more is read until the next.
    bool hasFailed() const { return m_failed; }
    // Counts the search's cases, unless known; every one becomes a row.
    void countCases();
    // A cell's text, its page read when needed; empty outside the list.
    QString text(int row, int column) const;
    QString caseKey(int row) const { return text(row, KeyColumn); }

    // CaseSearchTarget: lists the first page of the matching cases in place
    // of the former ones.
    void runSearch(const CaseSearchCriteria& criteria) override;

    // A click on a row's data opens its case; a click on its "x" deletes it.
    void click(int row, int column);
    // Asks, then deletes the case and its ration together; the row stays
    // listed unless both are gone. True when the case was deleted.
    bool deleteCase(int row);

signals:
    // A listed case is to open in a new case window.
    void openCaseRequested(const QString& caseKey);
    // The number of listed cases is known (all of them are rows now).
    void caseCountKnown(int count);
    // The search or its count failed; the list holds what was read before.
    void searchFailed();

private:
    using Row = std::array<QString, DeleteColumn>;
    using Chunk = std::vector<Row>;

    const Row* rowAt(int row) const;
    // The rows from first on; failed, when given, is set when they cannot be read.
    Chunk readRows(int first, int count, bool* failed = nullptr) const;
    void tellFailure();
    void keepChunk(int first, Chunk chunk) const;

    AppContext& m_context;
    Prompt& m_prompt;
    bool m_searched = false;
    QString m_statement;
    QString m_countStatement;
    int m_rowCount = 0;
    bool m_countKnown = false;
    bool m_failed = false;
    // Rows read, by their first row; pages far from where the view reads are
    // dropped again.
    mutable std::map<int, Chunk> m_chunks;
};
