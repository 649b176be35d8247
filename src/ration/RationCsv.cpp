#include "ration/RationCsv.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "ration/RationBasis.h"
#include "ration/RationModel.h"
#include "ration/RationPageTexts.h"

#include <QStringList>

namespace RationCsv {

QString field(const QString& text, QChar separator, bool isFigure)
{
    QString value = text;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!isFigure && !value.isEmpty() && formulaStarts.contains(value.front()))
        value.prepend(QLatin1Char('\''));
    if (value.contains(separator) || value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('\n')) ||
        value.contains(QLatin1Char('\r'))) {
        value.replace(QLatin1String("\""), QLatin1String("\"\""));
        value = QLatin1Char('"') + value + QLatin1Char('"');
    }
    return value;
}

QString text(const RationModel& ration, const RationFigures& figures, const QString& languageCode)
{
    const bool german = languageCode == Lang::German;
    const QChar separator = german ? QLatin1Char(';') : QLatin1Char(',');
    // The grids' figures carry a decimal comma; English gives them a point.
    const auto figure = [german, separator](const QString& shown) {
        return field(german ? shown : NumberText::withPoint(shown), separator, true);
    };
    const QString code = Lang::labelCode(languageCode);

    std::vector<size_t> marked;
    for (size_t c = 0; c < ration.nutrients.size() && c < figures.nutrients.size(); ++c) {
        if (ration.nutrients[c].marked)
            marked.push_back(c);
    }
    QStringList lines;
    QStringList heading{field(RationPageTexts::FoodLabel.in(code), separator),
                        field(RationPageTexts::GramsPerDayHeading.in(code), separator)};
    for (size_t c : marked) {
        const QString unit = figures.nutrients[c].unit.trimmed();
        heading << field(ration.nutrients[c].name.trimmed() +
                             (unit.isEmpty() ? QString() : QStringLiteral(" (") + unit + QLatin1Char(')')),
                         separator);
    }
    lines << heading.join(separator);

    for (size_t f = 0; f < ration.feeds.size(); ++f) {
        const RationFeed& feed = ration.feeds[f];
        QStringList line{field(feed.name.trimmed(), separator),
                         feed.hasAmount() ? figure(NumberText::formatShortest(feed.grams, 0, 10))
                                          : QString()};
        for (size_t c : marked) {
            const RationFigures::Nutrient& nutrient = figures.nutrients[c];
            line << figure(RationFigures::text(f < nutrient.contributions.size() ? nutrient.contributions[f]
                                                                                 : std::nullopt,
                                               nutrient.decimals));
        }
        lines << line.join(separator);
    }

    using Figure = std::optional<double> RationFigures::Nutrient::*;
    const std::pair<const Lang::Text*, Figure> totals[] = {
        {&RationPageTexts::RequirementHeading, &RationFigures::Nutrient::requirement},
        {&RationPageTexts::MaximumHeading, &RationFigures::Nutrient::maximum},
        {&RationPageTexts::SupplyHeading, &RationFigures::Nutrient::supply}};
    for (const auto& [label, member] : totals) {
        QStringList line{field(label->in(code), separator), QString()};
        for (size_t c : marked) {
            const RationFigures::Nutrient& nutrient = figures.nutrients[c];
            line << figure(RationFigures::text(nutrient.*member, nutrient.decimals));
        }
        lines << line.join(separator);
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

QByteArray file(const RationModel& ration, const RationFigures& figures, const QString& languageCode)
{
    return QByteArray("\xEF\xBB\xBF") + text(ration, figures, languageCode).toUtf8();
}

} // namespace RationCsv
