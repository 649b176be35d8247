#pragma once

#include <QString>

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
    // A query that reads back what a statement wrote, and its rows.
    QString readBack;
    int readBackRows = 0;
};

std::vector<CatalogueStatement> sqlCatalogue();
