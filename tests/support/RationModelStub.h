#pragma once

#include "core/NumberText.h"
#include "ration/RationLimits.h"
#include "ration/RationModel.h"

#include <QString>

// A ration filled by hand, figures given as the grids show them; its checks
// follow every change, as the calculation's do.
class RationModelStub
{
public:
    // A feedstuff row; the key is its position unless given.
    void addFeed(const QString& name, const QString& amount, int key = 0)
    {
        RationFeed feed;
        feed.key = key ? key : int(model.feeds.size()) + 1;
        feed.name = name;
        feed.amountText = amount;
        feed.grams = NumberText::read(amount);
        feed.contributions.resize(model.nutrients.size());
        model.feeds.push_back(feed);
        RationLimits::apply(model, model.maxima);
    }

    // A nutrient column; mark "x" or " ". Returns its index.
    int addNutrient(const QString& key, const QString& name, const QString& requirement,
                    const QString& supply, const QString& mark = QStringLiteral("x"), int decimals = 2)
    {
        RationColumn column;
        column.key = key.toInt();
        column.name = name;
        column.decimals = decimals;
        column.marked = mark == QLatin1String("x");
        column.requirement = figure(requirement);
        column.supply = figure(supply);
        model.nutrients.push_back(column);
        for (RationFeed& feed : model.feeds)
            feed.contributions.resize(model.nutrients.size());
        RationLimits::apply(model, model.maxima);
        return int(model.nutrients.size()) - 1;
    }

    void contribute(int feed, int nutrient, const QString& figureText)
    {
        model.feeds[size_t(feed)].contributions[size_t(nutrient)] = figure(figureText);
        RationLimits::apply(model, model.maxima);
    }

    // The maxima that apply to the case.
    void limit(std::vector<NutrientMaximum> maxima) { RationLimits::apply(model, std::move(maxima)); }

    RationModel model;

private:
    static std::optional<double> figure(const QString& text)
    {
        if (text.trimmed().isEmpty())
            return std::nullopt;
        return NumberText::read(text);
    }
};
