#include "ui/gui/MessageBoxPrompt.h"

#include <QMessageBox>

static QMessageBox::Icon boxIcon(Prompt::Icon icon)
{
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Exclamation:
    case Prompt::Icon::Warning:
        return QMessageBox::Warning;
    case Prompt::Icon::Error:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

MessageBoxPrompt::MessageBoxPrompt(QWidget* parent, QString title)
    : m_parent(parent)
    , m_title(std::move(title))
{
}

void MessageBoxPrompt::message(const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), m_title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

Prompt::Answer MessageBoxPrompt::question(const QString& text, Buttons buttons, Icon icon)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == Buttons::YesNo)
        standard = QMessageBox::Yes | QMessageBox::No;
    else if (buttons == Buttons::YesNoCancel)
        standard = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(boxIcon(icon), m_title, text, standard, m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}
