// Dates as they travel through SQL and as each language shows them.

#include "core/DateText.h"

#include <gtest/gtest.h>

namespace {

std::string s(const QString& text)
{
    return text.toStdString();
}

TEST(DateTextTest, ParsesTheFormsTheProgramWritesAndStoresThemAsIso)
{
    const struct
    {
        const char* text;
        const char* iso; // nullptr: not a date
    } cases[] = {
        {"05.03.2005", "2005-03-05"},
        {"5.3.2005", "2005-03-05"},
        {"03/05/2005", "2005-03-05"},
        {"3/5/2005", "2005-03-05"},
        {"2005-03-05", "2005-03-05"},
        {"2005-3-5", "2005-03-05"},
        {" 05.03.2005 ", "2005-03-05"},
        {"05.03.2005 14:30", "2005-03-05 14:30:00"},
        {"03/05/2005 14:30:15", "2005-03-05 14:30:15"},
        {"2024-04-03 10:00:00", "2024-04-03 10:00:00"},
        {"2024-04-03T10:00:00", "2024-04-03 10:00:00"},
        {"2024-04-03 10:00:00.250", "2024-04-03 10:00:00"},
        {"2005-03-05 00:00:00", "2005-03-05"},
        {"2005-03-05 00:00:01", "2005-03-05 00:00:01"},
        {"29.02.2024", "2024-02-29"},
        // Two-digit years: 00 to 29 this century, 30 to 99 the last.
        {"05.03.05", "2005-03-05"},
        {"05.03.00", "2000-03-05"},
        {"05.03.29", "2029-03-05"},
        {"05.03.30", "1930-03-05"},
        {"05.03.99", "1999-03-05"},
        {"03/05/05", "2005-03-05"},
        {"05.03.05 08:00", "2005-03-05 08:00:00"},
        // Not dates
        {"31.02.2024", nullptr},
        {"29.02.2023", nullptr},
        {"02/30/2024", nullptr},
        {"13/01/2024", nullptr},
        {"2024-13-01", nullptr},
        {"2024-02-30", nullptr},
        {"00.01.2024", nullptr},
        {"05-03-2005", nullptr},
        {"05.03-2005", nullptr},
        {"2005-03-2005", nullptr},
        {"05.03.2005 25:00", nullptr},
        {"05.03.2005 10:60", nullptr},
        {"05.03.2005x", nullptr},
        {"2005", nullptr},
        {"gestern", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<QDateTime> date = DateText::parse(QString::fromUtf8(c.text));
        if (!c.iso) {
            EXPECT_FALSE(date.has_value())
                << c.text << " read as " << (date ? s(DateText::toIso(*date)) : "");
            continue;
        }
        ASSERT_TRUE(date.has_value()) << c.text;
        EXPECT_EQ(s(DateText::toIso(*date)), c.iso) << c.text;
    }
}

TEST(DateTextTest, ReadsOnlyTheStoredIsoForm)
{
    const struct
    {
        const char* stored;
        QDateTime value; // invalid: not a stored date
    } cases[] = {
        {"2005-03-05", QDateTime(QDate(2005, 3, 5), QTime(0, 0))},
        {" 2005-03-05 ", QDateTime(QDate(2005, 3, 5), QTime(0, 0))},
        {"2024-04-03 10:00:00", QDateTime(QDate(2024, 4, 3), QTime(10, 0))},
        {"05.03.2005", QDateTime()},
        {"03/05/2005", QDateTime()},
        {"2005-3-5", QDateTime()},
        {"2024-02-30", QDateTime()},
        {"kaputt", QDateTime()},
        {"", QDateTime()},
    };
    for (const auto& c : cases) {
        const QDateTime value = DateText::fromIso(QString::fromUtf8(c.stored));
        EXPECT_EQ(value.isValid(), c.value.isValid()) << c.stored;
        if (c.value.isValid()) {
            EXPECT_EQ(value, c.value) << c.stored;
        }
    }
}

TEST(DateTextTest, ShowsDatesInTheFormOfTheLanguage)
{
    const struct
    {
        QDate date;
        const char* code;
        const char* text;
    } cases[] = {
        {QDate(2005, 3, 5), "DE", "05.03.2005"},
        {QDate(2005, 3, 5), "US", "03/05/2005"},
        {QDate(1999, 12, 31), "DE", "31.12.1999"},
        {QDate(1999, 12, 31), "US", "12/31/1999"},
        {QDate(2005, 3, 5), "de", ""},
        {QDate(2005, 3, 5), "FR", ""},
        {QDate(2005, 3, 5), "", ""},
        {QDate(), "DE", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s(DateText::forLanguage(c.date, QString::fromLatin1(c.code))), c.text) << c.code;
}

TEST(DateTextTest, WhatIsShownReadsBackAsTheSameDate)
{
    for (const QDate date : {QDate(2005, 3, 5), QDate(2024, 12, 1), QDate(2000, 1, 31)}) {
        for (const char* code : {"DE", "US"}) {
            const std::optional<QDateTime> back =
                DateText::parse(DateText::forLanguage(date, QString::fromLatin1(code)));
            ASSERT_TRUE(back.has_value()) << code;
            EXPECT_EQ(back->date(), date) << code;
        }
    }
}

} // namespace
