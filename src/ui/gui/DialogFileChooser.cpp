#include "ui/gui/DialogFileChooser.h"

#include <QFileDialog>

QString DialogFileChooser::chooseOpen(const QString& caption, const QString& filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, QString(), filter);
}

// QFileDialog asks before overwriting unless told otherwise.
QString DialogFileChooser::chooseSave(const QString& caption, const QString& filter)
{
    return QFileDialog::getSaveFileName(m_parent, caption, QString(), filter);
}
