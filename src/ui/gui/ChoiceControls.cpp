#include "ui/gui/ChoiceControls.h"

#include "db/ChoiceList.h"

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

void showChoices(QComboBox* box, const ChoiceList& list)
{
    const QSignalBlocker blocker(box);
    bool same = box->count() == list.count();
    for (int i = 0; same && i < list.count(); ++i) {
        const ChoiceList::Entry& entry = list.entries()[size_t(i)];
        same = box->itemText(i) == entry.text && box->itemData(i).toInt() == entry.data;
    }
    if (!same) {
        box->clear();
        for (const ChoiceList::Entry& entry : list.entries())
            box->addItem(entry.text, entry.data);
    }
    box->setCurrentIndex(list.currentIndex());
}

void showText(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    edit->setText(text);
    edit->setCursorPosition(0);
}

} // namespace ChoiceControls
