#pragma once

#include "app/LookupList.h"
#include "output/CaseSearchCriteria.h"

#include <QList>
#include <QString>

class Connection;

// The search bar of the main window without its widgets: the texts of its
// controls in the language it was created in, the species and sex lists, the
// user's choices and texts, and the criteria a search hands on.
class SearchBar
{
public:
    enum Control {
        SpeciesLabel = 1123,
        SpeciesList = 1000,
        SexLabel = 1124,
        SexList = 1008,
        OwnerLabel = 1007,
        OwnerEdit = 1003,
        PatientLabel = 1125,
        PatientEdit = 1004,
        TitleLabel = 1126,
        TitleEdit = 1005,
        SearchButton = 1001,
        NewCaseButton = 1009
    };

    // The controls from left to right.
    static const QList<int>& controls();
    // The object name of a control's widget, by its role ("speciesList").
    static QString roleName(int control);

    // The bar's texts are German unless it is created in English ("US").
    explicit SearchBar(const QString& languageCode);

    QString languageCode() const { return m_languageCode; }
    // The label or button text of a control; empty for the lists and edits.
    QString text(int control) const;
    // The picture of the new-case button: the English one for "US", else the German one.
    QString newCasePicture() const;
    // What the picture shows, for tool tip and screen readers.
    QString newCaseHint() const;

    static QString speciesQuery(const QString& languageCode);
    static QString sexQuery(const QString& languageCode);

    // Fills both lists from the database, species first; a failed query
    // leaves its list empty without a message. Nothing is chosen afterwards.
    void loadLists(Connection& db);
    const QList<LookupItem>& speciesItems() const { return m_species; }
    const QList<LookupItem>& sexItems() const { return m_sex; }

    // Choices by list index, -1 for none.
    int speciesIndex() const { return m_speciesIndex; }
    int sexIndex() const { return m_sexIndex; }
    void setSpeciesIndex(int index);
    void setSexIndex(int index);
    void setOwner(const QString& text) { m_owner = text; }
    void setPatient(const QString& text) { m_patient = text; }
    void setTitle(const QString& text) { m_title = text; }

    CaseSearchCriteria criteria() const;

private:
    static QString keyText(const QList<LookupItem>& items, int index);

    QString m_languageCode;
    QList<LookupItem> m_species;
    QList<LookupItem> m_sex;
    int m_speciesIndex = -1;
    int m_sexIndex = -1;
    QString m_owner;
    QString m_patient;
    QString m_title;
};
