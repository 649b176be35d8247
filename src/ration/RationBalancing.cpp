#include "ration/RationBalancing.h"

#include "core/Codes.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "ration/BalanceData.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationBalancingTexts.h"
#include "ration/RationGrids.h"

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

// An amount of the premix, to the milligram.
QString premixText(double grams)
{
    return NumberText::format(grams, 3);
}

bool changes(double grams, double now)
{
    return std::abs(grams - now) > 1e-9 * std::max(1.0, now);
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
    using namespace RationBalancingTexts;
    const QString code = Lang::labelCode(languageCode);
    RationBalancingLabels text;
    text.title = Title.in(code);
    text.feed = Feed.in(code);
    text.now = Now.in(code);
    text.lock = Lock.in(code);
    text.exclude = Exclude.in(code);
    text.minimum = Minimum.in(code);
    text.maximum = Maximum.in(code);
    text.proposed = Proposed.in(code);
    text.change = Change.in(code);
    text.apply = Apply.in(code);
    text.cancel = Cancel.in(code);
    text.complete = Complete.in(code);
    text.days = Days.in(code);
    text.portion = Portion.in(code);
    text.carrier = Carrier.in(code);
    text.noCarrier = NoCarrier.in(code);
    text.added = Added.in(code);
    text.carrierRow = CarrierRow.in(code);
    return text;
}

RationBalancingLabels RationBalancing::labels() const
{
    return labels(code());
}

bool RationBalancing::start()
{
    m_input = BalanceData::read(m_context, m_form);
    if (m_input.feeds.empty()) {
        m_prompt.message(RationBalancingTexts::NoFeedstuffs.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    const auto energy =
        std::find_if(m_input.nutrients.begin(), m_input.nutrients.end(),
                     [](const BalanceNutrient& n) { return n.key == NutrientKey::EnergyKcal; });
    if (energy == m_input.nutrients.end() || energy->requirement <= 0.0) {
        m_prompt.message(RationBalancingTexts::NoEnergyRequirement.in(code()), Prompt::Icon::Exclamation);
        return false;
    }
    if (m_remembered) {
        // A ration feedstuff's lock keeps its typed amount; a supplement's
        // lock the amount it was locked at.
        const auto recall = [this](BalanceFeed& feed, bool ownAmount) {
            const auto kept = m_remembered->constFind(feed.key);
            if (kept == m_remembered->cend())
                return;
            feed.locked = kept->locked;
            feed.minimum = kept->minimum;
            feed.maximum = kept->maximum;
            feed.excluded = kept->excluded;
            if (ownAmount)
                feed.grams = kept->locked ? kept->grams : 0.0;
        };
        for (BalanceFeed& feed : m_input.feeds)
            recall(feed, false);
        for (BalanceFeed& supplement : m_input.supplements)
            recall(supplement, true);
    }
    m_carriers.fill(m_context.db(), BalanceData::feedListQuery(code()));
    m_started = true;
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
    m_grid.setRowCount(FirstRow);
    m_grid.setColumnCount(ColumnCount);
    m_grid.setFixedRowCount(FirstRow);
    m_grid.setFixedColumnCount(1);
    const QString headings[] = {text.feed,    text.now,     text.lock,     text.exclude,
                                text.minimum, text.maximum, text.proposed, text.change};
    const int widths[] = {220, 70, 50, 50, 60, 60, 80, 80};
    for (int c = 0; c < ColumnCount; ++c) {
        m_grid.setText(0, c, headings[c]);
        m_grid.setColumnWidth(c, widths[c]);
        if (c != NameColumn)
            m_grid.setColumnAlignment(c, c == LockColumn || c == ExcludeColumn
                                             ? GridAlign::Centre
                                             : GridAlign::Right | GridAlign::Bottom);
    }
    m_grid.redraw();
}

// The ration's feedstuffs come from the input; the carrier's share and the
// supplements from the proposal.
double RationBalancing::proposedAt(size_t r) const
{
    const Row& row = m_rows[r];
    if (row.kind == Row::Kind::Supplement)
        return m_result.added.empty() ? 0.0 : m_result.added[row.index];
    return m_result.grams.empty() ? 0.0 : m_result.grams[row.index];
}

void RationBalancing::propose()
{
    m_input.complete = m_complete;
    m_proposed = m_input;
    m_result = RationBalancer::balance(m_proposed);
    m_premix = Premix();
    // The carrier's share depends on what goes into the premix, and what
    // goes in on what the carrier brings: the share is taken from one
    // balancing into the next until it stays (it hardly moves after the
    // first); the premix is made of the share the last balancing counted.
    if (m_complete && m_result.solved) {
        // A carrier of the ration marked "do not use" carries nothing; one
        // the user holds at an amount carries at most that.
        const auto held =
            std::find_if(m_input.feeds.cbegin(), m_input.feeds.cend(),
                         [this](const BalanceFeed& feed) { return m_carrier && feed.key == m_carrier->key; });
        const bool carried = m_carrier && (held == m_input.feeds.cend() || !held->excluded);
        m_premix = SupplementPremix::make(premixParts(), m_days, m_portion, carried);
        double counted = 0.0;
        for (int pass = 0; pass < 4 && carried && m_result.solved; ++pass) {
            // As the ration grid takes it.
            double share = RationBalancer::fourDigits(m_premix.carrierDaily);
            if (held != m_input.feeds.cend() && held->locked)
                share = std::min(share, held->grams);
            if (share == counted)
                break;
            counted = share;
            m_proposed = m_input;
            const auto inRation =
                std::find_if(m_proposed.feeds.begin(), m_proposed.feeds.end(),
                             [this](const BalanceFeed& feed) { return feed.key == m_carrier->key; });
            // A carrier in the ration takes at least its share, unless the
            // user holds its amount; another gets a row of its own.
            if (inRation == m_proposed.feeds.end()) {
                BalanceFeed carrier = *m_carrier;
                carrier.grams = share;
                carrier.locked = true;
                if (share > 0.0)
                    m_proposed.feeds.push_back(carrier);
            } else if (!inRation->locked && !inRation->excluded) {
                inRation->minimum = std::min(std::max(inRation->minimum, share), inRation->maximum);
            }
            m_result = RationBalancer::balance(m_proposed);
            if (m_result.solved)
                m_premix = SupplementPremix::make(premixParts(), m_days, m_portion, true);
        }
        if (!m_result.solved) {
            m_premix = Premix();
        } else if (carried) {
            const bool overfull = m_premix.overfull;
            m_premix = SupplementPremix::withCarrierShare(premixParts(), m_days, counted);
            m_premix.overfull = overfull;
        }
    }
    if (!m_result.solved) {
        m_prompt.message(m_result.failure == BalanceFailure::UnusableNumber
                             ? RationBalancingTexts::UnusableNumber.in(code())
                             : RationBalancingTexts::NoSolution.in(code()),
                         Prompt::Icon::Error);
    }

    // The rows: the ration's feedstuffs, the carrier when it has a row of its
    // own, then the supplements added or marked by the user.
    m_rows.clear();
    for (size_t f = 0; f < m_input.feeds.size(); ++f)
        m_rows.push_back({Row::Kind::Ration, f});
    if (m_proposed.feeds.size() > m_input.feeds.size() && m_result.solved)
        m_rows.push_back({Row::Kind::Carrier, m_input.feeds.size()});
    if (m_complete) {
        for (size_t i = 0; i < m_input.supplements.size(); ++i) {
            const BalanceFeed& supplement = m_input.supplements[i];
            const bool inRation =
                std::any_of(m_input.feeds.begin(), m_input.feeds.end(),
                            [&](const BalanceFeed& feed) { return feed.key == supplement.key; });
            const bool added = m_result.solved && m_result.added[i] > 0.0;
            if (!inRation && (added || supplement.locked || supplement.excluded || supplement.minimum > 0.0 ||
                              std::isfinite(supplement.maximum)))
                m_rows.push_back({Row::Kind::Supplement, i});
        }
    }
    showRows();
    emit proposalChanged();
}

void RationBalancing::showRows()
{
    const RationBalancingLabels text = labels();
    m_grid.setRowCount(FirstRow + int(m_rows.size()));
    for (size_t r = 0; r < m_rows.size(); ++r) {
        const int row = FirstRow + int(r);
        const Row& shown = m_rows[r];
        const bool carrier = shown.kind == Row::Kind::Carrier;
        // The user's own bounds, not those the carrier's share raised.
        const BalanceFeed& feed = shown.kind == Row::Kind::Supplement ? m_input.supplements[shown.index]
                                  : carrier                           ? m_proposed.feeds[shown.index]
                                                                      : m_input.feeds[shown.index];
        const double grams = m_result.solved ? proposedAt(r) : 0.0;
        QString now;
        if (carrier)
            now = text.carrierRow;
        else if (shown.kind == Row::Kind::Supplement)
            now = grams > 0.0 ? text.added : QString();
        else if (feed.grams > 0.0)
            now = NumberText::formatShortest(feed.grams, 0, 10);
        m_grid.setText(row, NameColumn, feed.name);
        m_grid.setText(row, NowColumn, now);
        m_grid.setText(row, LockColumn, feed.locked && !carrier ? QString(Codes::Mark) : QString());
        m_grid.setText(row, ExcludeColumn, feed.excluded ? QString(Codes::Mark) : QString());
        m_grid.setText(row, MinimumColumn, boundText(feed.minimum, feed.minimum > 0.0 && !carrier));
        m_grid.setText(row, MaximumColumn, boundText(feed.maximum, std::isfinite(feed.maximum) && !carrier));
        for (int c = 0; c < ColumnCount; ++c)
            m_grid.setReadOnly(row, c, carrier || (c != MinimumColumn && c != MaximumColumn));
        const Rgb background = carrier ? Rgb{240, 240, 240} : BoundBackground;
        m_grid.setBackground(row, MinimumColumn, background);
        m_grid.setBackground(row, MaximumColumn, background);
        if (!m_result.solved) {
            m_grid.setText(row, ProposedColumn, QString());
            m_grid.setText(row, ChangeColumn, QString());
            continue;
        }
        const double before = shown.kind == Row::Kind::Ration ? feed.grams : 0.0;
        const bool lockedRow = feed.locked && shown.kind == Row::Kind::Ration;
        m_grid.setText(row, ProposedColumn,
                       lockedRow                                             ? m_grid.text(row, NowColumn)
                       : shown.kind == Row::Kind::Supplement && grams <= 0.0 ? QString()
                                                                             : gramsText(grams));
        const bool unchanged = lockedRow || !changes(grams, before);
        m_grid.setText(row, ChangeColumn,
                       unchanged ? QString()
                                 : (grams > before ? QStringLiteral("+") : QStringLiteral("-")) +
                                       gramsText(std::abs(grams - before)));
    }
    m_grid.redraw();
}

std::vector<PremixPart> RationBalancing::premixParts() const
{
    std::vector<PremixPart> parts;
    const QString carrierKey = m_carrier ? m_carrier->key : QString();
    for (size_t f = 0; f < m_input.feeds.size(); ++f) {
        const BalanceFeed& feed = m_input.feeds[f];
        if (feed.supplement && feed.key != carrierKey)
            parts.push_back({feed.key, feed.name, m_result.grams[f]});
    }
    for (size_t i = 0; i < m_input.supplements.size(); ++i) {
        const BalanceFeed& supplement = m_input.supplements[i];
        if (m_result.added[i] > 0.0 && supplement.key != carrierKey)
            parts.push_back({supplement.key, supplement.name, m_result.added[i]});
    }
    return parts;
}

QStringList RationBalancing::resultLines() const
{
    QStringList lines;
    if (!m_result.solved)
        return lines;
    const QString noData = RationBalancingTexts::NoData.in(code());
    const auto gaps = [&noData](const std::vector<BalanceGap>& list) {
        QStringList parts;
        for (const BalanceGap& gap : list)
            parts << gap.name + QLatin1Char(' ') + percentText(gap.percent) +
                         (gap.noData ? noData : QString());
        return parts.join(QStringLiteral(", "));
    };
    if (m_result.shortfalls.empty() && m_result.excesses.empty()) {
        lines << RationBalancingTexts::AllMet.in(code());
    }
    if (!m_result.shortfalls.empty())
        lines << RationBalancingTexts::Short.in(code()) + gaps(m_result.shortfalls);
    if (!m_result.excesses.empty())
        lines << RationBalancingTexts::Over.in(code()) + gaps(m_result.excesses);
    QStringList unclosed;
    for (const BalanceGap& gap : m_result.shortfalls) {
        if (gap.key == NutrientKey::EnergyKcal || gap.noData)
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
        QString line = RationBalancingTexts::SupplementFor.in(code()).arg(gap.name, gramsText(best->grams),
                                                                          best->feedName);
        if (!others.isEmpty())
            line += RationBalancingTexts::Also.in(code()).arg(others.join(QStringLiteral("; ")));
        lines << line;
    }
    if (!unclosed.isEmpty()) {
        lines << RationBalancingTexts::NoSupplementCloses.in(code()).arg(unclosed.join(QStringLiteral(", ")));
    }
    if (m_premix.empty())
        return lines;
    lines << RationBalancingTexts::Premix.in(code())
                 .arg(m_premix.days)
                 .arg(gramsText(RationBalancer::fourDigits(m_premix.dailyDose)));
    const QString tooLittle = RationBalancingTexts::TooLittle.in(code());
    for (const PremixLine& substance : m_premix.substances)
        lines << QStringLiteral("  %1: %2 g%3")
                     .arg(substance.name, premixText(substance.grams),
                          substance.tooLittle ? tooLittle : QString());
    if (m_carrier && m_premix.carrier > 0.0)
        lines << RationBalancingTexts::PremixCarrier.in(code()).arg(m_carrier->name,
                                                                    premixText(m_premix.carrier));
    if (m_premix.overfull)
        lines << RationBalancingTexts::Overfull.in(code()).arg(NumberText::formatShortest(m_portion, 0, 3));
    return lines;
}

void RationBalancing::setComplete(bool complete)
{
    m_complete = complete;
    if (m_started)
        propose();
}

bool RationBalancing::setPremixDays(int days)
{
    if (days < SupplementPremix::FewestDays || days > SupplementPremix::MostDays)
        return false;
    m_days = days;
    if (m_started)
        propose();
    return true;
}

bool RationBalancing::setPremixPortion(double grams)
{
    if (!(grams > 0.0 && grams <= LargestPortion))
        return false;
    m_portion = grams;
    if (m_started)
        propose();
    return true;
}

bool RationBalancing::setCarrier(int key)
{
    std::optional<BalanceFeed> carrier;
    if (key != 0) {
        carrier = BalanceData::feed(m_context, key);
        if (!carrier)
            return false;
    }
    m_carrier = carrier;
    if (m_started)
        propose();
    return true;
}

bool RationBalancing::lock(const QString& feedKey)
{
    for (BalanceFeed& feed : m_input.feeds) {
        if (feed.key == feedKey.trimmed()) {
            feed.locked = true;
            feed.excluded = false;
            propose();
            return true;
        }
    }
    return false;
}

bool RationBalancing::exclude(const QString& feedKey)
{
    for (std::vector<BalanceFeed>* list : {&m_input.feeds, &m_input.supplements}) {
        for (BalanceFeed& feed : *list) {
            if (feed.key == feedKey.trimmed()) {
                feed.excluded = true;
                feed.locked = false;
                propose();
                return true;
            }
        }
    }
    return false;
}

BalanceFeed* RationBalancing::feedAt(int row)
{
    const int r = row - FirstRow;
    if (r < 0 || r >= int(m_rows.size()))
        return nullptr;
    const Row& shown = m_rows[size_t(r)];
    switch (shown.kind) {
    case Row::Kind::Ration:
        return &m_input.feeds[shown.index];
    case Row::Kind::Supplement:
        return &m_input.supplements[shown.index];
    case Row::Kind::Carrier:
        break;
    }
    return nullptr;
}

void RationBalancing::gridClicked(int row, int column)
{
    BalanceFeed* feed = feedAt(row);
    if (!feed || (column != LockColumn && column != ExcludeColumn))
        return;
    const bool supplement = m_rows[size_t(row - FirstRow)].kind == Row::Kind::Supplement;
    if (column == LockColumn) {
        feed->locked = !feed->locked;
        feed->excluded = false;
        // A supplement not in the ration is locked at what it is proposed at.
        if (supplement)
            feed->grams = feed->locked ? proposedAt(size_t(row - FirstRow)) : 0.0;
    } else {
        feed->excluded = !feed->excluded;
        feed->locked = false;
        if (supplement)
            feed->grams = 0.0;
    }
    keep(*feed);
    propose();
}

void RationBalancing::gridEditEnded(int row, int column, const QString& text)
{
    BalanceFeed* found = feedAt(row);
    if ((column != MinimumColumn && column != MaximumColumn) || !found)
        return;
    BalanceFeed& feed = *found;
    const bool isMinimum = column == MinimumColumn;
    const auto restore = [&] {
        const double old = isMinimum ? feed.minimum : feed.maximum;
        m_grid.setText(row, column, boundText(old, isMinimum ? old > 0.0 : std::isfinite(old)));
        m_grid.redraw();
    };
    const std::optional<std::optional<double>> bound = boundIn(text);
    if (!bound) {
        m_prompt.message(RationBalancingTexts::AmountOutOfRange.in(code()), Prompt::Icon::Exclamation);
        restore();
        return;
    }
    const double minimum = isMinimum ? bound->value_or(0.0) : feed.minimum;
    const double maximum =
        isMinimum ? feed.maximum : bound->value_or(std::numeric_limits<double>::infinity());
    if (minimum > maximum) {
        m_prompt.message(RationBalancingTexts::MinimumAboveMaximum.in(code()).arg(feed.name),
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
    if (m_remembered) {
        const bool supplement = std::any_of(m_input.supplements.begin(), m_input.supplements.end(),
                                            [&](const BalanceFeed& s) { return &s == &feed; });
        m_remembered->insert(feed.key, FeedBounds{feed.locked, feed.minimum, feed.maximum, feed.excluded,
                                                  supplement ? feed.grams : 0.0});
    }
}

void RationBalancing::apply()
{
    if (!m_result.solved)
        return;
    RationCalculation& ration = m_form.ration();
    // As the user types an amount into the row.
    const auto type = [&](int row, const QString& key, double grams) {
        const QString amount = gramsText(grams);
        ration.grids().setAmount(row, amount);
        m_form.markChanged();
        ration.recalcContributions(key, amount);
    };
    for (size_t f = 0; f < m_input.feeds.size(); ++f) {
        const BalanceFeed& feed = m_input.feeds[f];
        const int row = ration.grids().feedRow(feed.key);
        if (feed.locked || row < 0)
            continue;
        const double grams = m_result.grams[f];
        const RationFeed& now = ration.model().feeds[size_t(row - NutrientColumns::FirstFeedRow)];
        // Nothing proposed for a feedstuff without an amount stays without one.
        if (now.hasAmount() ? now.grams == grams : grams == 0.0)
            continue;
        type(row, feed.key, grams);
    }
    // The carrier and the added supplements get rows as if the user picked
    // them from the list and typed their amounts.
    const auto add = [&](const BalanceFeed& feed, double grams) {
        const int row = ration.grids().addFeed(feed.key);
        if (row >= 0)
            type(row, feed.key, grams);
    };
    for (size_t f = m_input.feeds.size(); f < m_proposed.feeds.size(); ++f)
        add(m_proposed.feeds[f], m_result.grams[f]);
    for (size_t i = 0; i < m_input.supplements.size(); ++i) {
        if (m_result.added[i] > 0.0)
            add(m_input.supplements[i], m_result.added[i]);
    }
}
