#pragma once

#include "db/ChoiceList.h"
#include "db/PagedChoiceList.h"
#include "ration/FollowUpLimits.h"
#include "ration/RationBalancer.h"
#include "ration/RationPageHooks.h"
#include "ration/RationPageLimits.h"

#include <QObject>
#include <QString>

class AppContext;
class CaseHeaderForm;
class FileChooser;
class GridModel;
class Prompt;

// The texts of the page's labels and buttons in the window's language.
struct RationPageLabels
{
    QString category, type, food, filter, print, balance, csv;
};

// The ration page of a case window without its widgets: the three filter
// lists, the search text, picking and removing feedstuffs, the amount edits
// and the column marks of both grids. The grids belong to the header form's
// ration calculation; the page listens to their clicked() and editEnded()
// signals, so a view only shows the grids and the lists and reports choices.
//
// The page registers itself as the form's RationPageHooks for its lifetime.
// A case window makes the page and runs setUp() before the form's
// initCaseForm(), as the first page is shown when the sheet is made.
class RationPage : public QObject, public RationPageHooks
{
    Q_OBJECT

public:
    RationPage(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QObject* parent = nullptr);
    ~RationPage() override;
    RationPage(const RationPage&) = delete;
    RationPage& operator=(const RationPage&) = delete;

    static RationPageLabels labels(const QString& languageCode);
    RationPageLabels labels() const;

    // Builds both grids; for a case being opened also applies its column
    // selection and loads its formulas.
    void setUp();

    const ChoiceList& categoryList() const { return m_category; }
    const ChoiceList& typeList() const { return m_type; }
    // The feedstuff list reads its rows page by page as a view scrolls it.
    const PagedChoiceList& feedList() const { return m_feed; }
    PagedChoiceList& feedModel() { return m_feed; }
    QString searchText() const { return m_searchText; }
    // Typing in the search field filters nothing until the Filter button.
    void setSearchText(const QString& text) { m_searchText = text; }

    // The rows fillFeedList lists; category and type are the chosen entries'
    // data as decimal text, search the trimmed, lower-cased text.
    static PagedChoiceList::Query feedListQuery(const QString& languageCode, const QString& category,
                                                const QString& type, const QString& search);

    // RationPageHooks: also called by the header form.
    void fillCategoryFilter() override;
    void fillTypeFilter() override;
    void fillFeedList() override;
    // The stored ration while a case is being opened, else the feedstuff
    // chosen in the feedstuff list (once: a second pick only tells so).
    void fillRationRows();

    // The user's actions on the lists and buttons.
    void userChoseCategory(int index);
    void userChoseType(int index);
    void filterClicked();
    // Moving through the open feedstuff list picks nothing yet.
    void setFeedChoice(int index);
    // The feedstuff list closed; picks its chosen entry if there is one.
    void feedListClosed();

    // Asks, then removes the feedstuff row and recomputes supply and indicators.
    void removeFeed(int row);
    // A click on row 1 of either grid: one column, or all at once for columns 0 to 2.
    void toggleColumnMark(GridModel& grid, int column);

    // The maximum row, the supply marks and the basis the figures are shown in.
    const RationPageLimits& limits() const { return m_limits; }
    // The locks and bounds of the last balancing, for the next one.
    QHash<QString, FeedBounds>& balanceBounds() { return m_balanceBounds; }
    QStringList basisLabels() const { return RationPageLimits::basisLabels(code()); }
    // The switch: 0 per day, 1 per 1000 kcal ME, 2 per kg dry matter. The
    // amounts stay grams per day and can be typed in every basis.
    void userChoseBasis(int index);

    // Patient, species, sex, case type, owner and title of the header form;
    // the basis too when the figures are not shown per day.
    QString printHeading() const;
    // Makes the heading the page's window text; the grids print it on top.
    void preparePrint();
    // "Als CSV speichern…": the ration in the basis shown, into a file the
    // user chooses; a file that cannot be written is told, nothing else
    // changes. False when nothing was written.
    bool saveCsv(FileChooser& files);
    QString windowText() const { return m_windowText; }
    // On a weight reduction, the warning that the ration supplies less
    // energy than the practice's floor at the current weight; empty otherwise.
    QString floorWarning() const;

signals:
    void categoryListChanged();
    void typeListChanged();
    void feedListChanged();
    void windowTextChanged(const QString& text);
    // After every calculation: the floor warning as it is now.
    void floorWarningChanged(const QString& warning);

private:
    QString code() const;
    void pickChosenFeed();
    void rationGridClicked(int row, int column);
    void rationGridEditEnded(int row, int column, const QString& text);
    void markColumn(GridModel& grid, int column, bool selected);

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    ChoiceList m_category, m_type;
    PagedChoiceList m_feed;
    QString m_searchText;
    QString m_windowText;
    RationPageLimits m_limits;
    FollowUpLimits m_followUpLimits;
    QHash<QString, FeedBounds> m_balanceBounds;
};
