#pragma once

#include "output/CaseHeaderTexts.h"
#include "output/RecipePage.h"

#include <QWidget>

class AppContext;
class CaseHeaderForm;
class GridModel;
class GridView;
class Prompt;
class QComboBox;
class QPushButton;

// The recipe page: the recipe grid filling the page, "Print", and the text
// list whose chosen block is appended to the recipe.
class RecipePageView : public QWidget
{
    Q_OBJECT

public:
    RecipePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);

    // Builds the recipe again from the header form and the ration grid as
    // they are now; the text blocks already added stay below it.
    void refresh();

    RecipePage& page() { return m_page; }
    GridView* gridView() const { return m_grid; }
    QComboBox* textList() const { return m_textList; }
    QPushButton* printButton() const { return m_print; }

    // The heading printed above the recipe: the case window's title.
    static QString printTitle(const QString& languageCode);
    static bool printToPdf(const GridModel& recipe, const QString& languageCode, const QString& fileName);

    // Grows text-block rows whose wrapped text needs more lines than the
    // row-height rule allows for in the face actually drawn.
    static void fitTextBlockRows(GridModel& recipe, int firstTextRow);
    // Gives the recipe title's row every line its title wraps into, never
    // less than its laid-out height.
    static void fitTitleRow(GridModel& recipe);

private:
    void print();

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    FormHeaderTexts m_texts;
    RecipePage m_page;
    GridView* m_grid;
    QComboBox* m_textList;
    QPushButton* m_print;
};
