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
class QSpinBox;

// The recipe page: the recipe grid filling the page, "Print", the text list
// whose chosen block is appended to the recipe, and the handout's meals per
// day, batch days and language, which are stored with the case.
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
    QSpinBox* mealsBox() const { return m_meals; }
    QSpinBox* daysBox() const { return m_days; }
    QComboBox* languageList() const { return m_language; }

    // The document's name: the case window's title. The handout is printed
    // as a letter, without it above.
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
    void showChoices();
    // Takes a changed choice into the case and builds the recipe again.
    void choiceMade();

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    FormHeaderTexts m_texts;
    RecipePage m_page;
    GridView* m_grid;
    QComboBox* m_textList;
    QPushButton* m_print;
    QSpinBox* m_meals;
    QSpinBox* m_days;
    QComboBox* m_language;
};
