#include "ration/RationBalancing.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "ration/BalanceData.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr Rgb BoundBackground{255, 255, 255};

// A bound as typed: empty is none; anything but a number of grams from 0 is
// refused.
std::optional<std::optional<double>> boundIn(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::optional<double>();
    bool ok = false;
    const double grams = QString(trimmed).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(grams) || grams < 0.0 || grams > RationBalancing::LargestBound)
        return std::nullopt;
    return std::optional<double>(grams);
}

QString gramsText(double grams)
{
    return RationBalancer::weighableText(grams);
}

// A bound as the user typed it; empty for none.
QString boundText(double grams, bool isBound)
{
    return isBound ? QString::number(grams, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(',')) : QString();
}

QString percentText(double percent)
{
    return NumberText::format(percent, 1) + QStringLiteral(" %");
}

} // namespace

RationBalancing::RationBalancing(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
{
    connect(&m_grid, &GridModel::clicked, this, &RationBalancing::gridClicked);
    connect(&m_grid, &GridModel::editEnded, this, &RationBalancing::gridEditEnded);
}

QString RationBalancing::code() const
{
    return m_context.languageCode();
}

RationBalancingLabels RationBalancing::labels(const QString& languageCode)
{
    if (languageCode == Lang::English) {
        return {QStringLiteral("Balance ration"), QStringLiteral("Feedstuff"), QStringLiteral("Now g"),
                QStringLiteral("Lock"),           QStringLiteral("Min g"),     QStringLiteral("Max g"),
                QStringLiteral("Proposed g"),     QStringLiteral("Change g"),  QStringLiteral("Apply"),
                QStringLiteral("Cancel")};
    }
    return {QStringLiteral("Ration ausgleichen"),
            QStringLiteral("Futtermittel"),
            QStringLiteral("Jetzt g"),
            QStringLiteral("Sperre"),
            QStringLiteral("Min g"),
            QStringLiteral("Max g"),
            QStringLiteral("Vorschlag g"),
            QStringLiteral("Änderung g"),
            QStringLiteral("Übernehmen"),
            QStringLiteral("Abbrechen")};
}

RationBalancingLabels RationBalancing::labels() const
{
    return labels(code());
}

bool RationBalancing::start()
{
    m_input = BalanceData::read(m_context, m_form);
    if (m_input.feeds.empty()) {
        m_prompt.message(Lang::deOr(code(), QStringLiteral("Die Ration enthält noch keine Futtermittel."),
                                    QStringLiteral("The ration holds no feedstuffs yet.")),
                         Prompt::Icon::Exclamation);
        return false;
    }
    const auto energy =
        std::find_if(m_input.nutrients.begin(), m_input.nutrients.end(),
                     [](const BalanceNutrient& n) { return n.key == RationBalancer::EnergyKey; });
    if (energy == m_input.nutrients.end() || energy->requirement <= 0.0) {
        m_prompt.message(Lang::deOr(code(),
                                    QStringLiteral("Für diesen Fall ist kein Energiebedarf berechnet. Bitte "
                                                   "zuerst Tierart, Fallart und Gewicht eingeben."),
                                    QStringLiteral("No energy requirement is computed for this case. Please "
                                                   "enter species, case type and weight first.")),
                         Prompt::Icon::Exclamation);
        return false;
    }
    if (m_remembered) {
        for (BalanceFeed& feed : m_input.feeds) {
            const auto kept = m_remembered->constFind(feed.key);
            if (kept != m_remembered->cend()) {
                feed.locked = kept->locked;
                feed.minimum = kept->minimum;
                feed.maximum = kept->maximum;
            }
        }
    }
    // A proposal that fails has said why; the dialog still opens, so that a
    // lock or bound that caused it can be taken back.
    buildGrid();
    propose();
    return true;
}

void RationBalancing::buildGrid()
{
    const RationBalancingLabels text = labels();
    m_grid.clear();
    m_grid.setRowCount(FirstRow + int(m_input.feeds.size()));
    m_grid.setColumnCount(ColumnCount);
    m_grid.setFixedRowCount(FirstRow);
    m_grid.setFixedColumnCount(1);
    const QString headings[] = {text.feed,    text.now,      text.lock,  text.minimum,
                                text.maximum, text.proposed, text.change};
    const int widths[] = {220, 70, 50, 60, 60, 80, 80};
    for (int c = 0; c < ColumnCount; ++c) {
        m_grid.setText(0, c, headings[c]);
        m_grid.setColumnWidth(c, widths[c]);
        m_grid.setColumnReadOnly(c, c != MinimumColumn && c != MaximumColumn);
        if (c != NameColumn)
            m_grid.setColumnAlignment(c, c == LockColumn ? GridAlign::Centre
                                                         : GridAlign::Right | GridAlign::Bottom);
    }
    for (size_t f = 0; f < m_input.feeds.size(); ++f) {
        const int row = FirstRow + int(f);
        const BalanceFeed& feed = m_input.feeds[f];
        m_grid.setText(row, NameColumn, feed.name);
        m_grid.setText(row, NowColumn,
                       feed.grams > 0.0 ? NumberText::formatShortest(feed.grams, 0, 6) : QString());
        m_grid.setText(row, MinimumColumn, boundText(feed.minimum, feed.minimum > 0.0));
        m_grid.setText(row, MaximumColumn, boundText(feed.maximum, std::isfinite(feed.maximum)));
        m_grid.setBackground(row, MinimumColumn, BoundBackground);
        m_grid.setBackground(row, MaximumColumn, BoundBackground);
    }
    m_grid.redraw();
}

void RationBalancing::propose()
{
    m_result = RationBalancer::balance(m_input);
    if (!m_result.solved) {
        m_prompt.message(
            m_result.failure == BalanceFailure::UnusableNumber
                ? Lang::deOr(code(),
                             QStringLiteral("Die Ration lässt sich nicht ausgleichen: ein Gehalt, ein "
                                            "Höchstwert oder eine Menge ist keine brauchbare Zahl."),
                             QStringLiteral("The ration cannot be balanced: a content, a maximum or "
                                            "an amount is not a usable number."))
                : Lang::deOr(code(),
                             QStringLiteral("Die Ration ließ sich nicht ausgleichen; der Rechner fand "
                                            "keine Lösung."),
                             QStringLiteral("The ration could not be balanced; the solver found no "
                                            "solution.")),
            Prompt::Icon::Error);
    }
    for (size_t f = 0; f < m_input.feeds.size(); ++f) {
        const int row = FirstRow + int(f);
        const BalanceFeed& feed = m_input.feeds[f];
        m_grid.setText(row, LockColumn, feed.locked ? QStringLiteral("x") : QString());
        if (!m_result.solved) {
            m_grid.setText(row, ProposedColumn, QString());
            m_grid.setText(row, ChangeColumn, QString());
            continue;
        }
        const double grams = m_result.grams[f];
        const double change = grams - feed.grams;
        m_grid.setText(row, ProposedColumn, feed.locked ? m_grid.text(row, NowColumn) : gramsText(grams));
        const bool unchanged = feed.locked || std::abs(change) < 0.005;
        m_grid.setText(row, ChangeColumn,
                       unchanged ? QString()
                                 : (change > 0.0 ? QStringLiteral("+") : QStringLiteral("-")) +
                                       gramsText(std::abs(change)));
    }
    m_grid.redraw();
    emit proposalChanged();
}

QStringList RationBalancing::resultLines() const
{
    QStringList lines;
    if (!m_result.solved)
        return lines;
    const QString noData =
        Lang::deOr(code(), QStringLiteral(" (keine Angaben)"), QStringLiteral(" (no data)"));
    const auto gaps = [&noData](const std::vector<BalanceGap>& list) {
        QStringList parts;
        for (const BalanceGap& gap : list)
            parts << gap.name + QLatin1Char(' ') + percentText(gap.percent) +
                         (gap.noData ? noData : QString());
        return parts.join(QStringLiteral(", "));
    };
    if (m_result.shortfalls.empty() && m_result.excesses.empty()) {
        lines << Lang::deOr(
            code(),
            QStringLiteral("Energie, alle markierten Bedarfswerte und alle Höchstwerte sind eingehalten."),
            QStringLiteral("Energy, every marked requirement and every maximum are met."));
    }
    if (!m_result.shortfalls.empty())
        lines << Lang::deOr(code(), QStringLiteral("Zu wenig: "), QStringLiteral("Short: ")) +
                     gaps(m_result.shortfalls);
    if (!m_result.excesses.empty())
        lines << Lang::deOr(code(), QStringLiteral("Zu viel: "), QStringLiteral("Over: ")) +
                     gaps(m_result.excesses);
    QStringList unclosed;
    for (const BalanceGap& gap : m_result.shortfalls) {
        if (gap.key == RationBalancer::EnergyKey || gap.noData)
            continue;
        QStringList others;
        const SupplementHint* best = nullptr;
        for (const SupplementHint& hint : m_result.supplements) {
            if (hint.nutrient != gap.key)
                continue;
            if (!best)
                best = &hint;
            else if (others.size() < 3)
                others << hint.feedName;
        }
        if (!best) {
            unclosed << gap.name;
            continue;
        }
        QString line = Lang::deOr(code(), QStringLiteral("Supplement für %1: %2 g %3"),
                                  QStringLiteral("Supplement for %1: %2 g %3"))
                           .arg(gap.name, gramsText(best->grams), best->feedName);
        if (!others.isEmpty())
            line += Lang::deOr(code(), QStringLiteral(" (auch: %1)"), QStringLiteral(" (also: %1)"))
                        .arg(others.join(QStringLiteral("; ")));
        lines << line;
    }
    if (!unclosed.isEmpty()) {
        lines << Lang::deOr(
                     code(),
                     QStringLiteral("Kein mitgeliefertes Supplement schließt allein die Lücke bei: %1"),
                     QStringLiteral("No shipped supplement alone closes the gap in: %1"))
                     .arg(unclosed.join(QStringLiteral(", ")));
    }
    return lines;
}

bool RationBalancing::lock(const QString& feedKey)
{
    for (BalanceFeed& feed : m_input.feeds) {
        if (feed.key == feedKey.trimmed()) {
            feed.locked = true;
            propose();
            return true;
        }
    }
    return false;
}

void RationBalancing::gridClicked(int row, int column)
{
    const int f = row - FirstRow;
    if (column != LockColumn || f < 0 || f >= int(m_input.feeds.size()))
        return;
    m_input.feeds[size_t(f)].locked = !m_input.feeds[size_t(f)].locked;
    keep(m_input.feeds[size_t(f)]);
    propose();
}

void RationBalancing::gridEditEnded(int row, int column, const QString& text)
{
    const int f = row - FirstRow;
    if ((column != MinimumColumn && column != MaximumColumn) || f < 0 || f >= int(m_input.feeds.size()))
        return;
    BalanceFeed& feed = m_input.feeds[size_t(f)];
    const bool isMinimum = column == MinimumColumn;
    const auto restore = [&] {
        const double old = isMinimum ? feed.minimum : feed.maximum;
        m_grid.setText(row, column, boundText(old, isMinimum ? old > 0.0 : std::isfinite(old)));
        m_grid.redraw();
    };
    const std::optional<std::optional<double>> bound = boundIn(text);
    if (!bound) {
        m_prompt.message(Lang::deOr(code(),
                                    QStringLiteral("Bitte eine Menge in Gramm von 0 bis 100000 eingeben."),
                                    QStringLiteral("Please enter an amount in grams from 0 to 100000.")),
                         Prompt::Icon::Exclamation);
        restore();
        return;
    }
    const double minimum = isMinimum ? bound->value_or(0.0) : feed.minimum;
    const double maximum =
        isMinimum ? feed.maximum : bound->value_or(std::numeric_limits<double>::infinity());
    if (minimum > maximum) {
        m_prompt.message(Lang::deOr(code(),
                                    QStringLiteral("Die Mindestmenge von %1 liegt über der Höchstmenge."),
                                    QStringLiteral("The minimum of %1 is above its maximum."))
                             .arg(feed.name),
                         Prompt::Icon::Exclamation);
        restore();
        return;
    }
    feed.minimum = minimum;
    feed.maximum = maximum;
    keep(feed);
    propose();
}

void RationBalancing::keep(const BalanceFeed& feed)
{
    if (m_remembered)
        m_remembered->insert(feed.key, FeedBounds{feed.locked, feed.minimum, feed.maximum});
}

void RationBalancing::apply()
{
    if (!m_result.solved)
        return;
    RationCalculation& ration = m_form.ration();
    GridModel& grid = ration.rationGrid();
    for (size_t f = 0; f < m_input.feeds.size(); ++f) {
        const BalanceFeed& feed = m_input.feeds[f];
        const int row = ration.grids().feedRow(feed.key);
        if (feed.locked || row < 0)
            continue;
        const QString amount = gramsText(m_result.grams[f]);
        const QString now = grid.text(row, RationGrids::AmountColumn).trimmed();
        // Nothing proposed for a feedstuff without an amount stays without one.
        if (now.isEmpty() ? m_result.grams[f] == 0.0 : NumberText::read(now) == m_result.grams[f])
            continue;
        grid.setText(row, RationGrids::AmountColumn, amount);
        m_form.markChanged();
        ration.recalcContributions(feed.key, amount);
    }
}
