#include "ration/gui/CaseHeaderView.h"

#include "ui/gui/ChoiceControls.h"

#include "core/DateText.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "db/ChoiceList.h"
#include "output/FollowUpTexts.h"
#include "ration/CaseHeaderForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int NumberWidth = 52;
constexpr int NameWidth = 130;

// A label above its field or fields, as the header form stacks them.
QVBoxLayout* block(QLabel* label, std::initializer_list<QWidget*> fields, bool fieldGrows = false)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    column->addWidget(label);
    auto* row = new QHBoxLayout;
    row->setSpacing(3);
    for (QWidget* field : fields)
        row->addWidget(field);
    if (!fieldGrows)
        row->addStretch(1);
    column->addLayout(row);
    return column;
}

// Optional groups keep their place when hidden, so the other fields never move.
void keepPlaceWhenHidden(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

void showGroup(std::initializer_list<QWidget*> widgets, bool visible)
{
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}

QLineEdit* numberEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QLatin1String(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(NumberWidth);
    return edit;
}

QComboBox* list(const char* name, int width)
{
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(width);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return box;
}

QLabel* label()
{
    return new QLabel;
}

} // namespace

CaseHeaderView::CaseHeaderView(AppContext& context, CaseHeaderForm& form, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_form(form)
{
    setObjectName(QStringLiteral("CaseForm"));
    buildStrip();
    // In a window narrower than the fields they scroll sideways rather than
    // squeeze into each other.
    m_stripArea = new QScrollArea(this);
    m_stripArea->setObjectName(QStringLiteral("FieldStripArea"));
    m_stripArea->setFrameShape(QFrame::NoFrame);
    m_stripArea->setWidgetResizable(true);
    m_stripArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_stripArea->setWidget(m_strip);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stripArea);

    showLabels();
    connectEdits();
    fitStripArea();
}

void CaseHeaderView::fitStripArea()
{
    const QSize needed = m_strip->minimumSizeHint();
    // The area itself is laid out only after this view, so measure from here.
    const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
    const bool scrolls = needed.width() > width() - margins.left() - margins.right();
    m_stripArea->setFixedHeight(needed.height() +
                                (scrolls ? m_stripArea->horizontalScrollBar()->sizeHint().height() : 0));
}

void CaseHeaderView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitStripArea();
}

CaseHeaderView::~CaseHeaderView()
{
    // The fields lose the focus while they are torn down; that is no edit.
    m_c.actual->removeEventFilter(this);
}

void CaseHeaderView::buildStrip()
{
    m_strip = new QWidget;
    m_strip->setObjectName(QStringLiteral("FieldStrip"));
    CaseHeaderControls& c = m_c;

    c.salutationLabel = label();
    c.salutation = list("Salutation", 80);
    c.ownerLabel = label();
    c.owner = new QLineEdit;
    c.owner->setObjectName(QStringLiteral("OwnerName"));
    c.owner->setMinimumWidth(NameWidth);
    c.patientLabel = label();
    c.patient = new QLineEdit;
    c.patient->setObjectName(QStringLiteral("PatientName"));
    c.patient->setMinimumWidth(NameWidth);
    c.breedLabel = label();
    c.breed = list("Breed", 120);
    c.recipeDateLabel = label();
    c.recipeDate = new QLineEdit;
    c.recipeDate->setObjectName(QStringLiteral("RecipeDate"));
    c.recipeDate->setReadOnly(true);
    c.recipeDate->setFixedWidth(100);
    c.titleLabel = label();
    c.title = new QLineEdit;
    c.title->setObjectName(QStringLiteral("RecipeTitle"));
    c.title->setMinimumWidth(140);
    c.save = new QPushButton;
    c.save->setObjectName(QStringLiteral("Save"));
    c.newVisit = new QPushButton;
    c.newVisit->setObjectName(QStringLiteral("NewVisit"));

    c.speciesSexLabel = label();
    c.species = list("Species", 80);
    c.sex = list("Sex", 50);
    c.caseTypeLabel = label();
    c.caseType = list("CaseType", 170);
    c.actualLabel = label();
    c.actual = numberEdit("ActualWeight");
    c.actualUnit = new QLabel(QStringLiteral("kg"));
    c.targetLabel = label();
    c.target = numberEdit("TargetWeight");
    c.targetUnit = new QLabel(QStringLiteral("kg"));
    c.adultLabel = label();
    c.adult = numberEdit("AdultWeight");
    c.adultUnit = new QLabel(QStringLiteral("kg"));
    c.energyLabel = label();
    c.energy = numberEdit("Energy");
    c.energyUnit = new QLabel(QStringLiteral("%"));
    c.puppiesLabel = label();
    c.puppies = numberEdit("Puppies");
    c.birthDateLabel = label();
    c.hasBirthDate = new QCheckBox;
    c.hasBirthDate->setObjectName(QStringLiteral("HasBirthDate"));
    c.birthDate = new QDateEdit;
    c.birthDate->setObjectName(QStringLiteral("BirthDate"));
    c.birthDate->setCalendarPopup(true);
    c.birthDate->setAlignment(Qt::AlignRight);
    c.birthDate->setDisplayFormat(DateText::inputFormat(m_context.languageCode()));
    // A typed date counts when it is whole (Enter, or leaving the field), not
    // digit by digit: the half-typed "1" of "12.03.2021" is no birth date,
    // and recomputing on it would put the field back under the typing hand.
    c.birthDate->setKeyboardTracking(false);
    c.ageLabel = label();
    c.age = numberEdit("AgeWeeks");
    c.age->setReadOnly(true);

    c.catCondition = new QGroupBox;
    c.catCondition->setObjectName(QStringLiteral("CatCondition"));
    c.ribsPalpable = new QRadioButton;
    c.ribsPalpable->setObjectName(QStringLiteral("RibsPalpable"));
    c.ribsFatCovered = new QRadioButton;
    c.ribsFatCovered->setObjectName(QStringLiteral("RibsFatCovered"));
    // Both buttons may be off (a new case); the form decides which one is set.
    c.ribsPalpable->setAutoExclusive(false);
    c.ribsFatCovered->setAutoExclusive(false);
    auto* ribs = new QVBoxLayout(c.catCondition);
    ribs->setContentsMargins(6, 2, 6, 2);
    ribs->setSpacing(2);
    ribs->addWidget(c.ribsPalpable);
    ribs->addWidget(c.ribsFatCovered);

    keepPlaceWhenHidden({c.targetLabel, c.target, c.targetUnit, c.adultLabel, c.adult, c.adultUnit,
                         c.puppiesLabel, c.puppies, c.catCondition});

    auto* first = new QHBoxLayout;
    first->setSpacing(6);
    first->addLayout(block(c.salutationLabel, {c.salutation}));
    first->addLayout(block(c.ownerLabel, {c.owner}));
    first->addLayout(block(c.patientLabel, {c.patient}));
    first->addLayout(block(c.breedLabel, {c.breed}));
    first->addLayout(block(c.recipeDateLabel, {c.recipeDate}));
    first->addLayout(block(c.titleLabel, {c.title}, true), 1);
    first->addWidget(c.save, 0, Qt::AlignBottom);
    first->addWidget(c.newVisit, 0, Qt::AlignBottom);

    auto* second = new QHBoxLayout;
    second->setSpacing(6);
    second->addLayout(block(c.speciesSexLabel, {c.species, c.sex}));
    // Case type names are long; the list takes the room the row has left.
    c.caseType->setMaximumWidth(320);
    second->addLayout(block(c.caseTypeLabel, {c.caseType}, true), 1);
    second->addLayout(block(c.actualLabel, {c.actual, c.actualUnit}));
    second->addLayout(block(c.targetLabel, {c.target, c.targetUnit}));
    second->addLayout(block(c.adultLabel, {c.adult, c.adultUnit}));
    second->addLayout(block(c.energyLabel, {c.energy, c.energyUnit}));
    second->addLayout(block(c.puppiesLabel, {c.puppies}));
    second->addLayout(block(c.birthDateLabel, {c.hasBirthDate, c.birthDate}));
    second->addLayout(block(c.ageLabel, {c.age}));

    auto* rows = new QVBoxLayout;
    rows->setSpacing(3);
    rows->addLayout(first);
    rows->addLayout(second);

    auto* strip = new QHBoxLayout(m_strip);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(8);
    strip->addLayout(rows, 1);
    strip->addWidget(c.catCondition);
}

void CaseHeaderView::showLabels()
{
    const CaseHeaderLabels labels = m_form.labels();
    CaseHeaderControls& c = m_c;
    c.salutationLabel->setText(labels.salutation);
    c.ownerLabel->setText(labels.ownerName);
    c.patientLabel->setText(labels.patientName);
    c.breedLabel->setText(labels.breed);
    c.recipeDateLabel->setText(labels.recipeDate);
    c.titleLabel->setText(labels.title);
    c.save->setText(labels.save);
    c.newVisit->setText(FollowUpTexts::NewVisit.in(Lang::labelCode(m_context.languageCode())));
    c.speciesSexLabel->setText(labels.speciesAndSex);
    c.caseTypeLabel->setText(labels.caseType);
    c.catCondition->setTitle(labels.catCondition);
    c.ribsPalpable->setText(labels.ribsPalpable);
    c.ribsFatCovered->setText(labels.ribsFatCovered);
    c.actualLabel->setText(labels.actualWeight);
    c.targetLabel->setText(labels.targetWeight);
    c.adultLabel->setText(labels.adultWeight);
    c.energyLabel->setText(labels.energy);
    c.puppiesLabel->setText(labels.puppies);
    c.birthDateLabel->setText(labels.birthDate);
    c.ageLabel->setText(labels.ageWeeks);
}

template <typename Edit> void CaseHeaderView::userEdit(Edit&& edit)
{
    if (m_showing)
        return;
    edit();
    showForm();
    emit edited();
}

void CaseHeaderView::connectEdits()
{
    CaseHeaderControls& c = m_c;
    CaseHeaderForm& f = m_form;
    // Only signals that the user's own actions raise: activated, textEdited, clicked.
    connect(c.salutation, &QComboBox::activated, this,
            [this, &f](int i) { userEdit([&] { f.userChoseSalutation(i); }); });
    connect(c.breed, &QComboBox::activated, this,
            [this, &f](int i) { userEdit([&] { f.userChoseBreed(i); }); });
    connect(c.species, &QComboBox::activated, this,
            [this, &f](int i) { userEdit([&] { f.userChoseSpecies(i); }); });
    connect(c.sex, &QComboBox::activated, this, [this, &f](int i) { userEdit([&] { f.userChoseSex(i); }); });
    connect(c.caseType, &QComboBox::activated, this,
            [this, &f](int i) { userEdit([&] { f.userChoseCaseType(i); }); });

    const auto onText = [this](QLineEdit* edit, void (CaseHeaderForm::*set)(const QString&)) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, set](const QString& text) { userEdit([&] { (m_form.*set)(text); }); });
    };
    onText(c.owner, &CaseHeaderForm::setOwnerName);
    onText(c.patient, &CaseHeaderForm::setPatientName);
    onText(c.title, &CaseHeaderForm::setTitle);
    onText(c.actual, &CaseHeaderForm::setActualWeight);
    onText(c.target, &CaseHeaderForm::setTargetWeight);
    onText(c.adult, &CaseHeaderForm::setAdultWeight);
    onText(c.energy, &CaseHeaderForm::setEnergyPercent);
    onText(c.puppies, &CaseHeaderForm::setPuppies);
    c.actual->installEventFilter(this);

    connect(c.ribsPalpable, &QRadioButton::clicked, this,
            [this, &f] { userEdit([&] { f.userClickedRibsPalpable(); }); });
    connect(c.ribsFatCovered, &QRadioButton::clicked, this,
            [this, &f] { userEdit([&] { f.userClickedRibsFatCovered(); }); });

    connect(c.hasBirthDate, &QCheckBox::clicked, this, [this, &f](bool checked) {
        userEdit([&] {
            f.userChangedBirthDate(checked ? std::optional<QDate>(m_c.birthDate->date()) : std::nullopt);
        });
    });
    // The date edit reports the program's dates too; m_showing keeps those
    // out. A date the user types or picks is the birth date, and ticks the
    // box: nobody has to find the box first.
    connect(c.birthDate, &QDateEdit::dateChanged, this,
            [this, &f](QDate date) { userEdit([&] { f.userChangedBirthDate(date); }); });

    connect(c.save, &QPushButton::clicked, this, [this, &f] {
        userEdit([&] {
            if (f.saveCase())
                showLabels();
        });
    });
    connect(c.newVisit, &QPushButton::clicked, this, [this, &f] {
        if (!f.loadedCaseKey().isEmpty())
            emit newVisitRequested();
    });
}

bool CaseHeaderView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_c.actual && event->type() == QEvent::FocusOut)
        userEdit([this] { m_form.actualWeightLeft(); });
    return QWidget::eventFilter(watched, event);
}

void CaseHeaderView::showBirthDate()
{
    const std::optional<QDate> date = m_form.birthDate();
    m_c.hasBirthDate->setChecked(date.has_value());
    // Without a date the picker offers today's in grey, to be typed over,
    // picked from, or taken as it is by ticking the box.
    QPalette palette = m_c.birthDate->palette();
    palette.setColor(QPalette::Text, date ? m_c.age->palette().color(QPalette::Text) : QColor(Qt::gray));
    m_c.birthDate->setPalette(palette);
    const QDate shown = date.value_or(m_context.today());
    if (m_c.birthDate->date() != shown)
        m_c.birthDate->setDate(shown);
}

void CaseHeaderView::showForm()
{
    m_showing = true;
    const CaseHeaderForm& f = m_form;
    CaseHeaderControls& c = m_c;
    ChoiceControls::showChoices(c.salutation, f.salutationList());
    ChoiceControls::showChoices(c.breed, f.breedList());
    ChoiceControls::showChoices(c.species, f.speciesList());
    ChoiceControls::showChoices(c.sex, f.sexList());
    ChoiceControls::showChoices(c.caseType, f.caseTypeList());

    ChoiceControls::showText(c.owner, f.ownerName());
    ChoiceControls::showText(c.patient, f.patientName());
    ChoiceControls::showText(c.recipeDate, f.recipeDate());
    ChoiceControls::showText(c.title, f.title());
    ChoiceControls::showText(c.actual, f.actualWeight());
    ChoiceControls::showText(c.target, f.targetWeight());
    ChoiceControls::showText(c.adult, f.adultWeight());
    ChoiceControls::showText(c.energy, f.energyPercent());
    ChoiceControls::showText(c.puppies, f.puppies());
    ChoiceControls::showText(c.age, f.ageWeeks());
    showBirthDate();

    c.ribsPalpable->setChecked(f.ribsPalpable());
    c.ribsFatCovered->setChecked(f.ribsFatCovered());

    c.catCondition->setVisible(f.catConditionVisible());
    // The requirements wait for a body condition: the group says so in red.
    c.catCondition->setStyleSheet(f.bodyConditionMissing()
                                      ? QStringLiteral("QGroupBox { color: #c00000; font-weight: bold; }")
                                      : QString());
    showGroup({c.targetLabel, c.target, c.targetUnit}, f.targetWeightVisible());
    showGroup({c.puppiesLabel, c.puppies}, f.puppiesVisible());
    showGroup({c.adultLabel, c.adult, c.adultUnit}, f.adultWeightVisible());
    // A new visit is made from a case as it was stored.
    c.newVisit->setEnabled(!f.loadedCaseKey().isEmpty());
    m_showing = false;
}
