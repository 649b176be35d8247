#pragma once

#include <QLocale>
#include <QtGlobal>

#include <clocale>

// Every test binary runs in the C locale, whatever the machine's settings,
// so number and date texts, collation and messages do not depend on them.
inline void pinLocale()
{
    qputenv("LC_ALL", "C.UTF-8");
    std::setlocale(LC_ALL, "C.UTF-8");
    QLocale::setDefault(QLocale::c());
}
