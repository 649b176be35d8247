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
    // Runs after the statement before it, on what that one wrote.
    bool afterPrevious = false;
    // A query's columns as the program reads them, their texts in each row,
    // and whether the rows come in this order.
    QStringList columns;
    std::vector<QStringList> rows;
    bool ordered = false;
};

std::vector<CatalogueStatement> sqlCatalogue();
