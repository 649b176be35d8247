#include "exchange/gui/ExchangeDialog.h"

#include "exchange/gui/BusyPrompt.h"
#include "exchange/gui/FileDialogLayout.h"

#include "core/FileChooser.h"
#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "exchange/ExchangeFile.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/SystemTableExchange.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Quick exchanges finish before the progress dialog would flash up.
constexpr int ProgressDelayMs = 300;

} // namespace

ExchangeDialog::ExchangeDialog(Mode mode, AppContext& context, Prompt& prompt, FileChooser& files,
                               QWidget* parent)
    : QDialog(parent)
    , m_mode(mode)
    , m_context(context)
    , m_prompt(prompt)
    , m_files(files)
    , m_path(new QLineEdit(this))
{
    const bool exporting = mode == Mode::Export;
    setModal(true);
    setWindowTitle(exporting ? QStringLiteral("Export Systemtabellen")
                             : QStringLiteral("Import Systemtabellen"));

    // The import copies the database first; the note says where the copy goes.
    const DatabaseBackup backup(context, prompt);
    const QString folder = backup.automaticCopyFolder();
    QString backupNote;
    if (backup.isOnServer())
        backupNote =
            QStringLiteral("Die Datenbank liegt auf einem Server: bitte vor dem Import dort eine "
                           "Sicherung anlegen.\n"
                           "The database is kept on a server: please back it up there before import.");
    else if (folder.isEmpty())
        backupNote = QStringLiteral("Bitte vor dem Import eine Sicherungskopie der Datenbank "
                                    "(MensolyVers3.mdb) anlegen.\n"
                                    "Please backup database (MensolyVers3.mdb) before import.");
    else
        backupNote = QString::fromUtf8("Vor dem Import wird eine Sicherungskopie der Datenbank "
                                       "(MensolyVers3.mdb) angelegt in:\n%1\n"
                                       "A backup copy of the database (MensolyVers3.mdb) is made "
                                       "before the import, in:\n%1")
                         .arg(folder);
    auto* note = new QLabel(QStringLiteral("Bitte geben Sie einen Dateinamen an.\n\n") + backupNote, this);
    note->setObjectName(QStringLiteral("note"));
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);

    const FileDialogButtons buttons =
        layOutFileDialog(*this, note, m_path, nullptr, QStringLiteral("Dateiname"),
                         exporting ? QStringLiteral("Exportieren") : QStringLiteral("Importieren"),
                         QStringLiteral("Abbrechen"));

    connect(buttons.file, &QPushButton::clicked, this, &ExchangeDialog::chooseFile);
    connect(buttons.run, &QPushButton::clicked, this, &ExchangeDialog::run);
    connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ExchangeDialog::path() const
{
    return m_path->text();
}

void ExchangeDialog::chooseFile()
{
    m_path->clear();
    const QString caption = QStringLiteral("Dateiname");
    m_path->setText(m_mode == Mode::Export ? m_files.chooseSave(caption) : m_files.chooseOpen(caption));
}

void ExchangeDialog::run()
{
    if (path().trimmed().isEmpty()) {
        m_prompt.message(QStringLiteral("Bitte geben Sie einen Dateinamen an!"), Prompt::Icon::Exclamation);
        return;
    }
    const QString label = m_mode == Mode::Export
                              ? ExchangeTexts::ExportingSystemTables.in(m_context.languageCode())
                              : ExchangeTexts::ImportingSystemTables.in(m_context.languageCode());
    QProgressDialog progress(label, QStringLiteral("Abbrechen"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(ProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    if (m_mode == Mode::Export)
        runExport(progress);
    else
        runImport(progress);
}

// The progress dialog follows the exchange, and its Cancel stops it.
void ExchangeDialog::watch(SystemTableExchange& exchange, QProgressDialog& progress)
{
    exchange.setCancelCheck([&progress] { return progress.wasCanceled(); });
    exchange.setProgress([this, &progress](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        emit progressed(done, total);
    });
}

void ExchangeDialog::runExport(QProgressDialog& progress)
{
    BusyPrompt busy(m_prompt, &progress);
    SystemTableExchange exchange(m_context, busy);
    watch(exchange, progress);
    const bool written = exchange.exportTo(path());
    // A file that could not be written leaves the dialog open for another name.
    if (written)
        accept();
}

void ExchangeDialog::runImport(QProgressDialog& progress)
{
    ExchangeFile file;
    file.path = path();
    if (!file.read()) {
        m_prompt.message(QStringLiteral("Datei konnte nicht importiert werden!"), Prompt::Icon::Exclamation);
        reject();
        return;
    }
    BusyPrompt busy(m_prompt, &progress);
    SystemTableExchange exchange(m_context, busy);
    watch(exchange, progress);
    const SystemTableExchange::Outcome outcome = exchange.importRecords(file.records);
    // A cancelled or failed import changed nothing; the user may try again.
    if (outcome != SystemTableExchange::Outcome::NothingChanged)
        accept();
}
