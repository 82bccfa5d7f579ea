// Kills and races mcm-soak-saver against one record folder and checks after
// every step that the record on disk is whole, never lower than before, and
// held by the name saved with it. Prints a Markdown report; exits 1 on any
// fault found.
//   mcm-soak [--kills N] [--races N] [--budget SECONDS]
#include "forms/files/sequentialfiles.h"
#include "saverprocess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include <cstdio>
#include <memory>
#include <optional>
#include <random>

namespace {

struct Record
{
    long long score = 0;
    QString name;
};

struct Tally
{
    QString phase;
    int rounds = 0;
    int roundsThatSaved = 0;
    int faults = 0;
    // A kill between the two files' replacements leaves the new score with
    // the old name on disk, each file whole, until the next game puts the
    // pair together.
    int splitUntilNextGame = 0;
    qint64 milliseconds = 0;
};

QString saverPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/mcm-soak-saver");
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A whole record: each file exactly one line with CR LF.
std::optional<Record> readRecord(const QDir &folder)
{
    static const QRegularExpression scoreLine(QStringLiteral("^(\\d+)\r\n$"));
    static const QRegularExpression nameLine(QStringLiteral("^(P\\d+)\r\n$"));
    const auto score = scoreLine.match(QString::fromLatin1(contents(folder.filePath(QStringLiteral("primato.txt")))));
    const auto name = nameLine.match(QString::fromLatin1(contents(folder.filePath(QStringLiteral("nprimato.txt")))));
    if (!score.hasMatch() || !name.hasMatch())
        return std::nullopt;
    return Record{score.captured(1).toLongLong(), name.captured(1)};
}

QString nameFor(long long score)
{
    return QStringLiteral("P%1").arg(score);
}

void report(const Tally &tally, int round, const QString &what, const QDir &folder)
{
    std::fprintf(stderr, "%s round %d: %s; primato.txt=%s nprimato.txt=%s\n", qPrintable(tally.phase), round,
        qPrintable(what), contents(folder.filePath(QStringLiteral("primato.txt"))).toPercentEncoding().constData(),
        contents(folder.filePath(QStringLiteral("nprimato.txt"))).toPercentEncoding().constData());
}

void fault(Tally &tally, int round, const QString &what, const QDir &folder)
{
    ++tally.faults;
    report(tally, round, what, folder);
}

// Checks the folder against the record seen before, first as the savers left
// it and then as the next game loads it; returns the record now.
Record checkAfter(Tally &tally, int round, const QDir &folder, const Record &before)
{
    const std::optional<Record> left = readRecord(folder);
    if (!left)
        fault(tally, round, QStringLiteral("empty or partial record file"), folder);
    else if (left->name != nameFor(left->score))
        ++tally.splitUntilNextGame;

    forms::finishInterruptedPrint(
        {folder.filePath(QStringLiteral("primato.txt")), folder.filePath(QStringLiteral("nprimato.txt"))});
    const std::optional<Record> now = readRecord(folder);
    if (!now) {
        fault(tally, round, QStringLiteral("empty or partial record file at the next game"), folder);
        return before;
    }
    if (now->score < before.score)
        fault(tally, round, QStringLiteral("record went down"), folder);
    else if (now->name != nameFor(now->score))
        fault(tally, round, QStringLiteral("name of another score at the next game"), folder);
    if (now->score != before.score)
        ++tally.roundsThatSaved;
    return *now;
}

using Saver = std::unique_ptr<SaverProcess>;

Saver spawnSaver(const QDir &folder, const QStringList &arguments)
{
    return std::make_unique<SaverProcess>(saverPath(), QStringList{folder.path()} + arguments);
}

void killAfter(SaverProcess &saver, std::chrono::microseconds delay)
{
    QThread::usleep(static_cast<unsigned long>(delay.count()));
    saver.kill();
}

void seedRecord(const QDir &folder)
{
    for (const auto &[file, line] : {std::pair{"primato.txt", "0\r\n"}, std::pair{"nprimato.txt", "P0\r\n"}}) {
        QFile record(folder.filePath(QLatin1String(file)));
        if (!record.open(QIODevice::WriteOnly) || record.write(line) < 0)
            qFatal("cannot seed %s", file);
    }
}

class Soak
{
public:
    Soak(std::uint32_t seed, qint64 phaseBudgetMs) : random(seed), budgetMs(phaseBudgetMs)
    {
        if (!scratch.isValid())
            qFatal("no scratch folder");
        folder = QDir(scratch.path());
        seedRecord(folder);
        last = *readRecord(folder);
    }

    qint64 measureGameMs()
    {
        QElapsedTimer clock;
        clock.start();
        const int status = spawnSaver(folder, {QStringLiteral("game"), QStringLiteral("1"), nameFor(1)})->wait();
        if (status != 0)
            qFatal("a whole game did not save (status %d)", status);
        last = *readRecord(folder);
        return clock.elapsed();
    }

    // Saves in a tight loop, killed up to maxDelay after its first save, so
    // that the kill lands among saves rather than in the start-up.
    Tally killLoops(int rounds, std::chrono::microseconds maxDelay)
    {
        return runPhase(QStringLiteral("kill during save loop"), rounds, [this, maxDelay](Tally &tally, int round) {
            const Saver saver = spawnSaver(folder, {QStringLiteral("loop")});
            waitForSaveAbove(last.score);
            killAfter(*saver, randomDelay(maxDelay));
            last = checkAfter(tally, round, folder, last);
        });
    }

    // Whole games, each killed at a moment of its life.
    Tally killGames(int rounds, std::chrono::microseconds maxDelay)
    {
        return runPhase(QStringLiteral("kill during whole game"), rounds, [this, maxDelay](Tally &tally, int round) {
            const long long score = last.score + 1;
            killAfter(*spawnSaver(folder, {QStringLiteral("game"), QString::number(score), nameFor(score)}),
                randomDelay(maxDelay));
            last = checkAfter(tally, round, folder, last);
        });
    }

    // Two games beating the record by different amounts save at once: the
    // higher must stand, whatever the order.
    Tally races(int rounds)
    {
        return runPhase(QStringLiteral("two games saving at once"), rounds, [this](Tally &tally, int round) {
            const auto [first, second] = twoScoresAbove(last.score);
            const Saver one = spawnSaver(folder, {QStringLiteral("game"), QString::number(first), nameFor(first)});
            const Saver other = spawnSaver(folder, {QStringLiteral("game"), QString::number(second), nameFor(second)});
            watchScoreWhileRunning(tally, round, *one, *other);
            const Record before = last;
            last = checkAfter(tally, round, folder, last);
            if (last.score != std::max({before.score, first, second}))
                fault(tally, round,
                    QStringLiteral("the higher score of %1 and %2 is not the record").arg(first).arg(second), folder);
        });
    }

    int leftoverFiles() const
    {
        const QStringList record{
            QStringLiteral("primato.txt"), QStringLiteral("nprimato.txt"), QStringLiteral("primato.lock")};
        int count = 0;
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
            count += record.contains(name) ? 0 : 1;
        return count;
    }

private:
    template <typename Step>
    Tally runPhase(const QString &phase, int rounds, Step step)
    {
        Tally tally{phase};
        QElapsedTimer clock;
        clock.start();
        for (int round = 1; round <= rounds && clock.elapsed() < budgetMs; ++round) {
            step(tally, round);
            tally.rounds = round;
        }
        tally.milliseconds = clock.elapsed();
        return tally;
    }

    void waitForSaveAbove(long long score) const
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 5000) {
            const auto now = readRecord(folder);
            if (now && now->score > score)
                return;
            QThread::usleep(100);
        }
    }

    std::chrono::microseconds randomDelay(std::chrono::microseconds maxDelay)
    {
        return std::chrono::microseconds(std::uniform_int_distribution<long long>(0, maxDelay.count())(random));
    }

    std::pair<long long, long long> twoScoresAbove(long long record)
    {
        std::uniform_int_distribution<long long> margin(1, 100);
        const long long first = record + margin(random);
        long long second = record + margin(random);
        if (second == first)
            ++second;
        return {first, second};
    }

    // Reads the score while both games run: it may only go up.
    void watchScoreWhileRunning(Tally &tally, int round, SaverProcess &one, SaverProcess &other)
    {
        const std::array<SaverProcess *, 2> games{&one, &other};
        std::array<bool, 2> running{true, true};
        long long seen = last.score;
        while (running[0] || running[1]) {
            for (std::size_t i = 0; i < games.size(); ++i)
                running[i] = running[i] && !finished(tally, round, *games[i]);
            const auto now = readRecord(folder);
            if (now && now->score < seen)
                fault(tally, round, QStringLiteral("record seen going down from %1").arg(seen), folder);
            if (now)
                seen = now->score;
            QThread::usleep(500);
        }
    }

    // Whether the game has ended; one that warned or failed is a fault.
    bool finished(Tally &tally, int round, SaverProcess &game)
    {
        int status = 0;
        if (!game.hasEnded(status))
            return false;
        if (status != 0 && status != 3)
            fault(tally, round, QStringLiteral("a game ended with status %1").arg(status), folder);
        return true;
    }

    QTemporaryDir scratch;
    QDir folder;
    std::mt19937 random;
    qint64 budgetMs;
    Record last;
};

void printReport(const QList<Tally> &tallies, std::uint32_t seed, qint64 gameMs, int leftovers)
{
    std::printf("| phase | rounds | rounds that saved | faults | pairs left split until the next game | seconds |\n"
                "|---|---|---|---|---|---|\n");
    for (const Tally &tally : tallies)
        std::printf("| %s | %d | %d | %d | %d | %.1f |\n", qPrintable(tally.phase), tally.rounds, tally.roundsThatSaved,
            tally.faults, tally.splitUntilNextGame, static_cast<double>(tally.milliseconds) / 1000.0);
    std::printf("\nSeed %u; one whole game took %lld ms; files left beside the record at the end: %d.\n", seed,
        static_cast<long long>(gameMs), leftovers);
    std::printf("\nEach round is checked twice: as the killed save left the files, and after the step that the "
                "next game takes when it loads the record (it finishes a save that had made its commit mark and "
                "throws away one that had not). A fault is an empty or partial file at either check, a record lower "
                "than before, a name that is not the score's at the next game, or a game that warned. A pair left "
                "split is the new score beside the old name, from a kill between the replacements of the two files; "
                "the next game puts it together, and no game shows it.\n");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption kills(QStringLiteral("kills"), QStringLiteral("Kills in each kill phase."),
        QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption races(QStringLiteral("races"), QStringLiteral("Rounds of two saving games."),
        QStringLiteral("N"), QStringLiteral("300"));
    const QCommandLineOption budget(QStringLiteral("budget"), QStringLiteral("Most seconds for each phase."),
        QStringLiteral("SECONDS"), QStringLiteral("300"));
    parser.addOptions({kills, races, budget});
    parser.process(application);

    const auto seed = std::random_device{}();
    Soak soak(seed, parser.value(budget).toLongLong() * 1000);
    const qint64 gameMs = soak.measureGameMs();
    const int killCount = parser.value(kills).toInt();
    const QList<Tally> tallies{soak.killLoops(killCount, std::chrono::milliseconds(5)),
        soak.killGames(killCount, std::chrono::milliseconds(gameMs * 5 / 4)), soak.races(parser.value(races).toInt())};
    printReport(tallies, seed, gameMs, soak.leftoverFiles());
    const bool clean = std::all_of(tallies.begin(), tallies.end(), [](const Tally &t) { return t.faults == 0; });
    return clean ? 0 : 1;
}
