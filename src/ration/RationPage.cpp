#include "ration/RationPage.h"

#include "core/Codes.h"
#include "core/FileChooser.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "ration/CaseHeaderForm.h"
#include "ration/CaseType.h"
#include "ration/NutrientColumns.h"
#include "ration/RationCsv.h"
#include "ration/RationPageTexts.h"
#include "ui/GridModel.h"

#include <QDir>
#include <QSaveFile>

#include <algorithm>
#include <vector>

using namespace NutrientColumns;

namespace {

const QString AllEntry = QStringLiteral("<ALLE>");

// A filter counts as set when its data text sorts after "0": "-1" (no choice)
// and "0" (<ALLE>) do not.
bool isSet(const QString& data)
{
    return data > QStringLiteral("0");
}

QString sexCode(const QString& languageCode, const QString& sexText)
{
    if (sexText == QLatin1String("M") && (languageCode == Lang::German || languageCode == Lang::English))
        return QStringLiteral("m) ");
    if (languageCode == Lang::German && sexText == QLatin1String("W"))
        return QStringLiteral("w) ");
    if (languageCode == Lang::English && sexText == QLatin1String("F"))
        return QStringLiteral("f) ");
    return QString();
}

} // namespace

RationPage::RationPage(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
    , m_limits(context, form.ration().grids())
    , m_followUpLimits(FollowUpLimits::read(context))
{
    m_form.setRationPageHooks(this);
    m_form.ration().setAfterRecalculation([this] {
        m_limits.refresh();
        emit floorWarningChanged(floorWarning());
    });
    GridModel& ration = m_form.ration().rationGrid();
    GridModel& profile = m_form.ration().profileGrid();
    connect(&ration, &GridModel::clicked, this, &RationPage::rationGridClicked);
    connect(&ration, &GridModel::editEnded, this, &RationPage::rationGridEditEnded);
    connect(&profile, &GridModel::clicked, this, [this, &profile](int row, int column) {
        if (row == NameRow)
            toggleColumnMark(profile, column);
    });
}

RationPage::~RationPage()
{
    m_form.setRationPageHooks(nullptr);
    m_form.ration().setAfterRecalculation(nullptr);
}

RationPageLabels RationPage::labels(const QString& languageCode)
{
    using namespace RationPageTexts;
    const QString code = Lang::labelCode(languageCode);
    return RationPageLabels{CategoryLabel.in(code), TypeLabel.in(code),  FoodLabel.in(code),
                            FilterLabel.in(code),   PrintLabel.in(code), BalanceLabel.in(code),
                            CsvLabel.in(code)};
}

RationPageLabels RationPage::labels() const
{
    return labels(code());
}

QString RationPage::code() const
{
    return m_context.languageCode();
}

QString RationPage::floorWarning() const
{
    const CaseValues values = m_form.values();
    const std::optional<double> supplied = m_form.ration().model().suppliedKcal();
    if (!CaseType::isWeightReduction(values.caseType) || !CaseValues::weighs(values.actualWeight) ||
        !supplied || m_form.ration().model().feeds.empty())
        return QString();
    const double floor = m_followUpLimits.floorKcal(*values.actualWeight);
    if (*supplied >= floor)
        return QString();
    return RationPageTexts::BelowFloor.in(code()).arg(NumberText::format(*supplied, 0),
                                                      NumberText::format(floor, 0),
                                                      NumberText::format(m_followUpLimits.floorPercent, 0));
}

void RationPage::setUp()
{
    RationCalculation& ration = m_form.ration();
    ration.buildRationGrid();
    ration.buildProfileGrid();
    if (!m_form.pendingCaseKey().isEmpty()) {
        ration.applyCaseNutrientSelection();
        ration.loadRequirementFormulas();
        ration.loadIndicatorFormulas();
    }
    m_limits.refresh();
}

// Filter lists -----------------------------------------------------------------

void RationPage::fillCategoryFilter()
{
    const int caseType = m_form.caseTypeKey();
    const bool opened = m_category.fill(
        m_context.db(),
        QStringLiteral("SELECT T_FALL_KAT.ID_FM_Kategorie AS ITEMDATA, T_KATEGORIEN.Bez_") + code() +
            QStringLiteral(" AS ITEMTEXT ") +
            QStringLiteral(
                "FROM T_FALL_KAT INNER JOIN T_KATEGORIEN ON T_FALL_KAT.ID_FM_Kategorie = T_KATEGORIEN.ID ") +
            QStringLiteral("WHERE ID_FALL = ") + QString::number(caseType) +
            QStringLiteral(" AND T_FALL_KAT.AKTIV = TRUE"));
    if (opened)
        m_category.add(0, CaseType::isDietType(caseType) ? QString() : AllEntry);
    emit categoryListChanged();
}

void RationPage::fillTypeFilter()
{
    // Row 0 of the type table ("all types", in some data "no type") has the
    // key 0 of <ALLE> and lifts the filter just as well, so it would be a
    // second entry meaning all. <ALLE> stands for it, as in the category
    // list; choosing it lists every feedstuff, those without a type too.
    m_type.fill(m_context.db(), QStringLiteral("SELECT ID AS ITEMDATA, Bez_") + code() +
                                    QStringLiteral(" AS ITEMTEXT ") +
                                    QStringLiteral("FROM T_FM_TYP WHERE AKTIV = TRUE AND ID <> 0"));
    m_type.add(0, AllEntry);
    emit typeListChanged();
}

PagedChoiceList::Query RationPage::feedListQuery(const QString& languageCode, const QString& category,
                                                 const QString& type, const QString& search)
{
    const QString name = QStringLiteral("T_FUTTERMITTEL.Bez_") + languageCode;
    QString select = QStringLiteral("SELECT T_FUTTERMITTEL.ID AS ITEMDATA, ") + name +
                     QStringLiteral(" AS ITEMTEXT FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.AKTIV = TRUE");
    if (isSet(type))
        select += QStringLiteral(" AND T_FUTTERMITTEL.ID_FM_Typ = ") + type;
    // EXISTS rather than a join: a feedstuff entered twice in the category
    // is listed once, and the rows stay in the order of the name's index.
    if (isSet(category)) {
        select += QStringLiteral(" AND EXISTS (SELECT T_FM_KAT.ID_FM FROM T_FM_KAT WHERE T_FM_KAT.ID_FM = "
                                 "T_FUTTERMITTEL.ID AND T_FM_KAT.ID_FM_Kategorie = ") +
                  category + QStringLiteral(")");
    }
    // Quoted so that an apostrophe is searched for; % and _ stay wildcards.
    // The connection's like ignores case, umlauts too, so the name is
    // compared as it is stored rather than lower-cased row by row.
    if (!search.isEmpty())
        select += QStringLiteral(" AND ") + name + QStringLiteral(" like ") +
                  Sql::quote(QLatin1Char('%') + search + QLatin1Char('%'));
    return PagedChoiceList::Query{select, name, QStringLiteral("T_FUTTERMITTEL.ID")};
}

void RationPage::fillFeedList()
{
    m_feed.fill(m_context.db(),
                feedListQuery(code(), QString::number(m_category.currentData()),
                              QString::number(m_type.currentData()), m_searchText.trimmed().toLower()));
    emit feedListChanged();
}

void RationPage::userChoseCategory(int index)
{
    m_category.setCurrentIndex(index);
    fillTypeFilter();
    fillFeedList();
}

void RationPage::userChoseType(int index)
{
    m_type.setCurrentIndex(index);
    fillFeedList();
}

void RationPage::filterClicked()
{
    fillFeedList();
}

// Feedstuff rows -------------------------------------------------------------------

void RationPage::setFeedChoice(int index)
{
    m_feed.setCurrentIndex(index);
}

void RationPage::feedListClosed()
{
    if (m_feed.currentIndex() >= 0)
        fillRationRows();
}

void RationPage::fillRationRows()
{
    const QString caseKey = m_form.pendingCaseKey();
    if (!caseKey.isEmpty())
        m_form.ration().fillRationRows(caseKey);
    else
        pickChosenFeed();
}

void RationPage::pickChosenFeed()
{
    if (m_feed.currentIndex() < 0)
        return;
    const QString key = QString::number(m_feed.currentData());
    RationGrids& grids = m_form.ration().grids();
    if (grids.feedRow(key) >= 0) {
        m_prompt.message(RationPageTexts::FeedAlreadyListed.in(code()), Prompt::Icon::Exclamation);
        return;
    }
    if (grids.addFeed(key) >= 0)
        m_form.markChanged();
}

void RationPage::removeFeed(int row)
{
    GridModel& grid = m_form.ration().rationGrid();
    if (row < FirstFeedRow || row >= grid.rowCount())
        return;
    const Prompt::Answer answer = m_prompt.question(RationPageTexts::DeleteFeedQuestion.in(code()),
                                                    Prompt::Buttons::YesNoCancel, Prompt::Icon::Exclamation);
    if (answer != Prompt::Answer::Yes)
        return;
    // Only the ration changes; the stored one follows with the next save.
    m_form.ration().grids().removeFeedRow(row);
    m_form.markChanged();
    m_form.ration().sumSupply();
    m_form.ration().evaluateIndicators();
    grid.redraw();
    m_form.ration().profileGrid().redraw();
}

void RationPage::rationGridClicked(int row, int column)
{
    if (row == NameRow)
        toggleColumnMark(m_form.ration().rationGrid(), column);
    else if (row >= FirstFeedRow && column == RationGrids::NameColumn)
        removeFeed(row);
}

void RationPage::rationGridEditEnded(int row, int column, const QString& text)
{
    if (row < FirstFeedRow || column != RationGrids::AmountColumn)
        return;
    const GridModel& grid = m_form.ration().rationGrid();
    m_form.markChanged();
    m_form.ration().recalcContributions(grid.text(row, RationGrids::KeyColumn), text);
}

// Column marks ----------------------------------------------------------------------

void RationPage::markColumn(GridModel& grid, int column, bool selected)
{
    m_form.ration().grids().columnsOf(grid)[size_t(column - FirstColumn)].marked = selected;
    if (selected) {
        grid.setText(MarkRow, column, Codes::Mark);
        grid.setAlignment(MarkRow, column, GridAlign::Centre);
        grid.setBackground(NameRow, column, SelectedBackground);
        grid.setColumnWidth(column, m_form.ration().grids().selectedWidth(grid, column));
    } else {
        grid.setText(MarkRow, column, QStringLiteral(" "));
        grid.setBackground(NameRow, column, UnselectedBackground);
        grid.setColumnWidth(column, UnselectedWidth);
    }
}

void RationPage::toggleColumnMark(GridModel& grid, int column)
{
    const std::vector<RationColumn>& columns = m_form.ration().grids().columnsOf(grid);
    const auto toggleable = [&columns](int c) {
        return size_t(c - FirstColumn) < columns.size() && !columns[size_t(c - FirstColumn)].fixed;
    };
    if (column >= FirstColumn) {
        if (column < grid.columnCount() && toggleable(column))
            markColumn(grid, column, !columns[size_t(column - FirstColumn)].marked);
    } else if (column >= 0) {
        const bool allMarked = grid.text(MarkRow, RationGrids::NameColumn) == Codes::Mark;
        for (int c = FirstColumn; c < grid.columnCount(); ++c) {
            if (toggleable(c))
                markColumn(grid, c, !allMarked);
        }
        grid.setText(MarkRow, RationGrids::NameColumn, allMarked ? QString() : QString(Codes::Mark));
    }
    grid.redraw();
}

void RationPage::userChoseBasis(int index)
{
    if (index < 0 || index > static_cast<int>(RationFigures::Basis::PerKilogramDryMatter))
        return;
    m_limits.setBasis(static_cast<RationFigures::Basis>(index));
    // The figures shown in another basis may be wider or narrower.
    m_form.ration().grids().fitFigureColumns();
}

// Print -------------------------------------------------------------------------------

QString RationPage::printHeading() const
{
    const QString basis = m_limits.basis() == RationFigures::Basis::Daily
                              ? QString()
                              : QStringLiteral("  / ") + m_limits.basisLabel();
    return m_form.patientName() + QStringLiteral(" (") + m_form.speciesList().currentText() +
           QStringLiteral("/") + sexCode(code(), m_form.sexList().currentText()) +
           m_form.caseTypeList().currentText() + QStringLiteral("  / ") + m_form.ownerName() +
           QStringLiteral("  / ") + m_form.title() + basis;
}

bool RationPage::saveCsv(FileChooser& files)
{
    const QString path =
        files.chooseSave(RationPageTexts::CsvCaption.in(code()), RationPageTexts::CsvFilter.in(code()));
    if (path.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(RationCsv::file(m_form.ration().model(), m_limits.shownFigures(), code())) < 0 ||
        !file.commit()) {
        m_prompt.message(RationPageTexts::CsvNotWritten.in(code()).arg(QDir::toNativeSeparators(path)),
                         Prompt::Icon::Exclamation);
        return false;
    }
    return true;
}

void RationPage::preparePrint()
{
    m_windowText = printHeading();
    emit windowTextChanged(m_windowText);
}
