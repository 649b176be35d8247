#include "sysdata/gui/SystemTableView.h"

#include "db/AppContext.h"
#include "sysdata/SystemTableEditor.h"
#include "ui/gui/ChoiceControls.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridPrinter.h"
#include "ui/gui/GridView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace {

// The widths in T_GRUNDDATEN were set for another font; a caption that does
// not fit in ours widens its column. Hidden columns stay hidden, and the rows keep the widths
// they were given, since long texts would make a column run on and on.
void fitCaptions(GridModel& model)
{
    for (int col = 0; col < model.columnCount(); ++col) {
        const int width = model.columnWidth(col);
        if (width <= 0)
            continue;
        const int needed = GridCellPainter::neededWidth(model, SystemTableEditor::HeaderRow, col);
        if (needed > width)
            model.setColumnWidth(col, needed);
    }
}

} // namespace

SystemTableView::SystemTableView(SystemTableEditor& editor, AppContext& context, Prompt& prompt,
                                 QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
    , m_context(context)
    , m_prompt(prompt)
    , m_gridPrint([](GridView& view) { return GridPrinter::printWithDialog(view); })
{
    setObjectName(QStringLiteral("SystemTableView"));
    build();
    connectActions();
    // Rows grow with their wrapped texts, measured in the grid's font.
    m_editor.setCellHeight(&GridCellPainter::neededHeight);
    connect(&m_editor, &SystemTableEditor::changed, this, &SystemTableView::showEditor);
    showEditor();
}

void SystemTableView::build()
{
    SystemTableControls& c = m_c;
    c.tableLabel = ChoiceControls::makeNamed<QLabel>("SystemTableLabel");
    c.tableList = ChoiceControls::makeDropDown("SystemTableList", 260);
    c.dependentLabel = ChoiceControls::makeNamed<QLabel>("SystemDependentLabel");
    c.dependentList = ChoiceControls::makeDropDown("SystemDependentList", 200);
    c.copy = ChoiceControls::makeNamed<QPushButton>("SystemCopy");
    c.remove = ChoiceControls::makeNamed<QPushButton>("SystemDelete");
    c.print = ChoiceControls::makeNamed<QPushButton>("SystemPrint");
    c.grid = new GridView(&m_editor.grid());
    c.grid->setObjectName(QStringLiteral("SystemGrid"));
    c.tableLabel->setBuddy(c.tableList);
    c.dependentLabel->setBuddy(c.dependentList);

    const SystemTableEditorLabels labels = m_editor.labels();
    c.tableLabel->setText(labels.selectTable);
    c.dependentLabel->setText(labels.furtherDetails);
    c.copy->setText(labels.copy);
    c.remove->setText(labels.remove);
    c.print->setText(labels.print);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(6);
    bar->addWidget(c.tableLabel);
    bar->addWidget(c.tableList);
    bar->addSpacing(10);
    bar->addWidget(c.dependentLabel);
    bar->addWidget(c.dependentList);
    bar->addStretch(1);
    for (QPushButton* push : {c.copy, c.remove, c.print})
        bar->addWidget(push);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);
    layout->addLayout(bar);
    layout->addWidget(c.grid, 1);
}

void SystemTableView::connectActions()
{
    const SystemTableControls& c = m_c;
    // Only what the user's own actions raise: activated and clicked.
    connect(c.tableList, &QComboBox::activated, &m_editor, &SystemTableEditor::userChoseTable);
    connect(c.dependentList, &QComboBox::activated, this, &SystemTableView::chooseDependent);
    const std::pair<QPushButton*, bool (SystemTableEditor::*)()> actions[] = {
        {c.copy, &SystemTableEditor::copyClicked}, {c.remove, &SystemTableEditor::deleteClicked}};
    for (const auto& [push, act] : actions) {
        connect(push, &QPushButton::clicked, this, [this, act] {
            // A cell still being edited counts before the button acts on its row.
            m_c.grid->commitEdit();
            (m_editor.*act)();
        });
    }
    connect(c.print, &QPushButton::clicked, this, &SystemTableView::print);
}

void SystemTableView::chooseDependent(int index)
{
    m_c.grid->commitEdit();
    if (const auto window = m_editor.userChoseDependent(index))
        emit dependentWindowWanted(window->table, window->filterValue);
}

void SystemTableView::print()
{
    m_c.grid->commitEdit();
    reportPrint(m_gridPrint(*m_c.grid), m_prompt, m_context.languageCode());
}

void SystemTableView::showEditor()
{
    const SystemTableControls& c = m_c;
    ChoiceControls::showChoices(c.tableList, m_editor.tableList());
    ChoiceControls::showChoices(c.dependentList, m_editor.dependentList());
    fitCaptions(m_editor.grid());
    const bool dependents = m_editor.hasDependentTables();
    c.dependentLabel->setVisible(dependents);
    c.dependentList->setVisible(dependents);
}
