#include "sysdata/SystemTableSql.h"

#include "core/Codes.h"
#include "core/DateText.h"
#include "core/Lang.h"
#include "db/SqlQuote.h"
#include "sysdata/EditableColumn.h"
#include "sysdata/SystemTableTexts.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The keyword at position i as a whole word, followed by "BY" when it needs one.
int keywordLength(const QString& sql, int i, const QString& word, bool withBy)
{
    if (i > 0 && isWordChar(sql.at(i - 1)))
        return 0;
    if (sql.mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return 0;
    int end = i + int(word.size());
    if (end < sql.size() && isWordChar(sql.at(end)))
        return 0;
    if (!withBy)
        return end - i;
    while (end < sql.size() && sql.at(end).isSpace())
        ++end;
    if (sql.mid(end, 2).compare(QLatin1String("BY"), Qt::CaseInsensitive) != 0 ||
        (end + 2 < sql.size() && isWordChar(sql.at(end + 2))))
        return 0;
    return end + 2 - i;
}

// Where the top-level WHERE starts and ends and where the trailing clauses
// (GROUP BY, HAVING, ORDER BY) begin; text in quotes, brackets or
// parentheses (subqueries) is skipped.
struct Clauses
{
    int where = -1;
    int whereEnd = -1;
    int tail = -1;
};

Clauses clausesOf(const QString& sql)
{
    Clauses found;
    int depth = 0;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('[')) {
            quote = QLatin1Char(']');
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && found.tail < 0) {
            if (found.where < 0) {
                if (const int n = keywordLength(sql, i, QStringLiteral("WHERE"), false)) {
                    found.where = i;
                    found.whereEnd = i + n;
                    i += n - 1;
                    continue;
                }
            }
            if (keywordLength(sql, i, QStringLiteral("ORDER"), true) ||
                keywordLength(sql, i, QStringLiteral("GROUP"), true) ||
                keywordLength(sql, i, QStringLiteral("HAVING"), false))
                found.tail = i;
        }
    }
    return found;
}

QString columnName(const EditableColumn& column)
{
    return column.caption.trimmed().isEmpty() ? column.field : column.caption.trimmed();
}

std::optional<qint64> wholeNumber(const QString& text, qint64 lowest, qint64 highest)
{
    bool ok = false;
    const qint64 value = QLocale::c().toLongLong(text, &ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<double> realNumber(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

namespace SystemTableSql {

QString withCondition(const QString& statement, const QString& condition)
{
    if (condition.isEmpty())
        return statement;
    const Clauses clauses = clausesOf(statement);
    QString head = clauses.tail < 0 ? statement : statement.left(clauses.tail);
    const QString tail = clauses.tail < 0 ? QString() : statement.mid(clauses.tail);
    while (!head.isEmpty() && head.back().isSpace())
        head.chop(1);
    QString sql;
    if (clauses.where < 0) {
        sql = head + QStringLiteral(" WHERE ") + condition;
    } else {
        // An existing "A OR B" must stay one term of the AND.
        sql = head.left(clauses.whereEnd) + QStringLiteral(" (") + head.mid(clauses.whereEnd).trimmed() +
              QStringLiteral(") AND ") + condition;
    }
    return tail.isEmpty() ? sql : sql + QLatin1Char(' ') + tail;
}

QString ownerCondition(const QString& table, const QString& ownerCode)
{
    if (ownerCode != Codes::PracticeOwner)
        return QString();
    const QString own = QStringLiteral("EIGEN = ") + Sql::quote(ownerCode);
    if (table.compare(QLatin1String("T_FUTTERMITTEL"), Qt::CaseInsensitive) == 0)
        return own;
    // Contents and categories have no owner of their own: they belong to
    // their feedstuff's.
    if (table.compare(QLatin1String("T_FM_NAEHRSTOFF"), Qt::CaseInsensitive) == 0 ||
        table.compare(QLatin1String("T_FM_KAT"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("ID_FM IN (SELECT ID FROM T_FUTTERMITTEL WHERE ") + own + QLatin1Char(')');
    return QString();
}

std::optional<QString> dependentCondition(int dependentTable, const QString& filterValue)
{
    QString column;
    if (dependentTable == 91 || dependentTable == 101)
        column = QStringLiteral("ID_FM");
    else if (dependentTable == 111 || dependentTable == 121)
        column = QStringLiteral("ID_FALL");
    else
        return QString();
    bool ok = false;
    const qint64 key = filterValue.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return column + QStringLiteral(" = ") + QString::number(key);
}

} // namespace SystemTableSql

namespace SystemTableSql {

CellValue cellValue(const EditableColumn& column, const QString& text, const QString& languageCode)
{
    const QString t = text.trimmed();
    const QString name = columnName(column);
    const auto refuse = [&](const Lang::Text& message) {
        return CellValue{QString(), message.in(languageCode).arg(name)};
    };
    const QString& type = column.type;
    const bool known = type == QLatin1String("NUMBER") || type == QLatin1String("LONG") ||
                       type == QLatin1String("DOUBLE") || type == QLatin1String("DATE") ||
                       type == QLatin1String("VARCHAR2") || type == QLatin1String("PASSWORD") ||
                       type == QLatin1String("RICHEDITCONTROL") || type == QLatin1String("COMBO") ||
                       type == QLatin1String("COMBOSTRING") || type == QLatin1String("BOOL");
    if (t.isEmpty())
        return CellValue{QStringLiteral("NULL"), QString()};
    if (!known)
        return CellValue{QString(), QStringLiteral("Unbekannter Formattyp: ") + type};
    if (type == QLatin1String("NUMBER")) {
        const auto value = wholeNumber(t, -32768, 32767);
        if (!value)
            return refuse(SystemTableTexts::EnterShortWholeNumber);
        return CellValue{QString::number(*value), QString()};
    }
    if (type == QLatin1String("LONG")) {
        const auto value =
            wholeNumber(t, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
        if (!value)
            return refuse(SystemTableTexts::EnterWholeNumber);
        return CellValue{QString::number(*value), QString()};
    }
    if (type == QLatin1String("DOUBLE")) {
        const auto value = realNumber(t);
        if (!value)
            return refuse(SystemTableTexts::EnterNumber);
        return CellValue{QString::number(*value, 'g', QLocale::FloatingPointShortest), QString()};
    }
    if (type == QLatin1String("DATE")) {
        if (t.compare(QLatin1String("NOW()"), Qt::CaseInsensitive) == 0)
            return CellValue{QStringLiteral("NOW()"), QString()};
        const auto value = DateText::parse(t);
        if (!value)
            return refuse(SystemTableTexts::EnterDate);
        return CellValue{Sql::quote(DateText::toIso(*value)), QString()};
    }
    if (type == QLatin1String("COMBO")) {
        for (const ChoiceList::Entry& entry : column.entries) {
            if (entry.text == t)
                return CellValue{QString::number(entry.data), QString()};
        }
        // A number typed for the entry, as the list shows it after the " - ".
        if (const auto value =
                wholeNumber(t, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()))
            return CellValue{QString::number(*value), QString()};
        return refuse(SystemTableTexts::ChooseListEntry);
    }
    if (type == QLatin1String("BOOL"))
        return CellValue{meansYes(t) ? QStringLiteral("-1") : QStringLiteral("0"), QString()};
    // The text types: stored as typed, apostrophes included.
    return CellValue{Sql::quote(t), QString()};
}

QString yesNoText(bool value, const QString& languageCode)
{
    return value ? SystemTableTexts::Yes.in(languageCode) : SystemTableTexts::No.in(languageCode);
}

bool meansYes(const QString& text)
{
    // The metadata's default values are written in German whatever the
    // language the program runs in.
    const QString t = text.trimmed();
    return t.compare(QLatin1String("Ja"), Qt::CaseInsensitive) == 0 ||
           t.compare(QLatin1String("Yes"), Qt::CaseInsensitive) == 0;
}

std::optional<QString> keyValue(const QString& key, bool isTextKey)
{
    if (isTextKey)
        return Sql::quote(key);
    bool ok = false;
    const qint64 value = key.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return QString::number(value);
}

} // namespace SystemTableSql
