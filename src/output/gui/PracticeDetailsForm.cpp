#include "output/gui/PracticeDetailsForm.h"

#include "core/FileChooser.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "output/PracticeDetailsTexts.h"
#include "output/gui/PracticeLogo.h"
#include "ui/gui/ImageContent.h"

PracticeDetailsForm::PracticeDetailsForm(AppContext& context, Prompt& prompt, FileChooser& files)
    : m_context(context)
    , m_prompt(prompt)
    , m_files(files)
{
}

QString PracticeDetailsForm::languageCode() const
{
    return m_context.languageCode();
}

bool PracticeDetailsForm::load()
{
    const std::optional<PracticeDetails> stored = PracticeDetailsStore::read(m_context);
    m_loaded = stored.has_value();
    m_modified = false;
    m_details = stored.value_or(PracticeDetails());
    if (!m_loaded) {
        m_prompt.message(Lang::withReason(languageCode(), PracticeDetailsTexts::NotRead.in(languageCode()),
                                          m_context.db().lastError()),
                         Prompt::Icon::Error);
    }
    return m_loaded;
}

QString PracticeDetailsForm::text(const QString& fieldName) const
{
    const QString* field = m_details.field(fieldName);
    return field ? *field : QString();
}

void PracticeDetailsForm::setText(const QString& fieldName, const QString& text)
{
    QString* field = m_details.field(fieldName);
    if (!field || *field == text)
        return;
    *field = text;
    m_modified = true;
}

bool PracticeDetailsForm::chooseLogo()
{
    const QString path = m_files.chooseOpen(PracticeDetailsTexts::ChooseLogo.in(languageCode()),
                                            PracticeDetailsTexts::LogoFilter.in(languageCode()));
    if (path.isEmpty())
        return false;
    QString error;
    const std::optional<QByteArray> content = PracticeLogo::readFile(path, languageCode(), error);
    if (!content) {
        m_prompt.message(error, Prompt::Icon::Exclamation);
        return false;
    }
    m_details.logo = *content;
    m_modified = true;
    return true;
}

void PracticeDetailsForm::removeLogo()
{
    if (m_details.logo.isEmpty())
        return;
    m_details.logo.clear();
    m_modified = true;
}

bool PracticeDetailsForm::store()
{
    // Details that could not be read would replace the stored ones with nothing.
    if (!m_loaded)
        return false;
    const QString problem = m_details.problem(languageCode());
    if (!problem.isEmpty()) {
        m_prompt.message(problem, Prompt::Icon::Exclamation);
        return false;
    }
    QString reason;
    if (!PracticeDetailsStore::write(m_context, m_details, &reason)) {
        m_prompt.message(
            Lang::withReason(languageCode(), PracticeDetailsTexts::NotStored.in(languageCode()), reason),
            Prompt::Icon::Error);
        return false;
    }
    m_modified = false;
    return true;
}
