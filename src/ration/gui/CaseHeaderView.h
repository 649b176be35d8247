#pragma once

#include <QWidget>

class AppContext;
class CaseHeaderForm;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
struct CaseHeaderLabels;

// The header form's controls, in the order of the two rows.
struct CaseHeaderControls
{
    QLabel* salutationLabel;
    QComboBox* salutation;
    QLabel* ownerLabel;
    QLineEdit* owner;
    QLabel* patientLabel;
    QLineEdit* patient;
    QLabel* breedLabel;
    QComboBox* breed;
    QLabel* recipeDateLabel;
    QLineEdit* recipeDate;
    QLabel* titleLabel;
    QLineEdit* title;
    QPushButton* save;
    QPushButton* newVisit; // enabled for a stored case

    QLabel* speciesSexLabel;
    QComboBox* species;
    QComboBox* sex;
    QLabel* caseTypeLabel;
    QComboBox* caseType;
    QLabel* actualLabel;
    QLineEdit* actual;
    QLabel* actualUnit;
    QLabel* targetLabel;
    QLineEdit* target;
    QLabel* targetUnit;
    QLabel* adultLabel;
    QLineEdit* adult;
    QLabel* adultUnit;
    QLabel* energyLabel;
    QLineEdit* energy;
    QLabel* energyUnit;
    QLabel* puppiesLabel;
    QLineEdit* puppies;
    QLabel* birthDateLabel;
    QCheckBox* hasBirthDate; // unchecked: no date
    QDateEdit* birthDate;
    QLabel* ageLabel;
    QLineEdit* age;

    QGroupBox* catCondition;
    QRadioButton* ribsPalpable;
    QRadioButton* ribsFatCovered;
};

// The view of the header form: the strip of fields across the top of a case
// window. It shows what CaseHeaderForm holds and hands
// each user edit to it; values the form writes itself are only shown, never
// handed back as edits.
class CaseHeaderView : public QWidget
{
    Q_OBJECT

public:
    CaseHeaderView(AppContext& context, CaseHeaderForm& form, QWidget* parent = nullptr);
    ~CaseHeaderView() override;

    const CaseHeaderControls& controls() const { return m_c; }
    QWidget* fieldStrip() const { return m_strip; }

    // Shows the labels of the window's language and every value of the form.
    void showLabels();
    void showForm();

signals:
    // A user edit went through the form.
    void edited();
    // "Neuer Besuch" was pressed on a stored case.
    void newVisitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildStrip();
    void connectEdits();
    // Runs a user edit through the form, then shows what it changed.
    template <typename Edit> void userEdit(Edit&& edit);
    void showBirthDate();
    void fitStripArea();

    AppContext& m_context;
    CaseHeaderForm& m_form;
    CaseHeaderControls m_c{};
    QWidget* m_strip = nullptr;
    QScrollArea* m_stripArea = nullptr;
    // Set while the view writes the form's values into its controls.
    bool m_showing = false;
};
