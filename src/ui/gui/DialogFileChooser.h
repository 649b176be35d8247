#pragma once

#include "core/FileChooser.h"

class QWidget;

// The system's file dialogs over the given window.
class DialogFileChooser : public FileChooser
{
public:
    explicit DialogFileChooser(QWidget* parent = nullptr)
        : m_parent(parent)
    {
    }

    QString chooseOpen(const QString& caption, const QString& filter = QString()) override;
    QString chooseSave(const QString& caption, const QString& filter = QString()) override;

private:
    QWidget* m_parent;
};
