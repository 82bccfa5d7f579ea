// Saves a record the way the game does, for the soak driver to kill and race.
//   mcm-soak-saver FOLDER game SCORE NAME  a whole game: load, this score,
//                                          exit with a save; exit status 0
//                                          saved, 3 not beaten, 2 the game
//                                          warned
//   mcm-soak-saver FOLDER loop             saves record + 1 under the game's
//                                          lock, with the name "P<record>",
//                                          until killed
// FOLDER is the record folder, given to the game as tests give it.
#include "forms/files/filelock.h"
#include "forms/files/sequentialfiles.h"
#include "forms/files/windowsdirectory.h"
#include "forms/runtime/conversions.h"
#include "forms/widgets/eventguard.h"
#include "game/tavola.h"
#include "recordfiles.h"
#include "scriptedhost.h"
#include "tavolaaccess.h"

#include <QApplication>

#include <cstdio>

namespace {

enum ExitStatus { saved = 0, usage = 1, warned = 2, notBeaten = 3 };

int playAndExit(const QString &score, const QString &name)
{
    ScriptedHost host;
    host.names = {name};
    host.yesNoAnswer = forms::vbYes;
    Tavola tavola;
    forms::runHandler([&tavola] { tavola.Show(); });
    TavolaTestAccess(tavola).ui().lblScore->setCaption(score);
    forms::runHandler([&tavola] { tavola.cmdExit_Click(); });

    const QStringList prompts = host.prompts();
    if (prompts.contains(campione))
        return saved;
    // Every game shows the name box, the greeting and the exit question; any
    // other box warns.
    if (prompts.size() > 3) {
        std::fprintf(stderr, "%s\n", qPrintable(prompts.mid(3).join(QLatin1Char('\n'))));
        return warned;
    }
    return notBeaten;
}

QString recordDirectory()
{
    char buffer[4096];
    if (forms::GetWindowsDirectoryA(buffer, sizeof buffer) == 0)
        return QString();
    return QString::fromLocal8Bit(buffer) + forms::pathSeparator();
}

// The game's save without its window: the same lock and the same writes.
void saveNextRecord(const QString &directory)
{
    forms::FileLock lock(directory + QStringLiteral("primato.lock"));
    if (!lock.tryLock(5000))
        qFatal("lock not taken");
    const QString scorePath = directory + QStringLiteral("primato.txt");
    const QString namePath = directory + QStringLiteral("nprimato.txt");
    forms::finishInterruptedPrint({scorePath, namePath});
    const auto next = static_cast<long long>(forms::Val(forms::readFile(scorePath, qint64{64} * 1024))) + 1;
    forms::printLinesToFiles({{scorePath, forms::CStr(next)}, {namePath, QStringLiteral("P") + forms::CStr(next)}});
}

[[noreturn]] void saveUntilKilled()
{
    const QString directory = recordDirectory();
    for (;;)
        saveNextRecord(directory);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList arguments = [argc, argv] {
        QStringList all;
        for (int i = 1; i < argc; ++i)
            all << QString::fromLocal8Bit(argv[i]);
        return all;
    }();
    forms::setSharedFoldersForTests(arguments.value(0));
    if (arguments.value(1) == QLatin1String("loop"))
        saveUntilKilled();
    if (arguments.size() != 4 || arguments.at(1) != QLatin1String("game")) {
        std::fprintf(stderr, "usage: mcm-soak-saver FOLDER game SCORE NAME | FOLDER loop\n");
        return usage;
    }
    QApplication application(argc, argv);
    return playAndExit(arguments.at(2), arguments.at(3));
}
