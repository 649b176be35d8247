#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;
class QLineEdit;

// The drop-down lists and text fields of the forms, shown from their logic.
namespace ChoiceControls {

// A widget named by its role, so tests find it by object name.
template <typename Widget> Widget* makeNamed(const char* name)
{
    auto* widget = new Widget;
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A drop-down list named for tests, wide enough for its longest entries.
QComboBox* makeDropDown(const char* name, int minimumWidth);

// Shows entries (texts with their keys as data) and the chosen index; a
// refill by the program raises no user-choice signal, and an unchanged list
// is not rebuilt under an open popup.
void showChoices(QComboBox* box, const QStringList& texts, const QList<int>& keys, int current);

// The same for a list of the logic: anything with entries() of .text and
// .data and a currentIndex(), so the widgets need not know where it is read.
template <typename List> void showChoices(QComboBox* box, const List& list)
{
    QStringList texts;
    QList<int> keys;
    for (const auto& entry : list.entries()) {
        texts << entry.text;
        keys << entry.data;
    }
    showChoices(box, texts, keys, list.currentIndex());
}

// Shows a text the logic holds; an unchanged text is left alone so the
// cursor of a user still typing stays where it is, a new one reads from its start.
void showText(QLineEdit* edit, const QString& text);

} // namespace ChoiceControls
