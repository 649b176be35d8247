#pragma once

#include "output/PracticeDetails.h"

class AppContext;
class FileChooser;
class Prompt;

// What the "Praxisdaten" dialog does, without the dialog: loads the stored
// letterhead, takes the user's edits and a logo chosen through the file
// chooser, and stores it all in one step. Refusals and failures are told
// through the prompt in the user's language; nothing typed is lost by them.
class PracticeDetailsForm
{
public:
    PracticeDetailsForm(AppContext& context, Prompt& prompt, FileChooser& files);

    // Reads the stored details; false, told through the prompt, when they
    // cannot be read (the form then stays empty and must not be stored).
    bool load();
    bool isLoaded() const { return m_loaded; }

    const PracticeDetails& details() const { return m_details; }
    QString text(const QString& fieldName) const;
    // Sets the field of that name (see PracticeDetails::fieldNames()); an
    // unknown name changes nothing.
    void setText(const QString& fieldName, const QString& text);

    // "Logo wählen…": asks for a PNG, JPEG or SVG file and takes its content
    // in place of the logo. False when the user cancelled or the file was
    // refused (told through the prompt); the logo stays as it was.
    bool chooseLogo();
    // "Logo entfernen".
    void removeLogo();
    bool hasLogo() const { return !m_details.logo.isEmpty(); }

    // Whether anything differs from what was loaded or last stored.
    bool isModified() const { return m_modified; }

    // "Speichern": checks the fields and stores the details; false, told
    // through the prompt with the database's reason, when they are refused
    // or the database fails. The form keeps what was typed either way.
    bool store();

private:
    QString languageCode() const;

    AppContext& m_context;
    Prompt& m_prompt;
    FileChooser& m_files;
    PracticeDetails m_details;
    bool m_loaded = false;
    bool m_modified = false;
};
