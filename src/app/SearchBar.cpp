#include "app/SearchBar.h"

#include "app/SearchBarTexts.h"
#include "core/Lang.h"

const QList<int>& SearchBar::controls()
{
    static const QList<int> order = {SpeciesLabel, SpeciesList, SexLabel,     SexList,
                                     OwnerLabel,   OwnerEdit,   PatientLabel, PatientEdit,
                                     TitleLabel,   TitleEdit,   SearchButton, NewCaseButton};
    return order;
}

SearchBar::SearchBar(const QString& languageCode)
    : m_languageCode(languageCode)
{
}

QString SearchBar::roleName(int control)
{
    switch (control) {
    case SpeciesLabel:
        return QStringLiteral("speciesLabel");
    case SpeciesList:
        return QStringLiteral("speciesList");
    case SexLabel:
        return QStringLiteral("sexLabel");
    case SexList:
        return QStringLiteral("sexList");
    case OwnerLabel:
        return QStringLiteral("ownerLabel");
    case OwnerEdit:
        return QStringLiteral("ownerEdit");
    case PatientLabel:
        return QStringLiteral("patientLabel");
    case PatientEdit:
        return QStringLiteral("patientEdit");
    case TitleLabel:
        return QStringLiteral("titleLabel");
    case TitleEdit:
        return QStringLiteral("titleEdit");
    case SearchButton:
        return QStringLiteral("searchButton");
    case NewCaseButton:
        return QStringLiteral("newCaseButton");
    }
    return QString();
}

QString SearchBar::text(int control) const
{
    const QString code = Lang::labelCode(m_languageCode);
    switch (control) {
    case SpeciesLabel:
        return SearchBarTexts::SpeciesLabel.in(code);
    case SexLabel:
        return SearchBarTexts::SexLabel.in(code);
    case OwnerLabel:
        return SearchBarTexts::OwnerLabel.in(code);
    case PatientLabel:
        return QStringLiteral("Patient:");
    case TitleLabel:
        return SearchBarTexts::RecipeLabel.in(code);
    case SearchButton:
        return SearchBarTexts::SearchButton.in(code);
    default:
        return QString();
    }
}

QString SearchBar::newCasePicture() const
{
    return m_languageCode == Lang::English ? QStringLiteral(":/pictures/new-case-en.png")
                                           : QStringLiteral(":/pictures/new-case-de.png");
}

QString SearchBar::newCaseHint() const
{
    return SearchBarTexts::NewCaseHint.in(Lang::labelCode(m_languageCode));
}

QString SearchBar::speciesQuery(const QString& languageCode)
{
    return QStringLiteral("SELECT ID AS ITEMDATA , BEZ_") + languageCode +
           QStringLiteral(" AS ITEMTEXT FROM T_GATTUNG");
}

QString SearchBar::sexQuery(const QString& languageCode)
{
    return QStringLiteral("SELECT ID AS ITEMDATA , BEZ_") + languageCode +
           QStringLiteral(" AS ITEMTEXT FROM T_GESCHLECHT");
}

void SearchBar::loadLists(Connection& db)
{
    m_species = LookupList::load(db, speciesQuery(m_languageCode));
    m_sex = LookupList::load(db, sexQuery(m_languageCode));
    m_speciesIndex = -1;
    m_sexIndex = -1;
}

void SearchBar::setSpeciesIndex(int index)
{
    m_speciesIndex = index >= 0 && index < m_species.size() ? index : -1;
}

void SearchBar::setSexIndex(int index)
{
    m_sexIndex = index >= 0 && index < m_sex.size() ? index : -1;
}

QString SearchBar::keyText(const QList<LookupItem>& items, int index)
{
    return index >= 0 && index < items.size() ? QString::number(items.at(index).data) : QStringLiteral("-1");
}

CaseSearchCriteria SearchBar::criteria() const
{
    return {keyText(m_species, m_speciesIndex), keyText(m_sex, m_sexIndex), m_owner, m_patient, m_title};
}
