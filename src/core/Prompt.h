#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// The one seam through which logic talks to the user: messages with an OK
// button and questions with Yes/No or Yes/No/Cancel. Widgets implement it with
// message boxes; tests script the answers and read back the exact texts.
class Prompt
{
public:
    enum class Icon { None, Information, Exclamation, Warning, Error, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompt() = default;

    virtual void message(const QString& text, Icon icon = Icon::None) = 0;
    virtual Answer question(const QString& text, Buttons buttons, Icon icon = Icon::Question) = 0;
};

// Records every text shown and answers questions from a queue (No when the
// queue is empty). Used by tests and by the command-line tools.
class RecordingPrompt : public Prompt
{
public:
    struct Entry
    {
        QString text;
        Icon icon;
        bool isQuestion;
        Buttons buttons;
    };

    void message(const QString& text, Icon icon = Icon::None) override;
    Answer question(const QString& text, Buttons buttons, Icon icon = Icon::Question) override;

    void setNextAnswer(Answer answer) { m_answers.push_back(answer); }
    const std::vector<Entry>& entries() const { return m_entries; }
    QStringList texts() const;
    QString lastText() const { return m_entries.empty() ? QString() : m_entries.back().text; }
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<Answer> m_answers;
};
