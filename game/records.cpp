// The record: the best score and its holder, kept in two files of the
// machine's shared directory and shown in lblpunti and lblnome.
#include "game/tavola.h"

#include "forms/files/filelock.h"
#include "forms/files/sequentialfiles.h"
#include "forms/files/windowsdirectory.h"
#include "forms/runtime/conversions.h"
#include "forms/runtime/runtimeerror.h"
#include "forms/widgets/host.h"
#include "ui_tavola.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

using namespace forms;

namespace {

const QString scoreFileName = QStringLiteral("primato.txt");
const QString nameFileName = QStringLiteral("nprimato.txt");
// Every game of the machine reads the record for a decision, and writes it,
// only under the lock of this file.
const QString lockFileName = QStringLiteral("primato.lock");
// Made once the earlier program's record has been carried over, so that a
// record reset by deleting the two files stays reset.
const QString carriedMarkName = QStringLiteral("primato.carried");
constexpr unsigned directoryBufferSize = 128;
// A record file is a line; more than this is not worth the wait at start.
constexpr qint64 largestRecordFile = qint64{64} * 1024;
// A game holds the lock for milliseconds.
constexpr int lockWaitMs = 5000;

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

void warn(const QString &message)
{
    MsgBox(message, vbExclamation);
}

struct EarlierRecord
{
    QString folder;
    double score = 0;
};

// The earlier program's best whole pair in `folders`, if any beats `score`.
std::optional<EarlierRecord> bestEarlierRecord(const QStringList &folders, double score)
{
    std::optional<EarlierRecord> best;
    for (const QString &folder : folders) {
        const QDir earlier(folder);
        if (!earlier.exists(scoreFileName) || !earlier.exists(nameFileName))
            continue;
        const double earlierScore = Val(readFile(earlier.filePath(scoreFileName), largestRecordFile));
        if (earlierScore > (best ? best->score : score))
            best = EarlierRecord{folder, earlierScore};
    }
    return best;
}

// Once per folder, under the record lock: the earlier program's record comes
// over when it beats the folder's. Should that fail, nothing is marked and
// the next start tries again; the player is not troubled with it, and the
// old files stay where they are.
void carryOverEarlierRecord(const QString &recordDir)
{
    if (QFileInfo::exists(recordDir + carriedMarkName))
        return;
    const QStringList folders = earlierSharedFolders();
    if (folders.isEmpty())
        return;
    try {
        const double record = Val(readFile(recordDir + scoreFileName, largestRecordFile));
        if (const std::optional<EarlierRecord> earlier = bestEarlierRecord(folders, record)) {
            const QDir from(earlier->folder);
            copyFilesTogether({{recordDir + scoreFileName, from.filePath(scoreFileName)},
                                  {recordDir + nameFileName, from.filePath(nameFileName)}},
                largestRecordFile);
        }
        createFile(recordDir + carriedMarkName);
    } catch (const RuntimeError &) { }
}

} // namespace

QString Tavola::GetSystemDir()
{
    QByteArray buffer(directoryBufferSize, '\0');
    const unsigned length = GetWindowsDirectoryA(buffer.data(), directoryBufferSize);
    if (length == 0) {
        warn(QStringLiteral("Non trovo una cartella in cui tenere il record: per questa partita il record non "
                            "sarà registrato."));
        return QString();
    }
    if (length >= directoryBufferSize) {
        warn(QStringLiteral("Il percorso della cartella del record è troppo lungo (%1 caratteri, al massimo %2): "
                            "per questa partita il record non sarà registrato.")
                 .arg(length - 1)
                 .arg(directoryBufferSize - 1));
        return QString();
    }
    // The length counts bytes of the 8-bit text, not the characters they make.
    QString directory = trimBlanks(QString::fromLocal8Bit(buffer.left(static_cast<qsizetype>(length))));
    if (!directory.endsWith(pathSeparator()))
        directory += pathSeparator();
    return directory;
}

QString Tavola::Leggifiletxt(const QString &nomefile)
{
    return readFile(nomefile, largestRecordFile);
}

// Without a usable record file the game goes on with a record of 0 for this
// run and writes nothing, so that a record it cannot see is never replaced.
void Tavola::createRecordFiles()
{
    if (RecordDir.isEmpty())
        return;
    try {
        createFile(RecordDir + scoreFileName);
        createFile(RecordDir + nameFileName);
    } catch (const RuntimeError &error) {
        warn(error.description() + QStringLiteral("\nPer questa partita il record non sarà registrato."));
        RecordDir.clear();
    }
}

QStringList Tavola::recordFiles() const
{
    return {RecordDir + scoreFileName, RecordDir + nameFileName};
}

void Tavola::showRecord()
{
    if (RecordDir.isEmpty()) {
        showNoRecord();
        return;
    }
    try {
        // A game killed while saving may have left the pair half replaced.
        FileLock lock(RecordDir + lockFileName);
        if (lock.tryLock(lockWaitMs)) {
            finishInterruptedPrint(recordFiles());
            carryOverEarlierRecord(RecordDir);
        }
        ui->lblpunti->setCaption(Leggifiletxt(RecordDir + scoreFileName));
        ui->lblnome->setCaption(Leggifiletxt(RecordDir + nameFileName));
    } catch (const RuntimeError &error) {
        warn(error.description() + QStringLiteral("\nPer questa partita il record vale 0 e non sarà registrato."));
        showNoRecord();
        RecordDir.clear();
    }
}

// A record that cannot be had is shown as none, as on a machine's first game.
void Tavola::showNoRecord()
{
    ui->lblpunti->setCaption(QString());
    ui->lblnome->setCaption(QString());
}

void Tavola::SaveRecordIfBeaten()
{
    const double record = Val(ui->lblpunti->caption());
    const double score = CDbl(ui->lblScore->caption());
    if (record >= score || RecordDir.isEmpty())
        return;

    // Another game may have set a higher record since this one was loaded:
    // decide again on what is on disk.
    FileLock lock(RecordDir + lockFileName);
    try {
        if (!lock.tryLock(lockWaitMs)) {
            warn(QStringLiteral("Non riesco a registrare il record: la cartella \"%1\" è occupata da un altro "
                                "gioco.")
                     .arg(QDir::toNativeSeparators(RecordDir)));
            return;
        }
        finishInterruptedPrint(recordFiles());
        // A file removed during the game is made again, empty: no record.
        createFile(RecordDir + scoreFileName);
        if (Val(Leggifiletxt(RecordDir + scoreFileName)) >= score)
            return;
        printLinesToFiles({{RecordDir + scoreFileName, ui->lblScore->caption()},
            {RecordDir + nameFileName, ui->lblnome1->caption()}});
    } catch (const RuntimeError &error) {
        warn(QStringLiteral("Non sono riuscito a registrare il record.\n") + error.description());
        return;
    }
    lock.unlock();
    MsgBox(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""));
}
