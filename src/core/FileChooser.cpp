#include "core/FileChooser.h"

QString RecordingFileChooser::chooseOpen(const QString& caption, const QString& filter)
{
    return answer(Mode::Open, caption, filter);
}

QString RecordingFileChooser::chooseSave(const QString& caption, const QString& filter)
{
    return answer(Mode::Save, caption, filter);
}

QString RecordingFileChooser::answer(Mode mode, const QString& caption, const QString& filter)
{
    m_requests.push_back({mode, caption, filter});
    if (m_answers.empty())
        return QString();
    const QString path = m_answers.front();
    m_answers.pop_front();
    return path;
}
