#pragma once

#include "ration/RationBalancer.h"
#include "ui/GridModel.h"

#include <QObject>
#include <QStringList>

class AppContext;
class CaseHeaderForm;
class Prompt;

struct RationBalancingLabels
{
    QString title, feed, now, lock, minimum, maximum, proposed, change, apply, cancel;
};

// "Balance ration" without its dialog: one row per feedstuff of the ration
// with its amount now, a lock and optional bounds in grams the user sets,
// and the proposal, made again after every change of a lock or bound. The
// lines below the grid say what stays short or over and which shipped
// supplement would close a gap. apply() writes the proposal into the ration
// grid as typed amounts; nothing else writes to the case.
class RationBalancing : public QObject
{
    Q_OBJECT

public:
    enum Column {
        NameColumn,
        NowColumn,
        LockColumn,
        MinimumColumn,
        MaximumColumn,
        ProposedColumn,
        ChangeColumn,
        ColumnCount
    };
    static constexpr int FirstRow = 1;
    // A bound above 100 kg a day is a typing error.
    static constexpr double LargestBound = 100000.0;

    RationBalancing(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QObject* parent = nullptr);

    static RationBalancingLabels labels(const QString& languageCode);
    RationBalancingLabels labels() const;

    // Locks and bounds set in an earlier balancing of the page, by feedstuff
    // key; they are read at start() and kept up to date. Without them the
    // balancing starts from none.
    void remember(QHash<QString, FeedBounds>& bounds) { m_remembered = &bounds; }

    // Reads the ration and proposes; false, after saying why, when there is
    // nothing to balance. A proposal that fails says why and leaves Apply
    // without effect until a change makes one.
    bool start();

    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }
    const BalanceResult& result() const { return m_result; }
    bool canApply() const { return m_result.solved; }
    const BalanceInput& input() const { return m_input; }
    QStringList resultLines() const;

    // The feedstuff keeps its amount; false when the ration has no such key.
    bool lock(const QString& feedKey);
    // Writes the proposed amounts into the ration grid, so supply, indicators
    // and charts follow; the case is then changed and saved as usual.
    void apply();

signals:
    void proposalChanged();

private:
    void buildGrid();
    void propose();
    void gridClicked(int row, int column);
    void gridEditEnded(int row, int column, const QString& text);
    void keep(const BalanceFeed& feed);
    QString code() const;

    AppContext& m_context;
    Prompt& m_prompt;
    CaseHeaderForm& m_form;
    GridModel m_grid;
    BalanceInput m_input;
    BalanceResult m_result;
    QHash<QString, FeedBounds>* m_remembered = nullptr;
};
