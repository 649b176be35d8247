#include "exchange/LegacyDatabase.h"

#include "core/DateText.h"

// mdbtools.h includes glib.h inside its own extern "C"; glib must come first.
#include <glib.h>
#include <mdbtools.h>

#include <QByteArray>
#include <QtEndian>

#include <cstring>
#include <memory>

namespace {

MdbHandle* handle(void* mdb)
{
    return static_cast<MdbHandle*>(mdb);
}

struct TableCloser
{
    void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

} // namespace

LegacyDatabase::~LegacyDatabase()
{
    close();
}

bool LegacyDatabase::open(const QString& path)
{
    close();
    MdbHandle* mdb = mdb_open(QByteArray(path.toLocal8Bit()).constData(), MDB_NOFLAGS);
    if (!mdb)
        return false;
    if (!mdb_read_catalog(mdb, MDB_ANY)) {
        mdb_close(mdb);
        return false;
    }
    // Dates come as text; this form is read back by DateText.
    mdb_set_date_fmt(mdb, "%Y-%m-%d %H:%M:%S");
    m_mdb = mdb;
    return true;
}

void LegacyDatabase::close()
{
    if (m_mdb)
        mdb_close(handle(m_mdb));
    m_mdb = nullptr;
}

bool LegacyDatabase::readTable(const QString& tableName, const QStringList& columns, std::vector<Row>& rows)
{
    rows.clear();
    MdbHandle* mdb = handle(m_mdb);
    if (!mdb)
        return false;
    QByteArray name = tableName.toUtf8();
    std::unique_ptr<MdbTableDef, TableCloser> table(mdb_read_table_by_name(mdb, name.data(), MDB_TABLE));
    if (!table || !mdb_read_columns(table.get()))
        return false;

    struct Bound
    {
        MdbColumn* column = nullptr;
        std::vector<char> buffer;
        int length = 0;
    };
    std::vector<Bound> bound(columns.size());
    for (int i = 0; i < columns.size(); ++i) {
        const QByteArray wanted = columns[i].toUtf8();
        for (unsigned int c = 0; c < table->num_cols; ++c) {
            auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, c));
            if (qstricmp(column->name, wanted.constData()) == 0) {
                bound[i].column = column;
                bound[i].buffer.assign(MDB_BIND_SIZE, '\0');
                mdb_bind_column(table.get(), int(c) + 1, bound[i].buffer.data(), &bound[i].length);
                break;
            }
        }
        if (!bound[i].column)
            return false;
    }

    mdb_rewind_table(table.get());
    while (mdb_fetch_row(table.get())) {
        Row row(bound.size());
        for (size_t i = 0; i < bound.size(); ++i) {
            const Bound& b = bound[i];
            Cell& cell = row[i];
            cell.null = b.length == 0 && b.column->col_type != MDB_BOOL;
            if (cell.null)
                continue;
            switch (b.column->col_type) {
            case MDB_FLOAT: {
                // The stored 4 bytes, not the library's text: the old program
                // computed in single precision.
                quint32 bits = qFromLittleEndian<quint32>(mdb->pg_buf + b.column->cur_value_start);
                std::memcpy(&cell.real, &bits, sizeof bits);
                break;
            }
            case MDB_DATETIME: {
                const auto date = DateText::parse(QString::fromUtf8(b.buffer.data()));
                cell.null = !date;
                if (date)
                    cell.text = DateText::toIso(*date);
                break;
            }
            case MDB_TEXT:
            case MDB_MEMO:
                cell.text = QString::fromUtf8(b.buffer.data());
                break;
            default:
                cell.text = QString::fromUtf8(b.buffer.data());
                cell.real = cell.text.toFloat();
                break;
            }
        }
        rows.push_back(std::move(row));
    }
    return true;
}
