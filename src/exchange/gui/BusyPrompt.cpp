#include "exchange/gui/BusyPrompt.h"

#include <QApplication>
#include <QProgressDialog>

BusyPrompt::BusyPrompt(Prompt& prompt, QProgressDialog* progress)
    : m_prompt(prompt)
    , m_progress(progress)
{
    // The arrow beside the busy sign keeps Cancel in reach.
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

BusyPrompt::~BusyPrompt()
{
    done();
}

void BusyPrompt::message(const QString& text, Icon icon)
{
    done();
    m_prompt.message(text, icon);
}

Prompt::Answer BusyPrompt::question(const QString& text, Buttons buttons, Icon icon)
{
    done();
    return m_prompt.question(text, buttons, icon);
}

void BusyPrompt::done()
{
    if (m_busy)
        QApplication::restoreOverrideCursor();
    m_busy = false;
    if (m_progress) {
        // Reset stops the timer that would show the dialog under the message.
        m_progress->reset();
        m_progress->close();
    }
}
