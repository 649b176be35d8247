#include "core/Prompt.h"

void RecordingPrompt::message(const QString& text, Icon icon)
{
    m_entries.push_back({text, icon, false, Buttons::Ok});
}

Prompt::Answer RecordingPrompt::question(const QString& text, Buttons buttons, Icon icon)
{
    m_entries.push_back({text, icon, true, buttons});
    if (m_answers.empty())
        return Answer::No;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QStringList RecordingPrompt::texts() const
{
    QStringList list;
    for (const Entry& entry : m_entries)
        list << entry.text;
    return list;
}
