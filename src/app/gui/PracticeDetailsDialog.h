#pragma once

#include "output/gui/PracticeDetailsForm.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Praxisdaten": the practice's name, address, phone, e-mail and web address
// for the handouts' letterhead, and its logo, shown in a preview. A thin view
// over PracticeDetailsForm; "Speichern" closes it only once the details are
// stored.
class PracticeDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    // The logo preview's box.
    static constexpr int PreviewWidth = 160;
    static constexpr int PreviewHeight = 80;

    // Loads the stored details; when they cannot be read the prompt says so
    // and loaded() is false.
    PracticeDetailsDialog(AppContext& context, Prompt& prompt, FileChooser& files, QWidget* parent = nullptr);

    bool loaded() const { return m_form.isLoaded(); }
    const PracticeDetailsForm& form() const { return m_form; }

public slots:
    void chooseLogo();
    void removeLogo();
    // "Speichern": stores and closes, or stays open after saying why not.
    void accept() override;

private:
    void showLogo();

    const QString m_language;
    PracticeDetailsForm m_form;
    QList<QLineEdit*> m_fields;
    QLabel* m_preview;
    QPushButton* m_removeLogo;
};
