#pragma once

#include "output/PracticeDetails.h"
#include "ui/ChartModel.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class AppContext;
class CaseHeaderForm;
struct RationColumn;

// The case report, a PDF of a case for the practice's file, as data: the
// letterhead, the case header, the ration, the marked nutrients and the
// indicators as tables, and the charts the case shows. Every text is in the
// report's language; figures carry a decimal comma in German and a point in
// English. CaseReportWriter lays it out on paper.
struct CaseReport
{
    struct Field
    {
        QString label;
        QString value;
    };
    struct Row
    {
        QStringList cells;
        bool total = false;   // printed in bold
        bool warning = false; // a figure over its maximum, printed in red
    };
    // A table whose heading row is repeated on each page it runs onto;
    // columns after the first are figures, aligned to the right, up to the
    // last one when lastIsText says it holds words.
    struct Table
    {
        QStringList heading;
        std::vector<Row> rows;
        bool lastIsText = false;
    };
    struct Section
    {
        QString heading;
        std::vector<Field> fields;
        Table table;
        std::vector<Field> fieldsAfter;
        QString note; // said instead of an empty table
    };

    QString languageCode;
    QString title;
    PracticeDetails practice;
    std::vector<Section> sections;
    // The coverage chart, then the growth or weight-check curve when the
    // case type has one.
    QString chartHeading;
    std::vector<ChartModel> charts;
    // The footer's parts; pageText() gives its page count.
    QString program;
    QString printedOn;

    QString pageText(int page, int pageCount) const;

    // The report of the case the form holds, as its fields and ration are
    // now, in the language given ("DE" or "US"); the practice's details as
    // stored, none when they cannot be read.
    static CaseReport build(AppContext& context, CaseHeaderForm& form, const QString& languageCode);
    // A nutrient's supply in percent of its requirement, both as the grids
    // show them, in whole percent; none without a requirement above 0 or
    // without a supply.
    static std::optional<int> coverageOf(const RationColumn& column);
};
