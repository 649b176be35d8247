#include "ui/gui/ChoiceControls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace ChoiceControls {

QComboBox* makeDropDown(const char* name, int minimumWidth)
{
    auto* box = new QComboBox;
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(minimumWidth);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMaxVisibleItems(20);
    return box;
}

void showChoices(QComboBox* box, const QStringList& texts, const QList<int>& keys, int current)
{
    const QSignalBlocker blocker(box);
    bool same = box->count() == texts.size();
    for (int i = 0; same && i < texts.size(); ++i)
        same = box->itemText(i) == texts[i] && box->itemData(i).toInt() == keys.value(i);
    if (!same) {
        box->clear();
        for (int i = 0; i < texts.size(); ++i)
            box->addItem(texts[i], keys.value(i));
    }
    box->setCurrentIndex(current);
}

void showText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    edit->setText(text);
    edit->setCursorPosition(0);
}

} // namespace ChoiceControls
