#include "exchange/gui/FileDialogLayout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FileDialogButtons layOutFileDialog(QDialog& dialog, QWidget* note, QLineEdit* path, QWidget* extra,
                                   const QString& fileText, const QString& runText, const QString& cancelText)
{
    FileDialogButtons b{new QPushButton(fileText, &dialog), new QPushButton(runText, &dialog),
                        new QPushButton(cancelText, &dialog)};
    b.file->setObjectName(QStringLiteral("fileButton"));
    b.file->setAutoDefault(false);
    b.run->setObjectName(QStringLiteral("runButton"));
    b.run->setDefault(true);
    b.cancel->setObjectName(QStringLiteral("cancelButton"));
    b.cancel->setAutoDefault(false);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path, 1);
    pathRow->addWidget(b.file);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(b.run);
    buttons->addWidget(b.cancel);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(note);
    layout->addLayout(pathRow);
    if (extra)
        layout->addWidget(extra);
    layout->addLayout(buttons);
    dialog.setMinimumWidth(480);
    return b;
}
