#pragma once

#include <QString>

class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

// The buttons of the exchange dialogs: a file button beside the path, then
// run and cancel at the bottom right.
struct FileDialogButtons
{
    QPushButton* file;
    QPushButton* run;
    QPushButton* cancel;
};

// Lays out a file dialog: the note, the path row, an optional widget (a
// progress bar) and the buttons.
FileDialogButtons layOutFileDialog(QDialog& dialog, QWidget* note, QLineEdit* path, QWidget* extra,
                                   const QString& fileText, const QString& runText,
                                   const QString& cancelText);
