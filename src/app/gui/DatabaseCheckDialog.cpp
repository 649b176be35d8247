#include "app/gui/DatabaseCheckDialog.h"

#include "app/MainWindowTexts.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "ration/ProgramChecks.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

DatabaseCheckDialog::DatabaseCheckDialog(AppContext& context, Prompt& prompt, QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_check(context, ProgramChecks::all())
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_list(new QListWidget(this))
    , m_repair(new QPushButton(MainWindowTexts::RepairButton.in(m_context.languageCode()), this))
{
    setWindowTitle(MainWindowTexts::CheckDatabaseTitle.in(m_context.languageCode()));
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_list->setObjectName(QStringLiteral("findings"));
    m_list->setWordWrap(true);
    // One finding a row, told apart by its shade and a little space.
    m_list->setAlternatingRowColors(true);
    m_list->setSpacing(3);
    m_repair->setObjectName(QStringLiteral("repair"));
    m_repair->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_repair, QDialogButtonBox::ActionRole);
    buttons->button(QDialogButtonBox::Close)
        ->setText(MainWindowTexts::CloseButton.in(m_context.languageCode()));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_repair, &QPushButton::clicked, this, &DatabaseCheckDialog::repair);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(640, 400);

    // The bar moves as each check ends; the window is redrawn between them.
    m_check.setProgress([this](int done, int total, const DatabaseCheck::Entry* next) {
        m_progress->setMaximum(total);
        m_progress->setValue(done);
        if (next)
            m_status->setText(MainWindowTexts::CheckingEntry.in(m_context.languageCode())
                                  .arg(Lang::deOr(m_context.languageCode(), next->german, next->english)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

void DatabaseCheckDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_ran) {
        m_ran = true;
        QTimer::singleShot(0, this, &DatabaseCheckDialog::runChecks);
    }
}

void DatabaseCheckDialog::runChecks()
{
    m_ran = true;
    m_repair->setEnabled(false);
    m_findings = m_check.run();
    showFindings(QString());
}

void DatabaseCheckDialog::repair()
{
    const QString code = m_context.languageCode();
    QStringList failed;
    m_repair->setEnabled(false);
    // Without its copy the repair does not run; the prompt has said why.
    if (!m_check.repair(m_findings, m_prompt, &failed)) {
        m_repair->setEnabled(DatabaseCheck::anyRepairable(m_findings));
        return;
    }
    QString before = m_check.backupFile().isEmpty()
                         ? MainWindowTexts::Repaired.in(code)
                         : MainWindowTexts::RepairedAfterBackup.in(code).arg(m_check.backupFile());
    if (!failed.isEmpty())
        before += QLatin1Char('\n') +
                  MainWindowTexts::RepairsFailed.in(code).arg(failed.join(QStringLiteral(", ")));
    m_findings = m_check.run();
    showFindings(before);
}

void DatabaseCheckDialog::showFindings(const QString& before)
{
    const QString code = m_context.languageCode();
    m_list->clear();
    for (const DatabaseCheck::Finding& finding : m_findings)
        m_list->addItem(m_check.text(finding, code));
    const int problems = DatabaseCheck::problemCount(m_findings);
    QString summary = problems == 0   ? MainWindowTexts::DatabaseSound.in(code)
                      : problems == 1 ? MainWindowTexts::OneProblemFound.in(code)
                                      : MainWindowTexts::ProblemsFound.in(code).arg(problems);
    m_status->setText(before.isEmpty() ? summary : before + QLatin1Char('\n') + summary);
    m_repair->setEnabled(DatabaseCheck::anyRepairable(m_findings));
}
