#include "feed/FeedEditor.h"

#include "core/Codes.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "feed/FeedIndicatorCalculator.h"

#include <initializer_list>

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

} // namespace

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
            g.setText(row, MarkColumn, QString(Codes::Mark));
    }
}

void FeedEditor::fillContentGrid(GridModel& g, const QString& kind, const QString& key)
{
    const bool nutrients = kind == Codes::Ingredient;
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
    const bool marked = m_categories.text(row, MarkColumn).trimmed() == Codes::Mark;
    m_categories.setText(row, MarkColumn, marked ? QString() : QString(Codes::Mark));
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
    fillContentGrid(m_nutrients, QString(Codes::Ingredient), QString());
    fillContentGrid(m_indicators, QString(Codes::Indicator), QString());
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
    m_readOnly = m_context.ownerCode() != Codes::SystemOwner &&
                 owner.trimmed().compare(Codes::SystemOwner, Qt::CaseInsensitive) == 0;
    fillCategoryGrid(m_key);
    fillContentGrid(m_nutrients, QString(Codes::Ingredient), m_key);
    fillContentGrid(m_indicators, QString(Codes::Indicator), m_key);
    setAmountsReadOnly(m_readOnly);
    m_calculated = false;
    m_modified = false;
    emit changed();
    return true;
}
