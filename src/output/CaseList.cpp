#include "output/CaseList.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "output/CaseListTexts.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int ColumnWidths[CaseList::ColumnCount] = {0, 180, 145, 65, 560, 25};
// Rows kept in memory at most: a few screens around where the view reads.
constexpr int KeptRows = 100 * CaseList::PageSize;

// Keys 1 and below (none chosen, or "alle") do not restrict the search.
bool restricts(const QString& key, int& value)
{
    bool ok = false;
    value = key.trimmed().toInt(&ok);
    return ok && value > 1;
}

} // namespace

CaseList::CaseList(AppContext& context, Prompt& prompt, QObject* parent)
    : QAbstractTableModel(parent)
    , m_context(context)
    , m_prompt(prompt)
{
}

QStringList CaseList::headings(const QString& languageCode)
{
    using namespace CaseListTexts;
    return {QStringLiteral("ID"),         OwnerHeading.in(languageCode), PatientHeading.in(languageCode),
            DateHeading.in(languageCode), TitleHeading.in(languageCode), DeleteHeading.in(languageCode)};
}

int CaseList::columnWidth(int column)
{
    return column >= 0 && column < ColumnCount ? ColumnWidths[column] : 0;
}

Rgb CaseList::textColour(int column)
{
    return column == DeleteColumn ? DeleteMarkColour : Rgb{0, 0, 0};
}

bool CaseList::isElided(int column)
{
    return column == OwnerColumn || column == PatientColumn || column == TitleColumn;
}

namespace {

QString searchCondition(const CaseSearchCriteria& criteria)
{
    QString sql;
    bool first = true;
    const auto condition = [&sql, &first](const QString& text) {
        sql += (first ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + text;
        first = false;
    };
    // Typed texts are quoted so an apostrophe is searched for; % and _ stay wildcards.
    const auto contains = [](const QString& text) {
        return Sql::quote(QLatin1Char('%') + text + QLatin1Char('%'));
    };

    int key = 0;
    if (restricts(criteria.species, key))
        condition(QStringLiteral("ID_Gattung = ") + QString::number(key));
    if (restricts(criteria.sex, key))
        condition(QStringLiteral("ID_Geschlecht = ") + QString::number(key));
    if (!criteria.owner.isEmpty())
        condition(QStringLiteral("Name_Besitzer LIKE ") + contains(criteria.owner));
    if (!criteria.patient.isEmpty())
        condition(QStringLiteral("Name_Pat LIKE ") + contains(criteria.patient));
    if (!criteria.title.isEmpty())
        condition(QStringLiteral("Rezepttitel LIKE ") + contains(criteria.title));
    return sql;
}

} // namespace

QString CaseList::searchStatement(const CaseSearchCriteria& criteria)
{
    return QStringLiteral("SELECT ID, Name_Besitzer, Name_Pat, Datum, Rezepttitel FROM T_PAT_REZ") +
           searchCondition(criteria) + QStringLiteral(" ORDER BY Name_Besitzer, Name_Pat, Datum, ID;");
}

QString CaseList::countStatement(const CaseSearchCriteria& criteria)
{
    return QStringLiteral("SELECT Count(*) AS Anzahl FROM T_PAT_REZ") + searchCondition(criteria) +
           QLatin1Char(';');
}

int CaseList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int CaseList::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_searched ? 0 : ColumnCount;
}

QVariant CaseList::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return text(index.row(), index.column());
}

QVariant CaseList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return headings(m_context.languageCode()).value(section);
}

Qt::ItemFlags CaseList::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool CaseList::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_searched && !m_countKnown && !m_failed;
}

void CaseList::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const int wanted = std::max(PageSize, m_rowCount);
    bool failed = false;
    Chunk rows = readRows(m_rowCount, wanted, &failed);
    if (failed) {
        tellFailure();
        return;
    }
    const int read = int(rows.size());
    m_countKnown = read < wanted;
    if (read > 0) {
        beginInsertRows({}, m_rowCount, m_rowCount + read - 1);
        keepChunk(m_rowCount, std::move(rows));
        m_rowCount += read;
        endInsertRows();
    }
    if (m_countKnown)
        emit caseCountKnown(m_rowCount);
}

void CaseList::countCases()
{
    if (!m_searched || m_countKnown)
        return;
    if (m_failed)
        return;
    RecordSet rs;
    int count = 0;
    if (!rs.openRecordset(m_context.db(), m_countStatement)) {
        tellFailure();
        return;
    }
    rs.getFieldLong(QStringLiteral("Anzahl"), count);
    m_countKnown = true;
    if (count > m_rowCount) {
        beginInsertRows({}, m_rowCount, count - 1);
        m_rowCount = count;
        endInsertRows();
    }
    emit caseCountKnown(m_rowCount);
}

void CaseList::runSearch(const CaseSearchCriteria& criteria)
{
    beginResetModel();
    m_searched = true;
    m_statement = searchStatement(criteria);
    m_statement.chop(1); // the semicolon: pages add LIMIT and OFFSET
    m_countStatement = countStatement(criteria);
    m_chunks.clear();
    m_failed = false;
    bool failed = false;
    Chunk first = readRows(0, PageSize, &failed);
    m_rowCount = int(first.size());
    m_countKnown = !failed && m_rowCount < PageSize;
    keepChunk(0, std::move(first));
    endResetModel();
    if (failed)
        tellFailure();
    else if (m_countKnown)
        emit caseCountKnown(m_rowCount);
}

void CaseList::tellFailure()
{
    // An empty list would read as "no such cases"; the user learns that the
    // search failed, and why.
    m_failed = true;
    m_prompt.message(Lang::withReason(m_context.languageCode(),
                                      CaseListTexts::SearchFailed.in(m_context.languageCode()),
                                      m_context.db().lastError()),
                     Prompt::Icon::Warning);
    emit searchFailed();
}

CaseList::Chunk CaseList::readRows(int first, int count, bool* failed) const
{
    Chunk rows;
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(),
                          m_statement + QStringLiteral(" LIMIT %1 OFFSET %2").arg(count).arg(first))) {
        if (failed)
            *failed = true;
        return rows;
    }
    rows.reserve(size_t(count));
    // The statement selects the row's columns in the list's order.
    for (; !rs.isEof(); rs.moveNext()) {
        Row& row = rows.emplace_back();
        for (int c = KeyColumn; c < DeleteColumn; ++c)
            rs.getFieldText(c, row[size_t(c)]);
    }
    return rows;
}

void CaseList::keepChunk(int first, Chunk chunk) const
{
    if (chunk.empty())
        return;
    const int size = int(chunk.size());
    m_chunks[first] = std::move(chunk);
    // Drop the rows farthest from the new ones until few enough are kept.
    const auto distance = [first, size](const auto& entry) {
        const int start = entry.first;
        const int end = start + int(entry.second.size());
        return end <= first ? first - end : (start >= first + size ? start - first - size : 0);
    };
    int kept = 0;
    for (const auto& entry : m_chunks)
        kept += int(entry.second.size());
    while (kept > KeptRows && m_chunks.size() > 1) {
        auto farthest = std::max_element(m_chunks.begin(), m_chunks.end(), [&](const auto& a, const auto& b) {
            return distance(a) < distance(b);
        });
        if (farthest->first == first)
            break;
        kept -= int(farthest->second.size());
        m_chunks.erase(farthest);
    }
}

const CaseList::Row* CaseList::rowAt(int row) const
{
    if (row < 0 || row >= m_rowCount)
        return nullptr;
    const auto holds = [row](const auto& entry) {
        return row >= entry.first && row < entry.first + int(entry.second.size());
    };
    auto it = m_chunks.upper_bound(row);
    if (it != m_chunks.begin() && holds(*std::prev(it)))
        return &std::prev(it)->second[size_t(row - std::prev(it)->first)];
    const int first = row / PageSize * PageSize;
    keepChunk(first, readRows(first, PageSize));
    it = m_chunks.find(first);
    if (it == m_chunks.end() || !holds(*it))
        return nullptr; // the cases changed since they were counted
    return &it->second[size_t(row - first)];
}

QString CaseList::text(int row, int column) const
{
    if (column == DeleteColumn)
        return row >= 0 && row < m_rowCount ? QStringLiteral("x") : QString();
    const Row* found = column >= KeyColumn && column < DeleteColumn ? rowAt(row) : nullptr;
    return found ? (*found)[size_t(column)] : QString();
}

void CaseList::click(int row, int column)
{
    if (row < 0 || row >= m_rowCount)
        return;
    if (column == DeleteColumn)
        deleteCase(row);
    else if (column >= KeyColumn && column < DeleteColumn)
        emit openCaseRequested(caseKey(row));
}

bool CaseList::deleteCase(int row)
{
    const QString key = caseKey(row);
    if (key.isEmpty())
        return false;
    const Prompt::Answer answer =
        m_prompt.question(CaseListTexts::DeleteQuestion.in(m_context.languageCode()),
                          Prompt::Buttons::YesNoCancel, Prompt::Icon::Question);
    if (answer != Prompt::Answer::Yes)
        return false;

    // The case, its ration and its recipe's text blocks go together or not at all.
    Connection& db = m_context.db();
    bool deleted = false;
    {
        DbTransaction transaction(db);
        deleted = transaction.isActive() &&
                  db.executeSql(QStringLiteral("DELETE FROM T_PAT_REZ WHERE ID = ") + key) &&
                  db.executeSql(QStringLiteral("DELETE FROM T_REZ_FM WHERE ID_Rezept = ") + key) &&
                  db.executeSql(QStringLiteral("DELETE FROM T_REZ_TEXT WHERE ID_Rezept = ") + key) &&
                  transaction.commit();
    }
    if (!deleted) {
        m_prompt.message(Lang::withReason(m_context.languageCode(),
                                          CaseListTexts::CaseNotDeleted.in(m_context.languageCode()),
                                          db.lastError()),
                         Prompt::Icon::Exclamation);
        return false;
    }
    // The rows read after it move up by one, as they do in the table.
    beginRemoveRows({}, row, row);
    std::map<int, Chunk> moved;
    for (auto& [first, chunk] : m_chunks) {
        if (first + int(chunk.size()) <= row) {
            moved.emplace(first, std::move(chunk));
        } else if (first <= row) {
            chunk.erase(chunk.begin() + (row - first));
            if (!chunk.empty())
                moved.emplace(first, std::move(chunk));
        } else {
            moved.emplace(first - 1, std::move(chunk));
        }
    }
    m_chunks = std::move(moved);
    --m_rowCount;
    endRemoveRows();
    // The result bar's caption shows the count: it follows the delete.
    if (m_countKnown)
        emit caseCountKnown(m_rowCount);
    return true;
}
