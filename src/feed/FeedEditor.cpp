#include "feed/FeedEditor.h"

#include "core/Codes.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/SqlQuote.h"
#include "feed/FeedEditorTexts.h"
#include "feed/FeedIndicatorCalculator.h"

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
    using namespace FeedEditorTexts;
    const QString code = Lang::labelCode(languageCode);
    return {TypeLabel.in(code),        GermanNameLabel.in(code),  EnglishNameLabel.in(code),
            ProducerLabel.in(code),    HintGermanLabel.in(code),  HintEnglishLabel.in(code),
            DataMissingLabel.in(code), ActiveLabel.in(code),      LastUpdateLabel.in(code),
            CategoryLabel.in(code),    BarTypeLabel.in(code),     BarFeedLabel.in(code),
            NewLabel.in(code),         CalculateLabel.in(code),   SaveLabel.in(code),
            DeleteLabel.in(code),      CopyLabel.in(code),        RequiredNote.in(code),
            NutrientHeading.in(code),  IndicatorHeading.in(code), UnitHeading.in(code),
            AmountHeading.in(code)};
}

FeedEditorLabels FeedEditor::labels() const
{
    return labels(code());
}

QString FeedEditor::windowTitle(const QString& languageCode)
{
    return FeedEditorTexts::Feedstuff.in(languageCode);
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
    if (ownerCode == Codes::SystemOwner)
        return select(name, QString());
    // The list sorts by text, so the shipped ones stand among the own ones,
    // told apart by their mark.
    const QString mark = FeedEditorTexts::Shipped.in(languageCode);
    return select(name, ownerCode) + QStringLiteral(" UNION ALL ") +
           select(name + QStringLiteral(" & ") + Sql::quote(mark), QString(Codes::SystemOwner));
}

QString FeedEditor::code() const
{
    return m_context.languageCode();
}

void FeedEditor::tell(const QString& message)
{
    m_prompt.message(message, Prompt::Icon::Exclamation);
}

bool FeedEditor::refusedAsShipped()
{
    if (!m_readOnly)
        return false;
    tell(FeedEditorTexts::ShippedFeedReadOnly.in(code()).arg(code() == Lang::German ? m_germanName
                                                                                    : m_englishName));
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

bool FeedEditor::canClose()
{
    // Nothing of a shipped feedstuff can have changed.
    if (!m_modified || m_readOnly)
        return true;
    const Prompt::Answer answer = m_prompt.question(FeedEditorTexts::SaveQuestion.in(code()),
                                                    Prompt::Buttons::YesNoCancel, Prompt::Icon::Exclamation);
    if (answer == Prompt::Answer::No)
        return true;
    if (answer != Prompt::Answer::Yes)
        return false;
    // Saved as the save button saves: the derived figures calculated first.
    return (m_calculated || calculate()) && save();
}
