#include "output/PracticeDetails.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "output/PracticeDetailsTexts.h"

#include <QStringList>

namespace {

// The command line's field names and the columns of T_PRAXIS, in order.
const char* const Columns[] = {"Name", "Adresse1", "Adresse2", "Telefon", "EMail", "Web"};

QString joined(std::initializer_list<const QString*> parts, const QString& separator)
{
    QStringList given;
    for (const QString* part : parts) {
        if (!part->trimmed().isEmpty())
            given << part->trimmed();
    }
    return given.join(separator);
}

} // namespace

const QStringList& PracticeDetails::fieldNames()
{
    static const QStringList names{QStringLiteral("name"),     QStringLiteral("address1"),
                                   QStringLiteral("address2"), QStringLiteral("phone"),
                                   QStringLiteral("email"),    QStringLiteral("web")};
    return names;
}

QString* PracticeDetails::field(const QString& fieldName)
{
    QString* fields[] = {&name, &address1, &address2, &phone, &email, &web};
    const qsizetype index = fieldNames().indexOf(fieldName.toLower());
    return index < 0 ? nullptr : fields[index];
}

const QString* PracticeDetails::field(const QString& fieldName) const
{
    return const_cast<PracticeDetails*>(this)->field(fieldName);
}

QString PracticeDetails::addressLine() const
{
    return joined({&address1, &address2}, QStringLiteral(", "));
}

QString PracticeDetails::contactLine() const
{
    return joined({&phone, &email, &web}, QStringLiteral(" · "));
}

bool PracticeDetails::isEmpty() const
{
    for (const QString& fieldName : fieldNames()) {
        if (!field(fieldName)->trimmed().isEmpty())
            return false;
    }
    return logo.isEmpty();
}

QString PracticeDetails::problem(const QString& languageCode) const
{
    for (int i = 0; i < fieldNames().size(); ++i) {
        // The server counts characters, not the UTF-16 units of a QString.
        if (field(fieldNames()[i])->trimmed().toUcs4().size() > MaxFieldLength)
            return PracticeDetailsTexts::TooLong.in(languageCode)
                .arg(PracticeDetailsTexts::FieldLabels[i].in(languageCode));
    }
    return QString();
}

namespace PracticeDetailsStore {

std::optional<PracticeDetails> read(AppContext& context)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), QStringLiteral("SELECT * FROM T_PRAXIS WHERE ID = 1")))
        return std::nullopt;
    PracticeDetails details;
    if (rs.isEof())
        return details;
    for (int i = 0; i < PracticeDetails::fieldNames().size(); ++i)
        rs.getFieldText(QLatin1String(Columns[i]), *details.field(PracticeDetails::fieldNames()[i]));
    QString logo;
    rs.getFieldText(QStringLiteral("Logo"), logo);
    details.logo = QByteArray::fromBase64(logo.toLatin1());
    return details;
}

bool write(AppContext& context, const PracticeDetails& details, QString* error)
{
    // Delete and insert in one transaction: the row is replaced whole or not at all.
    QStringList columns{QStringLiteral("ID")}, values{QStringLiteral("1")};
    for (int i = 0; i < PracticeDetails::fieldNames().size(); ++i) {
        columns << QLatin1String(Columns[i]);
        values << Sql::quote(details.field(PracticeDetails::fieldNames()[i])->trimmed());
    }
    columns << QStringLiteral("Logo");
    values << Sql::quoteOrNull(QString::fromLatin1(details.logo.toBase64()));
    Connection& db = context.db();
    DbTransaction transaction(db);
    const bool stored = transaction.isActive() && db.executeSql(QStringLiteral("DELETE FROM T_PRAXIS")) &&
                        db.executeSql(QStringLiteral("INSERT INTO T_PRAXIS (") +
                                      columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                                      values.join(QStringLiteral(", ")) + QStringLiteral(")")) &&
                        transaction.commit();
    if (!stored && error)
        *error = db.lastError();
    return stored;
}

} // namespace PracticeDetailsStore
