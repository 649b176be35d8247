#pragma once

#include <QDialog>

class AppContext;

// "Info über Mensoly": the program icon and its version.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

// Where the program keeps its data and whose data it ships.
class InformationDialog : public QDialog
{
    Q_OBJECT

public:
    InformationDialog(AppContext& context, QWidget* parent = nullptr);
};
