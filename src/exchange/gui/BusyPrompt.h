#pragma once

#include "core/Prompt.h"

class QProgressDialog;

// The busy cursor while an import or export runs. Its messages come at the
// end or on a failure, so each one first puts the normal cursor back and
// closes the progress dialog, if any: the user never answers a box under the
// hourglass or behind a progress bar.
class BusyPrompt : public Prompt
{
public:
    explicit BusyPrompt(Prompt& prompt, QProgressDialog* progress = nullptr);
    ~BusyPrompt() override;
    BusyPrompt(const BusyPrompt&) = delete;
    BusyPrompt& operator=(const BusyPrompt&) = delete;

    void message(const QString& text, Icon icon) override;
    Answer question(const QString& text, Buttons buttons, Icon icon) override;

private:
    void done();

    Prompt& m_prompt;
    QProgressDialog* m_progress;
    bool m_busy = true;
};
