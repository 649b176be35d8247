#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

// The statements the program sends, as SqlStatementsTest runs them on SQLite.
struct CatalogueStatement
{
    std::string name;
    QString sql;
    bool isQuery = true;
    // Whether the program's layer accepts it on SQLite.
    bool accepted = true;
    // Plain SQL run before it, past the translation.
    QString setup;
    // The rows a query gives on the fixture data.
    int rowCount = 0;
    // For a query whose order matters: its first column and that column's
    // texts in the order the rows come.
    QString orderColumn;
    QStringList orderedTexts;
    // A query that reads back what a statement wrote, and its rows.
    QString readBack;
    int readBackRows = 0;
};

std::vector<CatalogueStatement> sqlCatalogue();
