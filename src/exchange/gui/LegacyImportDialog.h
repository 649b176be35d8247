#pragma once

#include <QDialog>

class AppContext;
class FileChooser;
class Prompt;
class QLineEdit;
class QProgressBar;

// Takes over the practice's own feedstuffs from a Mensoly 2.0 database: the
// user picks the old file, the import runs with a progress bar, and its
// messages go through the prompt. The dialog stays open for another file.
class LegacyImportDialog : public QDialog
{
    Q_OBJECT

public:
    LegacyImportDialog(AppContext& context, Prompt& prompt, FileChooser& files, QWidget* parent = nullptr);

    QString path() const;

public slots:
    // "durchsuchen": the system's Open dialog, every file shown.
    void chooseFile();
    // "Importieren": one complete import of the chosen file.
    void run();

private:
    void cancel();

    AppContext& m_context;
    Prompt& m_prompt;
    FileChooser& m_files;
    QLineEdit* m_path;
    QProgressBar* m_progress;
    bool m_running = false;
    bool m_cancelRequested = false;
};
