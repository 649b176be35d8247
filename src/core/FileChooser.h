#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// The seam through which logic and dialogs ask the user for a file: widgets
// show the system's file dialog, tests script the answer.
class FileChooser
{
public:
    enum class Mode { Open, Save };

    virtual ~FileChooser() = default;

    // The chosen path, or the empty text when the user cancelled. An empty
    // filter shows every file; saving asks before overwriting.
    virtual QString chooseOpen(const QString& caption, const QString& filter = QString()) = 0;
    virtual QString chooseSave(const QString& caption, const QString& filter = QString()) = 0;
};

// Answers from a queue (a cancel when it is empty) and records every request.
class RecordingFileChooser : public FileChooser
{
public:
    struct Request
    {
        Mode mode;
        QString caption;
        QString filter;
    };

    QString chooseOpen(const QString& caption, const QString& filter = QString()) override;
    QString chooseSave(const QString& caption, const QString& filter = QString()) override;

    // The empty text scripts a cancel.
    void setNextAnswer(const QString& path) { m_answers.push_back(path); }
    const std::vector<Request>& requests() const { return m_requests; }

private:
    QString answer(Mode mode, const QString& caption, const QString& filter);

    std::vector<Request> m_requests;
    std::deque<QString> m_answers;
};
