#pragma once

#include "core/Prompt.h"

class QWidget;

// Shows prompts as modal message boxes over a parent widget.
class MessageBoxPrompt : public Prompt
{
public:
    explicit MessageBoxPrompt(QWidget* parent = nullptr, QString title = QStringLiteral("Mensoly"));

    void message(const QString& text, Icon icon = Icon::None) override;
    Answer question(const QString& text, Buttons buttons, Icon icon = Icon::Question) override;

private:
    QWidget* m_parent;
    QString m_title;
};
