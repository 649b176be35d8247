#pragma once

#include "db/ChoiceList.h"
#include "ration/RationBalancer.h"
#include "ration/SupplementPremix.h"
#include "ui/GridModel.h"

#include <QObject>
#include <QStringList>

#include <optional>

class AppContext;
class CaseHeaderForm;
class Prompt;

struct RationBalancingLabels
{
    QString title, feed, now, lock, exclude, minimum, maximum, proposed, change, apply, cancel;
    QString complete, days, portion, carrier, noCarrier;
    // The "now" of a supplement the proposal adds and of the premix's carrier.
    QString added, carrierRow;
};

// "Balance ration" without its dialog: one row per feedstuff of the ration
// with its amount now, a lock, a "do not use" mark and optional bounds in
// grams the user sets, and the proposal, made again after every change. To
// complete the ration (on by default), shipped supplements the ration does
// not hold are added where its feedstuffs leave a requirement short; they
// get rows of their own, marked as new, with the same lock, mark and bounds.
// Supplements below a gram a day form a premix for a number of days with a
// carrier the user may choose, whose daily share is part of the proposal.
// The lines below the grid say what stays short or over, which shipped
// supplement would close a gap, and how the premix is made. apply() writes
// the proposal into the ration grid as typed amounts, adding rows for the
// added supplements and the carrier; nothing else writes to the case.
class RationBalancing : public QObject
{
    Q_OBJECT

public:
    enum Column {
        NameColumn,
        NowColumn,
        LockColumn,
        ExcludeColumn,
        MinimumColumn,
        MaximumColumn,
        ProposedColumn,
        ChangeColumn,
        ColumnCount
    };
    static constexpr int FirstRow = 1;
    // A bound above 100 kg a day is a typing error.
    static constexpr double LargestBound = 100000.0;
    // A premix portion above 100 g a day is no premix.
    static constexpr double LargestPortion = 100.0;

    // What a row of the grid shows.
    struct Row
    {
        enum class Kind { Ration, Carrier, Supplement };
        Kind kind = Kind::Ration;
        size_t index = 0; // into input().feeds, or input().supplements
    };

    RationBalancing(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QObject* parent = nullptr);

    static RationBalancingLabels labels(const QString& languageCode);
    RationBalancingLabels labels() const;

    // Locks, marks and bounds set in an earlier balancing of the page, by
    // feedstuff key; they are read at start() and kept up to date. Without
    // them the balancing starts from none.
    void remember(QHash<QString, FeedBounds>& bounds) { m_remembered = &bounds; }

    // Reads the ration and proposes; false, after saying why, when there is
    // nothing to balance. A proposal that fails says why and leaves Apply
    // without effect until a change makes one.
    bool start();

    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    const std::vector<Row>& rows() const { return m_rows; }
    // The proposal: grams per feedstuff of the ration, followed by the
    // carrier's daily share when the ration does not hold the carrier.
    const BalanceResult& result() const { return m_result; }
    bool canApply() const { return m_result.solved; }
    const BalanceInput& input() const { return m_input; }
    const Premix& premix() const { return m_premix; }
    QStringList resultLines() const;

    // The settings of the completion; each proposes again once started.
    void setComplete(bool complete);
    bool complete() const { return m_complete; }
    // False, changing nothing, outside SupplementPremix::FewestDays to MostDays.
    bool setPremixDays(int days);
    int premixDays() const { return m_days; }
    // False, changing nothing, unless above 0 and up to LargestPortion.
    bool setPremixPortion(double grams);
    double premixPortion() const { return m_portion; }
    // Every active feedstuff, read at start(), to choose the carrier from.
    const ChoiceList& carrierList() const { return m_carriers; }
    // The carrier by feedstuff key; 0 for none. False for a key not stored.
    bool setCarrier(int key);
    int carrier() const { return m_carrier ? m_carrier->key.toInt() : 0; }

    // The feedstuff keeps its amount; false when the ration has no such key.
    bool lock(const QString& feedKey);
    // "Do not use" for a feedstuff of the ration or a shipped supplement;
    // false when neither has the key.
    bool exclude(const QString& feedKey);
    // Writes the proposed amounts into the ration grid, so supply, indicators
    // and charts follow; the case is then changed and saved as usual.
    void apply();

signals:
    void proposalChanged();

private:
    void buildGrid();
    void propose();
    void showRows();
    void gridClicked(int row, int column);
    void gridEditEnded(int row, int column, const QString& text);
    BalanceFeed* feedAt(int row);
    double proposedAt(size_t r) const;
    std::vector<PremixPart> premixParts() const;
    void keep(const BalanceFeed& feed);
    QString code() const;

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    GridModel m_grid;
    BalanceInput m_input;
    // The input the proposal was made from: with the carrier's share.
    BalanceInput m_proposed;
    BalanceResult m_result;
    Premix m_premix;
    std::vector<Row> m_rows;
    QHash<QString, FeedBounds>* m_remembered = nullptr;
    bool m_started = false;
    bool m_complete = true;
    int m_days = SupplementPremix::DefaultDays;
    double m_portion = SupplementPremix::DefaultPortion;
    ChoiceList m_carriers;
    std::optional<BalanceFeed> m_carrier;
};
