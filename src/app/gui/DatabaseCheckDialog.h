#pragma once

#include "db/DatabaseCheck.h"

#include <QDialog>

class AppContext;
class Prompt;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;

// "Datenbank prüfen": runs the checks one after another under a progress
// bar, lists what they found in the user's language and offers the repair
// when a finding allows one.
class DatabaseCheckDialog : public QDialog
{
    Q_OBJECT

public:
    DatabaseCheckDialog(AppContext& context, Prompt& prompt, QWidget* parent = nullptr);

    // Runs every check and shows the findings; the dialog runs it once it is shown.
    void runChecks();
    // Copies the database, repairs what may be repaired and checks again; the "Repair" button.
    void repair();

    const QList<DatabaseCheck::Finding>& findings() const { return m_findings; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFindings(const QString& before);

    AppContext& m_context;
    Prompt& m_prompt;
    DatabaseCheck m_check;
    QList<DatabaseCheck::Finding> m_findings;
    bool m_ran = false;
    QLabel* m_status;
    QProgressBar* m_progress;
    QListWidget* m_list;
    QPushButton* m_repair;
};
