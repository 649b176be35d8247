#pragma once

#include "ui/PrintResult.h"

#include <QWidget>

#include <functional>

class AppContext;
class GridView;
class Prompt;
class QComboBox;
class QLabel;
class QPushButton;
class SystemTableEditor;

// The system data editor's controls: the selector bar, then the grid.
struct SystemTableControls
{
    QLabel* tableLabel;
    QComboBox* tableList;
    QLabel* dependentLabel;
    QComboBox* dependentList;
    QPushButton* copy;
    QPushButton* remove;
    QPushButton* print;
    GridView* grid;
};

// The view of the system data editor: the table list, "Weitere Angaben" while
// the table has dependent tables, the buttons and the table's grid. The lists
// are shown again when the editor reports changed(), never handed back as a
// choice of the user.
class SystemTableView : public QWidget
{
    Q_OBJECT

public:
    using GridPrint = std::function<PrintResult(GridView&)>;

    SystemTableView(SystemTableEditor& editor, AppContext& context, Prompt& prompt,
                    QWidget* parent = nullptr);

    const SystemTableControls& controls() const { return m_c; }
    // Printing goes through the print dialog unless a test puts its own here.
    void setGridPrint(GridPrint print) { m_gridPrint = std::move(print); }

    void showEditor();

signals:
    // The user chose an entry of "Weitere Angaben": the table and filter value
    // of the window to open.
    void dependentWindowWanted(int table, const QString& filterValue);

private:
    void build();
    void connectActions();
    void chooseDependent(int index);
    void print();

    SystemTableEditor& m_editor;
    AppContext& m_context;
    Prompt& m_prompt;
    SystemTableControls m_c{};
    GridPrint m_gridPrint;
};
