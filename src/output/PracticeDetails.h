#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class AppContext;

// The practice's letterhead as the handouts print it: one row of T_PRAXIS,
// shared by every workstation of the database. The logo is the image file's
// content (PNG, JPEG or SVG) as it was chosen; empty for none.
struct PracticeDetails
{
    QString name;
    QString address1, address2;
    QString phone, email, web;
    QByteArray logo;

    // The fields by the names the command line and the stored row use:
    // "name", "address1", "address2", "phone", "email", "web".
    static const QStringList& fieldNames();
    // The field with that name; nothing for another name.
    QString* field(const QString& fieldName);
    const QString* field(const QString& fieldName) const;

    // The letterhead's three lines: the name, the address lines joined by
    // ", ", and phone, e-mail and web joined by " · "; an empty field leaves
    // its part out, empty fields an empty line.
    QString nameLine() const { return name.trimmed(); }
    QString addressLine() const;
    QString contactLine() const;
    bool isEmpty() const;

    // The columns hold this many characters at most.
    static constexpr int MaxFieldLength = 255;
    // Why the details cannot be stored, in the user's language: the first
    // field longer than the column holds. Empty when they can.
    QString problem(const QString& languageCode) const;
};

namespace PracticeDetailsStore {

// The stored details; empty ones when none are stored. Nothing when the
// table cannot be read.
std::optional<PracticeDetails> read(AppContext& context);
// Stores the details as the one row, replacing what was there, in one
// statement; false with the database's reason in error.
bool write(AppContext& context, const PracticeDetails& details, QString* error = nullptr);

} // namespace PracticeDetailsStore
