#include "exchange/gui/LegacyImportDialog.h"

#include "exchange/gui/BusyPrompt.h"
#include "exchange/gui/FileDialogLayout.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/LegacyFeedImport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

LegacyImportDialog::LegacyImportDialog(AppContext& context, Prompt& prompt, FileChooser& files,
                                       QWidget* parent)
    : QDialog(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_files(files)
    , m_path(new QLineEdit(this))
    , m_progress(new QProgressBar(this))
{
    const QString language = context.languageCode();
    setModal(true);
    setWindowTitle(QString::fromUtf8("Import Benutzerfuttermittel aus Mensoly Version 2.0"));

    // The import copies the database first; the note says where the copy goes.
    const QString folder = DatabaseBackup(context, prompt).automaticCopyFolder();
    QString noteText = ExchangeTexts::ChooseLegacyDatabase.in(language);
    if (!folder.isEmpty()) {
        noteText += QStringLiteral("\n\n") + ExchangeTexts::BackupBeforeImportIn.in(language).arg(folder);
    }
    auto* note = new QLabel(noteText, this);
    note->setObjectName(QStringLiteral("note"));
    note->setWordWrap(true);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setReadOnly(true);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    const FileDialogButtons buttons =
        layOutFileDialog(*this, note, m_path, m_progress, ExchangeTexts::BrowseButton.in(language),
                         ExchangeTexts::ImportButton.in(language), ExchangeTexts::CancelButton.in(language));

    connect(buttons.file, &QPushButton::clicked, this, &LegacyImportDialog::chooseFile);
    connect(buttons.run, &QPushButton::clicked, this, &LegacyImportDialog::run);
    connect(buttons.cancel, &QPushButton::clicked, this, &LegacyImportDialog::cancel);
}

QString LegacyImportDialog::path() const
{
    return m_path->text();
}

void LegacyImportDialog::chooseFile()
{
    const QString chosen = m_files.chooseOpen(windowTitle());
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void LegacyImportDialog::run()
{
    if (m_running)
        return;
    if (path().isEmpty()) {
        m_prompt.message(ExchangeTexts::ChooseDatabase.in(m_context.languageCode()),
                         Prompt::Icon::Exclamation);
        return;
    }
    m_running = true;
    m_cancelRequested = false;
    {
        BusyPrompt busy(m_prompt);
        LegacyFeedImport import(m_context, busy);
        // During the import Cancel stops it (nothing is kept) instead of
        // closing the dialog; the events are let through for that.
        import.setCancelCheck([this] { return m_cancelRequested;
    });
        import.setProgress([this](int done, int total) {
            m_progress->setRange(0, qMax(total, 1));
        m_progress->setValue(done);
        QCoreApplication::processEvents();
});
import.importFrom(path());
}
m_running = false;
}

void LegacyImportDialog::cancel()
{
    if (m_running)
        m_cancelRequested = true;
    else
        reject();
}
