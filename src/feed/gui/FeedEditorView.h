#pragma once

#include <QWidget>

class FeedEditor;
class GridView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The editor's controls: the selector bar, then the form in its field order,
// then the buttons.
struct FeedEditorControls
{
    QLabel* barTypeLabel;
    QComboBox* barTypeList;
    QLabel* barFeedLabel;
    QComboBox* barFeedList;
    QPushButton* newButton;

    QLabel* typeLabel;
    QComboBox* typeList;
    QLabel* germanNameLabel;
    QLineEdit* germanName;
    QLabel* englishNameLabel;
    QLineEdit* englishName;
    QLabel* producerLabel;
    QLineEdit* producer;
    QLabel* hintGermanLabel;
    QLineEdit* hintGerman;
    QLabel* hintEnglishLabel;
    QLineEdit* hintEnglish;
    QLabel* dataMissingLabel;
    QLineEdit* dataMissing;
    QLabel* activeLabel;
    QCheckBox* active;
    QLabel* lastUpdateLabel;
    QLineEdit* lastUpdate;
    QLabel* categoryLabel;
    GridView* categoryGrid;
    GridView* nutrientGrid;
    GridView* indicatorGrid;

    QPushButton* calculate;
    QPushButton* save;
    QPushButton* remove;
    QPushButton* copy;
    QLabel* note;
};

// The view of the feedstuff editor: shows what FeedEditor holds and hands it
// the user's edits and button clicks. Whatever the editor changes itself is
// shown again when it reports changed(), never handed back as an edit.
class FeedEditorView : public QWidget
{
    Q_OBJECT

public:
    explicit FeedEditorView(FeedEditor& editor, QWidget* parent = nullptr);

    const FeedEditorControls& controls() const { return m_c; }

    // Every field, list, grid width and button state as the editor holds them.
    void showEditor();

    // A grid edit still open counts before a button acts on the grids or
    // the window closes.
    void commitGridEdits();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void showLabels();
    void chainTabOrder();
    void connectEdits();

    FeedEditor& m_editor;
    FeedEditorControls m_c{};
};
