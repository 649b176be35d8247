#pragma once

#include "ui/PrintResult.h"

#include <QWidget>

#include <functional>
#include <memory>

class AppContext;
class CaseHeaderForm;
class FileChooser;
class RationPage;
class GridView;
class Prompt;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// The first page of the case sheet: the filter row, the ration grid, the
// profile grid and the Balance and Print buttons. The page's logic (RationPage) is made
// and set up with the view, which shows its lists and hands it the user's
// choices; the grids show the models of the form's ration calculation.
class RationPageView : public QWidget
{
    Q_OBJECT

public:
    // Grid heights in pixels: 233 and 70 dialog units of the page's font.
    // On a low screen the ration grid gives way down to its headings and two
    // feedstuffs rather than push the profile over itself.
    static constexpr int RationGridHeight = 379;
    static constexpr int RationGridMinimumHeight = 200;
    static constexpr int ProfileGridHeight = 114;

    // Prints one grid, normally through the print dialog.
    using GridPrint = std::function<PrintResult(GridView&)>;

    RationPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);
    ~RationPageView() override;

    RationPage& logic() const { return *m_page; }
    GridView* rationGridView() const { return m_rationGrid; }
    GridView* profileGridView() const { return m_profileGrid; }
    QHBoxLayout* filterRow() const { return m_filterRow; }
    QHBoxLayout* printRow() const { return m_printRow; }

    QLabel* categoryLabel() const { return m_categoryLabel; }
    QLabel* typeLabel() const { return m_typeLabel; }
    QLabel* feedLabel() const { return m_feedLabel; }
    QLabel* floorWarning() const { return m_floorWarning; }
    QComboBox* categoryList() const { return m_categoryList; }
    QComboBox* typeList() const { return m_typeList; }
    QComboBox* feedList() const { return m_feedList; }
    QLineEdit* searchText() const { return m_searchText; }
    QPushButton* filterButton() const { return m_filterButton; }
    QPushButton* printButton() const { return m_printButton; }
    QPushButton* balanceButton() const { return m_balanceButton; }
    QPushButton* csvButton() const { return m_csvButton; }
    // "Fall als PDF speichern…": the case report, written where the file
    // chooser says.
    QPushButton* reportButton() const { return m_reportButton; }
    // The file dialog by default; tests answer from a script.
    void setFileChooser(FileChooser& files) { m_files = &files; }
    // Per day, per 1000 kcal ME or per kg dry matter.
    QComboBox* basisList() const { return m_basisList; }

    // The print dialog by default; tests print to files instead.
    void setGridPrint(GridPrint print) { m_gridPrint = std::move(print); }
    // What the Print button does: the heading, then both grids.
    void print();
    // What the Balance button does: the balancing dialog, once its logic has
    // found something to balance.
    void balance();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildFilterRow();
    void connectControls();
    void feedListClosed();
    void showFeedList();
    void showFeedChoice();

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    RationPage* m_page;
    QHBoxLayout* m_filterRow;
    GridView* m_rationGrid;
    GridView* m_profileGrid;
    QHBoxLayout* m_printRow;
    QComboBox* m_basisList = nullptr;

    QLabel* m_categoryLabel = nullptr;
    QComboBox* m_categoryList = nullptr;
    QLabel* m_typeLabel = nullptr;
    QComboBox* m_typeList = nullptr;
    QLabel* m_feedLabel = nullptr;
    QLabel* m_floorWarning = nullptr;
    QComboBox* m_feedList = nullptr;
    QLineEdit* m_searchText = nullptr;
    QPushButton* m_filterButton = nullptr;
    QPushButton* m_printButton = nullptr;
    QPushButton* m_balanceButton = nullptr;
    QPushButton* m_csvButton = nullptr;
    QPushButton* m_reportButton = nullptr;
    QWidget* m_feedPopup = nullptr;
    std::unique_ptr<FileChooser> m_dialogFiles;
    FileChooser* m_files;
    GridPrint m_gridPrint;
};
