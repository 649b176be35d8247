#pragma once

#include <QDialog>

class AppContext;
class FileChooser;
class Prompt;
class QLineEdit;
class QProgressDialog;
class SystemTableExchange;

// The modal dialog of the system-table export and import: the user picks a
// file, the exchange runs under a progress dialog with Cancel, and its
// messages go through the prompt. German in both languages, as in earlier
// installations; only the progress line follows the user's language.
class ExchangeDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Mode { Export, Import };

    ExchangeDialog(Mode mode, AppContext& context, Prompt& prompt, FileChooser& files,
                   QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }
    QString path() const;

public slots:
    // The "Dateiname" button: forgets the path, then asks for a new one.
    void chooseFile();
    // The default button: exports or imports; closes the dialog when done.
    void run();

signals:
    // Records done of all records, while an export or import runs.
    void progressed(int done, int total);

private:
    void watch(SystemTableExchange& exchange, QProgressDialog& progress);
    void runExport(QProgressDialog& progress);
    void runImport(QProgressDialog& progress);

    const Mode m_mode;
    AppContext& m_context;
    Prompt& m_prompt;
    FileChooser& m_files;
    QLineEdit* m_path;
};
