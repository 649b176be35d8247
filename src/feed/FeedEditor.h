#pragma once

#include "db/ChoiceList.h"
#include "ui/GridModel.h"

#include <QObject>
#include <QString>

#include <optional>

class AppContext;
class Prompt;

// The texts of the editor's labels, buttons and grid headings in a language.
struct FeedEditorLabels
{
    QString type, germanName, englishName, producer, hintGerman, hintEnglish, dataMissing, active, lastUpdate,
        category;
    QString barType, barFeed, newButton;
    QString calculate, save, remove, copy, note;
    QString nutrientHeading, indicatorHeading, unitHeading, amountHeading;
};

// The feedstuff editor without its widgets: the selector bar (type filter,
// feedstuff list, "Neu"), the form's fields, the category, nutrient and
// indicator grids, and loading, calculating, saving, deleting and copying a
// feedstuff. Messages and questions go through the prompt; a view shows the
// fields and lists and calls the user's actions, then re-reads the editor
// when changed() fires.
class FeedEditor : public QObject
{
    Q_OBJECT

public:
    // Columns of the nutrient and indicator grids; row 0 is their heading.
    static constexpr int KeyColumn = 0;
    static constexpr int NameColumn = 1;
    static constexpr int UnitColumn = 2;
    static constexpr int DecimalsColumn = 3;
    static constexpr int AmountColumn = 4;
    // Columns of the category grid, which has no heading.
    static constexpr int CategoryKeyColumn = 0;
    static constexpr int CategoryNameColumn = 1;
    static constexpr int MarkColumn = 2;

    static constexpr Rgb RequiredBackground{255, 255, 255};
    static constexpr Rgb Background{204, 255, 255};

    FeedEditor(AppContext& context, Prompt& prompt, QObject* parent = nullptr);

    static FeedEditorLabels labels(const QString& languageCode);
    FeedEditorLabels labels() const;
    // "Futtermittel" / "Feedstuff".
    static QString windowTitle(const QString& languageCode);

    // The bar's feedstuff list for an owner code and a type filter (a key as
    // text, empty for none): the owner's own and the shipped ones, these
    // marked "(mitgeliefert)" / "(shipped)"; system data maintenance (owner
    // code M) lists every feedstuff unmarked.
    static QString feedListStatement(const QString& languageCode, const QString& ownerCode,
                                     const QString& typeFilter);

    // Selector bar
    const ChoiceList& barTypeList() const { return m_barTypes; }
    const ChoiceList& feedList() const { return m_feeds; }
    QString typeFilter() const { return m_typeFilter; }
    void userChoseBarType(int index);
    // The feedstuff list closed on this entry: loads it; nothing for -1.
    void userChoseFeed(int index);
    void newClicked();

    // Form
    const ChoiceList& typeList() const { return m_types; }
    void userChoseType(int index)
    {
        if (m_readOnly)
            return;
        m_types.setCurrentIndex(index);
        m_modified = true;
    }
    QString key() const { return m_key; }
    QString germanName() const { return m_germanName; }
    QString englishName() const { return m_englishName; }
    QString producer() const { return m_producer; }
    QString hintGerman() const { return m_hintGerman; }
    QString hintEnglish() const { return m_hintEnglish; }
    QString dataMissing() const { return m_dataMissing; }
    bool isActive() const { return m_active; }
    QString lastUpdate() const { return m_lastUpdate; }
    void setGermanName(const QString& text) { edited(m_germanName, text); }
    void setEnglishName(const QString& text) { edited(m_englishName, text); }
    void setProducer(const QString& text) { edited(m_producer, text); }
    void setHintGerman(const QString& text) { edited(m_hintGerman, text); }
    void setHintEnglish(const QString& text) { edited(m_hintEnglish, text); }
    void setDataMissing(const QString& text) { edited(m_dataMissing, text); }
    void setActive(bool active)
    {
        if (m_readOnly)
            return;
        m_modified = m_modified || active != m_active;
        m_active = active;
    }

    GridModel& categoryGrid() { return m_categories; }
    GridModel& nutrientGrid() { return m_nutrients; }
    GridModel& indicatorGrid() { return m_indicators; }
    // The row of a nutrient or indicator key in its grid, -1 without one.
    static int rowOf(const GridModel& grid, int key);

    // Empties the form, ticks "Aktiv" and fills the grids without marks or amounts.
    void clearForm();
    // Shows the stored feedstuff with this key; false when there is none.
    bool loadFeed(qint64 key);

    // "Berechnen": the derived figures from the analysis in the grids.
    bool calculate();
    // "Speichern", "Löschen", "Kopieren": each all or nothing.
    bool save();
    bool deleteFeed();
    bool copy();

    // The user changed the form or a grid since the feedstuff was loaded,
    // stored or the form emptied.
    bool isModified() const { return m_modified; }
    // Asks whether to save a changed feedstuff; true when the window may
    // close: Yes saves (calculating first where that is still to do) and
    // closes unless that fails, No discards, Cancel stays.
    bool canClose();

    // A shipped feedstuff loaded in a practice: shown for looking up its
    // values and their sources, changed only as an own copy.
    bool isReadOnly() const { return m_readOnly; }

    bool canCalculate() const { return !m_readOnly; }
    bool canSave() const { return m_calculated && !m_readOnly; }
    bool canDelete() const { return !m_key.isEmpty() && !m_readOnly; }
    bool canCopy() const { return !m_key.isEmpty(); }

signals:
    // Fields, lists, grids or the buttons' states changed.
    void changed();

private:
    QString code() const;
    void tell(const QString& message);
    void fillTypes(ChoiceList& list);
    void fillBar();
    void fillCategoryGrid(const QString& key);
    void fillContentGrid(GridModel& grid, const QString& kind, const QString& key);
    void toggleMark(int row, int column);
    // True (told) for a shipped feedstuff, which this practice cannot change.
    bool refusedAsShipped();
    // The amounts editable or not, after a load or a copy.
    void setAmountsReadOnly(bool readOnly);
    void edited(QString& field, const QString& text)
    {
        if (m_readOnly)
            return;
        m_modified = m_modified || field != text;
        field = text;
    }
    // The amount of every filled row reads as a number; false (told) otherwise.
    bool amountsAreNumbers();
    // The next key of the owner code's range, taken in the open transaction;
    // false (told, failed when the database gave no answer) otherwise.
    bool takeNewKey(qint64& key, const QString& failed);
    // The loaded feedstuff's stored categories and contents under key.
    bool copyStoredRows(const QString& key, const QString& failed);
    bool storeCategories(const QString& key);
    bool storeContents(const QString& key);
    bool storeContentGrid(const GridModel& grid, const QString& key, const QString& kind);

    AppContext& m_context;
    Prompt& m_prompt;
    ChoiceList m_barTypes, m_feeds, m_types;
    QString m_typeFilter;
    QString m_key;
    QString m_germanName, m_englishName, m_producer, m_hintGerman, m_hintEnglish, m_dataMissing, m_lastUpdate;
    bool m_active = true;
    bool m_calculated = false;
    bool m_modified = false;
    bool m_readOnly = false;
    GridModel m_categories, m_nutrients, m_indicators;
};
