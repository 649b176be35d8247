#include "ration/RationModel.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

QString RationColumn::shown(const std::optional<double>& figure) const
{
    return figure ? NumberText::format(*figure, decimals) : QString();
}

std::optional<double> RationColumn::rounded(const std::optional<double>& figure) const
{
    if (!figure)
        return std::nullopt;
    return NumberText::read(NumberText::format(*figure, decimals));
}

void RationFeed::setAmount(const QString& text)
{
    amountText = text.trimmed();
    grams = NumberText::read(amountText);
}

namespace {

const RationColumn* firstWithKey(const std::vector<RationColumn>& columns, int key)
{
    for (const RationColumn& column : columns) {
        if (column.key == key)
            return &column;
    }
    return nullptr;
}

} // namespace

const RationColumn* RationModel::nutrient(int key) const
{
    return firstWithKey(nutrients, key);
}

const RationColumn* RationModel::indicator(int key) const
{
    return firstWithKey(indicators, key);
}

std::optional<double> RationModel::requirementOf(int key) const
{
    const RationColumn* column = nutrient(key);
    return column ? column->requirement : std::nullopt;
}

std::optional<double> RationModel::supplyOf(int key) const
{
    const RationColumn* column = nutrient(key);
    return column ? column->supply : std::nullopt;
}

int RationModel::feedIndex(int key) const
{
    for (size_t i = 0; i < feeds.size(); ++i) {
        if (feeds[i].key == key)
            return int(i);
    }
    return -1;
}

void RationModel::sumSupply()
{
    for (size_t c = 0; c < nutrients.size(); ++c) {
        if (feeds.empty()) {
            nutrients[c].supply.reset();
            continue;
        }
        double sum = 0.0;
        for (const RationFeed& feed : feeds) {
            if (c < feed.contributions.size() && feed.contributions[c])
                sum += *feed.contributions[c];
        }
        nutrients[c].supply = sum;
    }
}

QString formulaNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // Fifteen significant digits: every digit a double holds for sure, none
    // of the noise of its binary fraction (0.63 stays "0.63").
    const int wholeDigits = std::fabs(value) < 1.0 ? 1 : int(std::floor(std::log10(std::fabs(value)))) + 1;
    QString text = QString::number(value, 'f', std::max(0, 15 - wholeDigits));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}
