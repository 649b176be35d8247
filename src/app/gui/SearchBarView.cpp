#include "app/gui/SearchBarView.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

SearchBarView::SearchBarView(const QString& languageCode, Connection& db, QWidget* parent)
    : DockBar(QString(), QStringLiteral("SearchBar"), parent)
    , m_logic(languageCode)
{
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable | DockWidgetVerticalTitleBar);

    auto* form = new QWidget(this);
    m_row = new QBoxLayout(QBoxLayout::LeftToRight, form);
    m_row->setContentsMargins(6, 4, 6, 4);
    m_row->setSpacing(6);
    for (int id : SearchBar::controls()) {
        m_row->addWidget(makeControl(id));
        // A wider gap after each field keeps a label with the field it names.
        if (id == SearchBar::SpeciesList || id == SearchBar::SexList || id == SearchBar::OwnerEdit ||
            id == SearchBar::PatientEdit || id == SearchBar::TitleEdit)
            m_row->addSpacing(8);
    }
    m_row->addStretch(1);
    setWidget(form);

    m_logic.loadLists(db);
    auto fill = [](QComboBox* list, const QList<LookupItem>& items) {
        for (const LookupItem& item : items)
            list->addItem(item.text, item.data);
        // Adding the first item selects it; the bar starts with no choice.
        list->setCurrentIndex(-1);
    };
    auto* species = static_cast<QComboBox*>(control(SearchBar::SpeciesList));
    auto* sex = static_cast<QComboBox*>(control(SearchBar::SexList));
    fill(species, m_logic.speciesItems());
    fill(sex, m_logic.sexItems());
    connect(species, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_logic.setSpeciesIndex(index); });
    connect(sex, &QComboBox::currentIndexChanged, this, [this](int index) { m_logic.setSexIndex(index); });

    connect(this, &QDockWidget::dockLocationChanged, this, &SearchBarView::followDockArea);
}

QWidget* SearchBarView::makeControl(int id)
{
    QWidget* widget = nullptr;
    switch (id) {
    case SearchBar::SpeciesList:
    case SearchBar::SexList: {
        auto* list = new QComboBox;
        list->setMinimumContentsLength(10);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        widget = list;
        break;
    }
    case SearchBar::OwnerEdit:
    case SearchBar::PatientEdit:
    case SearchBar::TitleEdit: {
        auto* edit = new QLineEdit;
        edit->setMinimumWidth(id == SearchBar::TitleEdit ? 160 : 120);
        connect(edit, &QLineEdit::textChanged, this, [this, id](const QString& text) {
            if (id == SearchBar::OwnerEdit)
                m_logic.setOwner(text);
            else if (id == SearchBar::PatientEdit)
                m_logic.setPatient(text);
            else
                m_logic.setTitle(text);
        });
        widget = edit;
        break;
    }
    case SearchBar::SearchButton: {
        auto* button = new QPushButton(m_logic.text(id));
        connect(button, &QPushButton::clicked, this, &SearchBarView::searchClicked);
        widget = button;
        break;
    }
    case SearchBar::NewCaseButton: {
        auto* button = new QToolButton;
        const QPixmap picture(m_logic.newCasePicture());
        button->setIcon(picture);
        button->setIconSize(picture.size());
        button->setProperty("picture", m_logic.newCasePicture());
        button->setToolTip(m_logic.newCaseHint());
        button->setAccessibleName(m_logic.newCaseHint());
        connect(button, &QToolButton::clicked, this, &SearchBarView::newCaseClicked);
        widget = button;
        break;
    }
    default:
        widget = new QLabel(m_logic.text(id));
        break;
    }
    widget->setObjectName(SearchBar::roleName(id));
    widget->setProperty("controlId", id);
    return widget;
}

QWidget* SearchBarView::control(int id) const
{
    return widget() ? widget()->findChild<QWidget*>(SearchBar::roleName(id)) : nullptr;
}

// One row at the top or bottom; a column at the sides, where a row does not fit.
void SearchBarView::followDockArea(Qt::DockWidgetArea area)
{
    const bool side = area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea;
    m_row->setDirection(side ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    setFeatures(side ? features() & ~DockWidgetVerticalTitleBar : features() | DockWidgetVerticalTitleBar);
}
