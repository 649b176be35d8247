#include "app/cli/CliCommand.h"
#include "app/cli/CliDataDirectory.h"

#include "core/NumberText.h"
#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationBalancing.h"

#include <ostream>

namespace {

constexpr const char* Usage =
    "usage: mensoly-cli balance ID [--lock KEY]... [--complete] [--exclude KEY]... [--days N]\n";

void printGaps(std::ostream& out, const QString& kind, const std::vector<BalanceGap>& gaps)
{
    for (const BalanceGap& gap : gaps)
        printFields(out, {kind, QString::number(gap.key), gap.name, NumberText::format(gap.percent, 1)});
}

} // namespace

// "Balance ration" on a stored case: the proposal as the dialog shows it
// before "Apply". The case is only read; nothing is saved. Unlike the
// dialog, the command completes the ration with supplements only when
// asked to, so that its output stays what it was for scripts that do not.
int runBalanceCommand(const CliArgs& args, CliIo& io)
{
    bool isNumber = false;
    if (!args.empty())
        QString::fromStdString(args[0]).toLong(&isNumber);
    QStringList locks, excludes;
    bool complete = false;
    int days = SupplementPremix::DefaultDays;
    bool argsRead = isNumber;
    for (size_t i = 1; argsRead && i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--complete") {
            complete = true;
        } else if (arg != "--lock" && arg != "--exclude" && arg != "--days") {
            io.err << "mensoly-cli balance: unknown argument '" << arg << "'\n";
            argsRead = false;
        } else if (i + 1 >= args.size()) {
            io.err << "mensoly-cli balance: missing value after '" << arg << "'\n";
            argsRead = false;
        } else {
            const QString value = QString::fromStdString(args[++i]).trimmed();
            if (arg == "--lock") {
                locks << value;
            } else if (arg == "--exclude") {
                excludes << value;
            } else {
                bool whole = false;
                days = value.toInt(&whole);
                if (!whole || days < SupplementPremix::FewestDays || days > SupplementPremix::MostDays) {
                    io.err << "mensoly-cli balance: --days takes a whole number from "
                           << SupplementPremix::FewestDays << " to " << SupplementPremix::MostDays
                           << ", not '" << args[i] << "'\n";
                    argsRead = false;
                }
            }
        }
    }
    if (!argsRead) {
        io.err << Usage;
        return 2;
    }

    CliStoredCase stored(io.err);
    if (!stored.open("balance", QString::fromStdString(args[0]).trimmed().toStdString()))
        return 1;
    AppContext& context = stored.context();
    StderrPrompt& prompt = stored.prompt();
    CaseHeaderForm& form = stored.form();
    RationBalancing balancing(context, prompt, form);
    balancing.setComplete(complete);
    balancing.setPremixDays(days);
    if (!balancing.start())
        return 1;
    for (const QString& key : locks) {
        if (!balancing.lock(key)) {
            io.err << "mensoly-cli balance: the ration has no feedstuff with the key " << key.toStdString()
                   << "\n";
            return 1;
        }
    }
    for (const QString& key : excludes) {
        if (!balancing.exclude(key)) {
            io.err << "mensoly-cli balance: neither the ration nor the shipped supplements have a feedstuff "
                      "with the key "
                   << key.toStdString() << "\n";
            return 1;
        }
    }
    // A lock that leaves no solution has been told through the prompt.
    const BalanceResult& result = balancing.result();
    if (!result.solved)
        return 1;

    RationCalculation& ration = form.ration();
    const std::vector<BalanceFeed>& feeds = balancing.input().feeds;
    for (size_t f = 0; f < feeds.size(); ++f) {
        const BalanceFeed& feed = feeds[f];
        const int row = ration.model().feedIndex(feed.key.toInt());
        const QString amount = feed.locked
                                   ? (row < 0 ? QString() : ration.model().feeds[size_t(row)].amountText)
                                   : RationBalancer::weighableText(result.grams[f]);
        printFields(io.out, {QStringLiteral("feed"), feed.key, feed.name, amount});
    }
    const std::vector<BalanceFeed>& supplements = balancing.input().supplements;
    for (size_t i = 0; i < supplements.size(); ++i) {
        if (result.added[i] > 0.0)
            printFields(io.out, {QStringLiteral("feed"), supplements[i].key, supplements[i].name,
                                 RationBalancer::weighableText(result.added[i]), QStringLiteral("added")});
    }
    printGaps(io.out, QStringLiteral("short"), result.shortfalls);
    printGaps(io.out, QStringLiteral("over"), result.excesses);
    for (const SupplementHint& hint : result.supplements) {
        printFields(io.out, {QStringLiteral("supplement"), QString::number(hint.nutrient), hint.feedKey,
                             hint.feedName, RationBalancer::weighableText(hint.grams)});
    }
    const Premix& premix = balancing.premix();
    if (complete && !premix.empty()) {
        for (const PremixLine& substance : premix.substances)
            printFields(io.out, {QStringLiteral("premix"), substance.key, substance.name,
                                 NumberText::format(substance.grams, 3)});
        printFields(io.out, {QStringLiteral("premix-dose"),
                             RationBalancer::weighableText(RationBalancer::fourDigits(premix.dailyDose)),
                             QString::number(premix.days)});
    }
    return 0;
}
