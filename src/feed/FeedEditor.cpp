#include "feed/FeedEditor.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/FeedKeyCounter.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "feed/FeedIndicatorCalculator.h"
#include "feed/FeedRemoval.h"

#include <QLocale>

#include <cmath>
#include <initializer_list>
#include <optional>

namespace {

// The analysis a calculation needs; their amount cells are white.
constexpr std::initializer_list<int> RequiredKeys = {NutrientKey::CrudeFibre, NutrientKey::CrudeFat,
                                                     NutrientKey::CrudeAsh, NutrientKey::Moisture,
                                                     NutrientKey::CrudeProtein};

constexpr int NutrientWidths[] = {0, 104, 70, 0, 80};
constexpr int IndicatorWidths[] = {0, 111, 80, 0, 80};

bool isRequired(int key)
{
    for (int required : RequiredKeys) {
        if (key == required)
            return true;
    }
    return false;
}

// An amount as it goes into SQL: a whole number text with a decimal comma
// or point; nothing for any other text.
std::optional<double> amountOf(const QString& text)
{
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

FeedEditor::FeedEditor(AppContext& context, Prompt& prompt, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_prompt(prompt)
{
    connect(&m_categories, &GridModel::doubleClicked, this, &FeedEditor::toggleMark);
    for (GridModel* grid : {&m_nutrients, &m_indicators})
        connect(grid, &GridModel::editEnded, this, [this] { m_modified = true; });
}

FeedEditorLabels FeedEditor::labels(const QString& languageCode)
{
    if (languageCode == Lang::English) {
        return {QStringLiteral("Kind of Feedstuff:"),
                QStringLiteral("German name:"),
                QStringLiteral("English name:"),
                QStringLiteral("Producer:"),
                QStringLiteral("Hint german:"),
                QStringLiteral("Hint english:"),
                QStringLiteral("Info missing:"),
                QStringLiteral("Active:"),
                QStringLiteral("Last update:"),
                QStringLiteral("Category:"),
                QStringLiteral("Kind of Feedstuff:"),
                QStringLiteral("Feedstuff:"),
                QStringLiteral("New"),
                QStringLiteral("Calculate"),
                QStringLiteral("Save"),
                QStringLiteral("Delete"),
                QStringLiteral("Copy"),
                QStringLiteral("White marked cells: data required for correct calculation"),
                QStringLiteral("Feedstuff"),
                QStringLiteral("Indicator"),
                QStringLiteral("Unit"),
                QStringLiteral("Amount")};
    }
    return {QStringLiteral("Futtermittel Typ:"),
            QStringLiteral("Bezeichnung deutsch:"),
            QStringLiteral("Bezeichnung englisch:"),
            QStringLiteral("Hersteller:"),
            QStringLiteral("Hinweis deutsch:"),
            QStringLiteral("Hinweis englisch:"),
            QStringLiteral("Daten fehlen:"),
            QStringLiteral("Aktiv:"),
            QStringLiteral("Zuletzt bearbeitet:"),
            QStringLiteral("Futtermittelkategorie:"),
            QStringLiteral("Futtermittel Typ"),
            QStringLiteral("Futtermittel"),
            QStringLiteral("Neu"),
            QStringLiteral("Berechnen"),
            QStringLiteral("Speichern"),
            QStringLiteral("Löschen"),
            QStringLiteral("Kopieren"),
            QStringLiteral("Bei der Erfassung von Futtermitteln  müssen die weiß hinterlegten Nährstoffe "
                           "mindestens erfasst werden, um eine Berechnung durchzuführen."),
            QStringLiteral("Nährstoff"),
            QStringLiteral("Kenngrösse"),
            QStringLiteral("Einheit"),
            QStringLiteral("Gehalt")};
}

FeedEditorLabels FeedEditor::labels() const
{
    return labels(code());
}

QString FeedEditor::windowTitle(const QString& languageCode)
{
    return Lang::deOr(languageCode, QStringLiteral("Futtermittel"), QStringLiteral("Feedstuff"));
}

QString FeedEditor::feedListStatement(const QString& languageCode, const QString& ownerCode,
                                      const QString& typeFilter)
{
    const QString name = QStringLiteral("BEZ_") + languageCode;
    const QString typeCondition =
        typeFilter.isEmpty() ? QString()
                             : QStringLiteral("ID_FM_TYP = ") + QString::number(typeFilter.toLongLong());
    const auto select = [&](const QString& text, const QString& owner) {
        QStringList conditions;
        if (!typeCondition.isEmpty())
            conditions << typeCondition;
        if (!owner.isEmpty())
            conditions << QStringLiteral("EIGEN = ") + Sql::quote(owner);
        QString sql = QStringLiteral("SELECT ID AS ITEMDATA, ") + text +
                      QStringLiteral(" AS ITEMTEXT FROM T_FUTTERMITTEL");
        if (!conditions.isEmpty())
            sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        return sql;
    };
    if (ownerCode == QLatin1String("M"))
        return select(name, QString());
    // The list sorts by text, so the shipped ones stand among the own ones,
    // told apart by their mark.
    const QString mark =
        Lang::deOr(languageCode, QStringLiteral(" (mitgeliefert)"), QStringLiteral(" (shipped)"));
    return select(name, ownerCode) + QStringLiteral(" UNION ALL ") +
           select(name + QStringLiteral(" & ") + Sql::quote(mark), QStringLiteral("M"));
}

QString FeedEditor::code() const
{
    return m_context.languageCode();
}

QString FeedEditor::text(const char* german, const char* english) const
{
    return Lang::deOr(code(), QString::fromUtf8(german), QString::fromUtf8(english));
}

void FeedEditor::tell(const QString& message)
{
    m_prompt.message(message, Prompt::Icon::Exclamation);
}

bool FeedEditor::refusedAsShipped()
{
    if (!m_readOnly)
        return false;
    tell(text("„%1“ ist ein mitgeliefertes Futtermittel und kann nicht geändert oder gelöscht werden. "
              "Mit „Kopieren“ legen Sie ein eigenes an, das Sie bearbeiten können.",
              "\"%1\" is a shipped feedstuff and cannot be changed or deleted. "
              "\"Copy\" makes an own one that you can edit.")
             .arg(code() == Lang::German ? m_germanName : m_englishName));
    return true;
}

void FeedEditor::setAmountsReadOnly(bool readOnly)
{
    for (GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = grid->fixedRowCount(); row < grid->rowCount(); ++row)
            grid->setReadOnly(row, AmountColumn, readOnly);
    }
}

// Selector bar --------------------------------------------------------------------

void FeedEditor::fillTypes(ChoiceList& list)
{
    list.fill(m_context.db(), QStringLiteral("SELECT ID AS ITEMDATA, BEZ_") + code() +
                                  QStringLiteral(" AS ITEMTEXT FROM T_FM_TYP WHERE AKTIV = TRUE"));
}

void FeedEditor::fillBar()
{
    fillTypes(m_barTypes);
    m_typeFilter.clear();
    m_feeds.fill(m_context.db(), feedListStatement(code(), m_context.ownerCode(), m_typeFilter));
}

void FeedEditor::userChoseBarType(int index)
{
    m_barTypes.setCurrentIndex(index);
    const int type = m_barTypes.currentData();
    m_typeFilter = type > 0 ? QString::number(type) : QString();
    m_feeds.fill(m_context.db(), feedListStatement(code(), m_context.ownerCode(), m_typeFilter));
    emit changed();
}

void FeedEditor::userChoseFeed(int index)
{
    if (index < 0 || index >= m_feeds.count())
        return;
    m_feeds.setCurrentIndex(index);
    loadFeed(m_feeds.currentData());
}

void FeedEditor::newClicked()
{
    clearForm();
    fillBar();
    emit changed();
}

// Form --------------------------------------------------------------------------

int FeedEditor::rowOf(const GridModel& grid, int key)
{
    const QString keyText = QString::number(key);
    for (int row = 1; row < grid.rowCount(); ++row) {
        if (grid.text(row, KeyColumn) == keyText)
            return row;
    }
    return -1;
}

void FeedEditor::fillCategoryGrid(const QString& key)
{
    GridModel& g = m_categories;
    g.clear();
    g.setDefaultBackground(Background);
    g.setFixedBackground(Background);
    g.setColumnCount(3);
    g.setFixedColumnCount(2);
    g.setColumnWidth(CategoryKeyColumn, 0);
    g.setColumnWidth(CategoryNameColumn, 200);
    g.setColumnWidth(MarkColumn, 70);
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(),
                          QStringLiteral("SELECT ID, BEZ_") + code() +
                              QStringLiteral(" AS BEZEICHNUNG FROM T_KATEGORIEN WHERE AKTIV = TRUE")))
        return;
    for (; !rs.isEof(); rs.moveNext()) {
        int category = 0;
        QString name;
        rs.getFieldLong(QStringLiteral("ID"), category);
        rs.getFieldText(QStringLiteral("BEZEICHNUNG"), name);
        const int row = g.appendRow();
        g.setText(row, CategoryKeyColumn, QString::number(category));
        g.setText(row, CategoryNameColumn, name);
        g.setAlignment(row, MarkColumn, GridAlign::Centre | GridAlign::VCentre);
        // Marked by a double-click only.
        g.setRowReadOnly(row, true);
        if (key.isEmpty())
            continue;
        RecordSet member;
        if (member.openRecordset(m_context.db(), QStringLiteral("SELECT ID FROM T_FM_KAT WHERE ID_FM = ") +
                                                     key + QStringLiteral(" AND ID_FM_KATEGORIE = ") +
                                                     QString::number(category)) &&
            !member.isEof())
            g.setText(row, MarkColumn, QStringLiteral("x"));
    }
}

void FeedEditor::fillContentGrid(GridModel& g, const QString& kind, const QString& key)
{
    const bool nutrients = kind == QLatin1String("I");
    const FeedEditorLabels texts = labels();
    g.clear();
    g.setDefaultBackground(Background);
    g.setFixedBackground(Background);
    g.setColumnCount(5);
    g.setRowCount(1);
    g.setFixedRowCount(1);
    g.setFixedColumnCount(4);
    for (int c = 0; c < 5; ++c)
        g.setColumnWidth(c, nutrients ? NutrientWidths[c] : IndicatorWidths[c]);
    g.setText(0, KeyColumn, QStringLiteral("ID"));
    g.setText(0, NameColumn, nutrients ? texts.nutrientHeading : texts.indicatorHeading);
    g.setText(0, UnitColumn, texts.unitHeading);
    g.setText(0, DecimalsColumn, QStringLiteral("NK"));
    g.setText(0, AmountColumn, texts.amountHeading);

    RecordSet rs;
    const QString sql =
        QStringLiteral("SELECT ID, KUERZEL_") + code() + QStringLiteral(" AS KUERZEL, ME_") + code() +
        QStringLiteral(" AS ME, ") +
        (nutrients ? QStringLiteral("BEZ_") + code() + QStringLiteral(" AS BEZEICHNUNG, ") : QString()) +
        QStringLiteral("NK_STELLEN FROM T_NAEHRSTOFFE WHERE KZ_IK = ") + Sql::quote(kind) +
        QStringLiteral(" AND AKTIV = TRUE ORDER BY SORT");
    if (!rs.openRecordset(m_context.db(), sql))
        return;
    for (; !rs.isEof(); rs.moveNext()) {
        int nutrient = 0;
        int decimals = 0;
        QString shortName, unit;
        rs.getFieldLong(QStringLiteral("ID"), nutrient);
        rs.getFieldText(QStringLiteral("KUERZEL"), shortName);
        rs.getFieldText(QStringLiteral("ME"), unit);
        rs.getFieldLong(QStringLiteral("NK_STELLEN"), decimals);
        const int row = g.appendRow();
        g.setText(row, KeyColumn, QString::number(nutrient));
        g.setText(row, NameColumn, shortName);
        g.setText(row, UnitColumn, unit);
        g.setText(row, DecimalsColumn, QString::number(decimals));
        g.setAlignment(row, AmountColumn, GridAlign::Right | GridAlign::VCentre);
        if (nutrients && isRequired(nutrient))
            g.setBackground(row, AmountColumn, RequiredBackground);
        if (key.isEmpty())
            continue;
        RecordSet amount;
        double value = 0;
        // Every column: a file whose upgrade failed has no source yet.
        if (amount.openRecordset(m_context.db(),
                                 QStringLiteral("SELECT * FROM T_FM_NAEHRSTOFF WHERE ID_FM = ") + key +
                                     QStringLiteral(" AND ID_NAEHRSTOFF = ") + QString::number(nutrient)) &&
            !amount.isEof() && amount.getFieldDouble(QStringLiteral("MENGE"), value)) {
            g.setText(row, AmountColumn, NumberText::format(value, decimals));
            // Where a shipped value comes from; the practice's own have no source.
            QString source;
            amount.getFieldText(QStringLiteral("QUELLE"), source);
            g.setToolTip(row, AmountColumn, source.trimmed());
        }
    }
}

void FeedEditor::toggleMark(int row, int column)
{
    if (m_readOnly || column != MarkColumn || row < 0 || row >= m_categories.rowCount())
        return;
    const bool marked = m_categories.text(row, MarkColumn).trimmed() == QLatin1String("x");
    m_categories.setText(row, MarkColumn, marked ? QString() : QStringLiteral("x"));
    m_modified = true;
}

void FeedEditor::clearForm()
{
    fillTypes(m_types);
    m_active = true;
    m_readOnly = false;
    m_key.clear();
    m_germanName.clear();
    m_englishName.clear();
    m_producer.clear();
    m_hintGerman.clear();
    m_hintEnglish.clear();
    m_dataMissing.clear();
    m_lastUpdate.clear();
    fillCategoryGrid(QString());
    fillContentGrid(m_nutrients, QStringLiteral("I"), QString());
    fillContentGrid(m_indicators, QStringLiteral("K"), QString());
    m_calculated = false;
    m_modified = false;
    emit changed();
}

bool FeedEditor::loadFeed(qint64 key)
{
    fillTypes(m_types);
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(), QStringLiteral("SELECT * FROM T_FUTTERMITTEL WHERE ID = ") +
                                              QString::number(key)) ||
        rs.isEof()) {
        clearForm();
        return false;
    }
    m_key = QString::number(key);
    int type = -1;
    if (rs.getFieldLong(QStringLiteral("ID_FM_TYP"), type))
        m_types.selectData(type);
    rs.getFieldBool(QStringLiteral("AKTIV"), m_active);
    rs.getFieldText(QStringLiteral("BEZ_DE"), m_germanName);
    rs.getFieldText(QStringLiteral("BEZ_US"), m_englishName);
    rs.getFieldText(QStringLiteral("HERSTELLER"), m_producer);
    rs.getFieldText(QStringLiteral("HINWEIS"), m_hintGerman);
    rs.getFieldText(QStringLiteral("HINT"), m_hintEnglish);
    rs.getFieldText(QStringLiteral("DATEN_FEHLEN"), m_dataMissing);
    rs.getFieldText(QStringLiteral("DATUM_BEARBEITET"), m_lastUpdate);
    // System data maintenance (owner code M) changes the shipped feedstuffs;
    // a practice only looks them up.
    QString owner;
    rs.getFieldText(QStringLiteral("EIGEN"), owner);
    m_readOnly = m_context.ownerCode() != QLatin1String("M") &&
                 owner.trimmed().compare(QLatin1String("M"), Qt::CaseInsensitive) == 0;
    fillCategoryGrid(m_key);
    fillContentGrid(m_nutrients, QStringLiteral("I"), m_key);
    fillContentGrid(m_indicators, QStringLiteral("K"), m_key);
    setAmountsReadOnly(m_readOnly);
    m_calculated = false;
    m_modified = false;
    emit changed();
    return true;
}

// Calculation ---------------------------------------------------------------------

bool FeedEditor::calculate()
{
    if (refusedAsShipped())
        return false;
    FeedGrid cells;
    for (const GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = 1; row < grid->rowCount(); ++row) {
            cells[grid->text(row, KeyColumn).toInt()] =
                FeedCell{grid->text(row, NameColumn), NumberText::decimalsOf(grid->text(row, DecimalsColumn)),
                         grid->text(row, AmountColumn)};
        }
    }
    const FeedCalculation result = FeedIndicatorCalculator::calculate(cells);
    if (!result.succeeded()) {
        tell(result.message(code()));
        return false;
    }
    const auto write = [this](int key, const QString& amount) {
        for (GridModel* grid : {&m_nutrients, &m_indicators}) {
            const int row = rowOf(*grid, key);
            if (row < 0)
                continue;
            grid->setText(row, AmountColumn, amount);
            grid->setAlignment(row, AmountColumn, GridAlign::Right | GridAlign::VCentre);
            return;
        }
    };
    // A result of 0 is not written: the rows are emptied first, so no text of
    // an earlier run survives into a save.
    for (int key : FeedIndicatorCalculator::resultKeys())
        write(key, QString());
    for (const auto& [key, value] : result.values)
        write(key, FeedIndicatorCalculator::cellText(value, cells[key].decimals));
    m_nutrients.redraw();
    m_indicators.redraw();
    tell(result.message(code()));
    m_calculated = true;
    emit changed();
    return true;
}

// Storing -----------------------------------------------------------------------

bool FeedEditor::amountsAreNumbers()
{
    for (const GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = 1; row < grid->rowCount(); ++row) {
            const QString amount = grid->text(row, AmountColumn);
            if (amount.trimmed().isEmpty() || amountOf(amount))
                continue;
            tell(text("Bitte geben Sie für %1 eine Zahl ein, nicht „%2“.",
                      "Please enter a number for %1, not \"%2\".")
                     .arg(grid->text(row, NameColumn), amount.trimmed()));
            return false;
        }
    }
    return true;
}

bool FeedEditor::takeNewKey(qint64& key, const QString& failed)
{
    switch (FeedKeyCounter::take(m_context.db(), m_context.ownerCode(), 1, key)) {
    case FeedKeyCounter::Outcome::Taken:
        return true;
    case FeedKeyCounter::Outcome::NoCounter:
        tell(text("Für den Besitzercode %1 gibt es keinen Schlüsselzähler in T_FM_KEY; "
                  "das Futtermittel wurde nicht gespeichert.",
                  "There is no key counter for the owner code %1 in T_FM_KEY; the feedstuff was not stored.")
                 .arg(m_context.ownerCode()));
        return false;
    case FeedKeyCounter::Outcome::Failed:
        break;
    }
    tell(failed);
    return false;
}

bool FeedEditor::storeCategories(const QString& key)
{
    if (!m_context.db().executeSql(QStringLiteral("DELETE FROM T_FM_KAT WHERE ID_FM = ") + key)) {
        tell(text("Kategorien konnten nicht gelöscht werden", "Categories could not be deleted"));
        return false;
    }
    for (int row = 0; row < m_categories.rowCount(); ++row) {
        if (m_categories.text(row, MarkColumn).trimmed() != QLatin1String("x"))
            continue;
        if (!m_context.db().executeSql(
                QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) VALUES (") + key +
                QStringLiteral(", ") +
                QString::number(m_categories.text(row, CategoryKeyColumn).toLongLong()) +
                QStringLiteral(", TRUE)"))) {
            tell(text("Kategorie konnte nicht eingefügt werden", "Category could not be inserted"));
            return false;
        }
    }
    return true;
}

bool FeedEditor::storeContentGrid(const GridModel& grid, const QString& key, const QString& kind)
{
    const bool nutrients = kind == QLatin1String("I");
    if (!m_context.db().executeSql(
            QStringLiteral("DELETE T_FM_NAEHRSTOFF.*, T_FM_NAEHRSTOFF.ID_FM, T_NAEHRSTOFFE.KZ_IK ") +
            QStringLiteral("FROM T_NAEHRSTOFFE INNER JOIN T_FM_NAEHRSTOFF ON T_NAEHRSTOFFE.ID = "
                           "T_FM_NAEHRSTOFF.ID_NAEHRSTOFF ") +
            QStringLiteral("WHERE (((T_FM_NAEHRSTOFF.ID_FM)= ") + key +
            QStringLiteral(") AND ((T_NAEHRSTOFFE.KZ_IK)=") + Sql::quote(kind) + QStringLiteral("))"))) {
        tell(nutrients
                 ? text("Nährstoffe konnten nicht gelöscht werden", "Feedstuff could not be deleted")
                 : text("Kenngrössen konnten nicht gelöscht werden", "Indicators could not be deleted"));
        return false;
    }
    for (int row = 1; row < grid.rowCount(); ++row) {
        const std::optional<double> amount = amountOf(grid.text(row, AmountColumn));
        if (!amount)
            continue;
        if (!m_context.db().executeSql(
                QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (") +
                key + QStringLiteral(", ") + QString::number(grid.text(row, KeyColumn).toLongLong()) +
                QStringLiteral(", ") + QString::number(*amount, 'g', 17) + QStringLiteral(", TRUE)"))) {
            const QString name = grid.text(row, NameColumn);
            tell(nutrients ? text("Nährstoff %1 konnte nicht eingefügt werden",
                                  "Feedstuff %1 could not be inserted")
                                 .arg(name)
                           : text("Kenngrösse %1 konnte nicht eingefügt werden",
                                  "Indicator %1 could not be inserted")
                                 .arg(name));
            return false;
        }
    }
    return true;
}

bool FeedEditor::storeContents(const QString& key)
{
    return storeContentGrid(m_nutrients, key, QStringLiteral("I")) &&
           storeContentGrid(m_indicators, key, QStringLiteral("K"));
}

bool FeedEditor::save()
{
    if (refusedAsShipped())
        return false;
    const QString type = m_types.currentIndex() < 0 ? QString() : QString::number(m_types.currentData());
    if (code() == Lang::German ? m_germanName.isEmpty() : m_englishName.isEmpty()) {
        tell(text("Bitte geben Sie eine Bezeichnung deutsch ein", "Please enter an english description"));
        return false;
    }
    const int moisture = rowOf(m_nutrients, NutrientKey::Moisture);
    const int dryMatter = rowOf(m_nutrients, NutrientKey::DryMatter);
    if (!FeedIndicatorCalculator::moistureAndDryMatterAddUp(
            moisture < 0 ? QString() : m_nutrients.text(moisture, AmountColumn),
            dryMatter < 0 ? QString() : m_nutrients.text(dryMatter, AmountColumn))) {
        tell(FeedIndicatorCalculator::moistureAndDryMatterMessage(code()));
        return false;
    }
    if (!amountsAreNumbers())
        return false;

    const bool isNew = m_key.isEmpty();
    const QString failed = isNew ? text("Satz konnte nicht eingefügt werden", "Record could not be inserted")
                                 : text("Satz konnte nicht geändert werden", "Record could not be updated");
    Connection& db = m_context.db();
    DbTransaction transaction(db);
    if (!transaction.isActive()) {
        tell(failed);
        return false;
    }
    const QString typeValue = type.isEmpty() ? QStringLiteral("NULL") : type;
    const QString active = m_active ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    QString key = m_key;
    if (isNew) {
        qint64 newKey = 0;
        if (!takeNewKey(newKey, failed))
            return false;
        key = QString::number(newKey);
        const QString sql =
            QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
            QStringLiteral("DEMO_KZ, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
            QStringLiteral("DATUM_BEARBEITET, AKTIV) VALUES (") + key + QStringLiteral(", ") + typeValue +
            QStringLiteral(", ") + Sql::quoteOrNull(m_germanName) + QStringLiteral(", ") +
            Sql::quoteOrNull(m_englishName) + QStringLiteral(", ") + Sql::quote(m_context.ownerCode()) +
            QStringLiteral(", FALSE, ") + Sql::quoteOrNull(m_producer) + QStringLiteral(", ") +
            Sql::quoteOrNull(m_dataMissing) + QStringLiteral(", ") + Sql::quoteOrNull(m_hintGerman) +
            QStringLiteral(", ") + Sql::quoteOrNull(m_hintEnglish) + QStringLiteral(", NOW(), ") + active +
            QStringLiteral(")");
        if (!db.executeSql(sql)) {
            tell(failed);
            return false;
        }
    } else {
        const QString sql = QStringLiteral("UPDATE T_FUTTERMITTEL SET ID_FM_TYP = ") + typeValue +
                            QStringLiteral(", BEZ_DE = ") + Sql::quoteOrNull(m_germanName) +
                            QStringLiteral(", BEZ_US = ") + Sql::quoteOrNull(m_englishName) +
                            QStringLiteral(", HERSTELLER = ") + Sql::quoteOrNull(m_producer) +
                            QStringLiteral(", DATEN_FEHLEN = ") + Sql::quoteOrNull(m_dataMissing) +
                            QStringLiteral(", HINWEIS = ") + Sql::quoteOrNull(m_hintGerman) +
                            QStringLiteral(", HINT = ") + Sql::quoteOrNull(m_hintEnglish) +
                            QStringLiteral(", DATUM_BEARBEITET = NOW(), AKTIV = ") + active +
                            QStringLiteral(" WHERE ID = ") + key;
        long updated = 0;
        if (!db.executeSql(sql, updated)) {
            tell(failed);
            return false;
        }
        // Another copy of the program deleted it since it was loaded: its
        // contents would be stored for no feedstuff.
        if (updated != 1) {
            tell(text("Das Futtermittel „%1“ gibt es nicht mehr; es wurde nicht gespeichert.",
                      "The feedstuff \"%1\" no longer exists; it has not been saved.")
                     .arg(code() == Lang::German ? m_germanName : m_englishName));
            return false;
        }
    }
    if (!storeCategories(key) || !storeContents(key))
        return false;
    if (!transaction.commit()) {
        tell(failed);
        return false;
    }
    m_key = key;
    m_lastUpdate = DateText::forLanguage(m_context.today(), Lang::German);
    m_modified = false;
    fillBar();
    tell(text("Futtermittel wurde gespeichert !", "Feedstuff has been saved !"));
    emit changed();
    return true;
}

bool FeedEditor::deleteFeed()
{
    if (m_key.isEmpty()) {
        tell(text("Löschen eines neuen Satzes nicht möglich", "You can not delete a new record"));
        return false;
    }
    if (refusedAsShipped())
        return false;
    const QString name = code() == Lang::German ? m_germanName : m_englishName;
    if (const std::optional<QString> refused = FeedRemoval::refusal(m_context.db(), code(), m_key, name)) {
        tell(*refused);
        return false;
    }
    if (m_prompt.question(text("Wollen Sie das Futtermittel ", "Do you want to delete the feedstuff ") +
                              name + (code() == Lang::German ? QStringLiteral(" löschen") : QString()),
                          Prompt::Buttons::YesNo, Prompt::Icon::Question) != Prompt::Answer::Yes)
        return false;
    if (const std::optional<QString> failed = FeedRemoval::remove(m_context.db(), code(), m_key, name)) {
        tell(*failed);
        return false;
    }
    clearForm();
    fillBar();
    emit changed();
    return true;
}

bool FeedEditor::copyStoredRows(const QString& key, const QString& failed)
{
    Connection& db = m_context.db();
    if (!db.executeSql(QStringLiteral("INSERT INTO T_FM_KAT (ID_FM, ID_FM_KATEGORIE, AKTIV) SELECT ") + key +
                       QStringLiteral(", ID_FM_KATEGORIE, AKTIV FROM T_FM_KAT WHERE ID_FM = ") + m_key) ||
        !db.executeSql(
            QStringLiteral("INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) SELECT ") + key +
            QStringLiteral(", ID_NAEHRSTOFF, MENGE, AKTIV FROM T_FM_NAEHRSTOFF WHERE ID_FM = ") + m_key)) {
        tell(failed);
        return false;
    }
    return true;
}

bool FeedEditor::copy()
{
    if (m_key.isEmpty()) {
        tell(text("Kopieren eines leeren Satzes nicht möglich", "You can not copy an empty record"));
        return false;
    }
    if (!amountsAreNumbers())
        return false;
    tell(QStringLiteral("Es wird der Satz mit Nummer ") + m_key + QStringLiteral(" kopiert"));
    const QString name = code() == Lang::German ? m_germanName : m_englishName;
    const QString notCopied =
        text("Futtermittel %1 konnte nicht kopiert werden", "Feedstuff %1 could not be copied").arg(name);
    Connection& db = m_context.db();
    DbTransaction transaction(db);
    if (!transaction.isActive()) {
        tell(notCopied);
        return false;
    }
    qint64 newKey = 0;
    if (!takeNewKey(newKey, notCopied))
        return false;
    const QString key = QString::number(newKey);
    const QString germanName = m_germanName + QStringLiteral("_Kopie");
    const QString englishName = m_englishName + QStringLiteral("_Copy");
    long copied = 0;
    const QString sql = QStringLiteral("INSERT INTO T_FUTTERMITTEL (ID, ID_FM_TYP, BEZ_DE, BEZ_US, EIGEN, ") +
                        QStringLiteral("DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
                        QStringLiteral("DATUM_BEARBEITET, AKTIV) SELECT ") + key +
                        QStringLiteral(", ID_FM_TYP, ") + Sql::quote(germanName) + QStringLiteral(", ") +
                        Sql::quote(englishName) + QStringLiteral(", ") + Sql::quote(m_context.ownerCode()) +
                        QStringLiteral(", DEMO_KZ, DATUM, HERSTELLER, DATEN_FEHLEN, HINWEIS, HINT, ") +
                        QStringLiteral("NOW(), AKTIV FROM T_FUTTERMITTEL WHERE ID = ") + m_key;
    if (!db.executeSql(sql, copied) || copied != 1) {
        tell(notCopied);
        return false;
    }
    // What the screen shows goes with the copy, unsaved edits included; an
    // unchanged one takes the stored rows, whose amounts have more places
    // than the grid shows.
    if (m_modified ? !storeCategories(key) || !storeContents(key) : !copyStoredRows(key, notCopied))
        return false;
    if (!transaction.commit()) {
        tell(notCopied);
        return false;
    }
    m_key = key;
    m_germanName = germanName;
    m_englishName = englishName;
    m_lastUpdate = DateText::forLanguage(m_context.today(), Lang::German);
    // The copy is the practice's own, editable, and its contents have no
    // source: that of a shipped value no longer holds once it is changed.
    m_readOnly = false;
    setAmountsReadOnly(false);
    for (GridModel* grid : {&m_nutrients, &m_indicators}) {
        for (int row = grid->fixedRowCount(); row < grid->rowCount(); ++row)
            grid->setToolTip(row, AmountColumn, QString());
    }
    // The copy holds what the screen shows.
    m_modified = false;
    fillBar();
    emit changed();
    return true;
}

bool FeedEditor::canClose()
{
    // Nothing of a shipped feedstuff can have changed.
    if (!m_modified || m_readOnly)
        return true;
    const Prompt::Answer answer = m_prompt.question(
        text("Möchten Sie dieses Futtermittel speichern?", "Do you want to save this feedstuff?"),
        Prompt::Buttons::YesNoCancel, Prompt::Icon::Exclamation);
    if (answer == Prompt::Answer::No)
        return true;
    if (answer != Prompt::Answer::Yes)
        return false;
    // Saved as the save button saves: the derived figures calculated first.
    return (m_calculated || calculate()) && save();
}
