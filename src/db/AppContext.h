#pragma once

#include "core/Codes.h"
#include "core/Lang.h"
#include "db/Connection.h"

#include <QDateTime>
#include <QString>

#include <functional>

// Application-wide state that every form reads: the one database connection,
// its settings, the language code, the owner code and the clock.
class AppContext
{
public:
    using Clock = std::function<QDateTime()>;

    AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Connection& db() { return m_db; }

    QString languageCode() const { return m_languageCode; }
    void setLanguageCode(const QString& code) { m_languageCode = code; }
    bool isGerman() const { return m_languageCode == Lang::German; }

    // "U" edits user feedstuffs, "M" maintains the system data.
    QString ownerCode() const { return m_ownerCode; }
    void setOwnerCode(const QString& code) { m_ownerCode = code; }

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString& text) { m_connectionString = text; }
    QString userName() const { return m_userName; }
    void setUserName(const QString& name) { m_userName = name; }
    QString password() const { return m_password; }
    void setPassword(const QString& password) { m_password = password; }
    QString shareMode() const { return m_shareMode; }
    void setShareMode(const QString& mode) { m_shareMode = mode; }
    QString dataDirectory() const { return m_dataDirectory; }
    void setDataDirectory(const QString& directory) { m_dataDirectory = directory; }

    QDateTime now() const { return m_clock(); }
    QDate today() const { return now().date(); }
    // Tests pin the date; the database's NOW() follows the same clock.
    void setClock(Clock clock);
    // The clock every context made from now on starts with (none: the
    // system's), for a program that runs the commands under a pinned date.
    static void setDefaultClock(Clock clock);

    // Opens the database with the current connection settings.
    bool openDatabase();

private:
    Connection m_db;
    QString m_languageCode;
    QString m_ownerCode = Codes::PracticeOwner;
    QString m_connectionString;
    QString m_userName;
    QString m_password;
    QString m_shareMode;
    QString m_dataDirectory;
    Clock m_clock;
};
