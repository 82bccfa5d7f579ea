#include "filemodes.h"
#include "forms/files/filelock.h"
#include "forms/files/windowsdirectory.h"
#include "gamefixture.h"
#include "nonplainfiles.h"
#include "programs.h"
#include "recordfiles.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSysInfo>
#include <QTest>

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The pair the earlier program left in `earlier`: 41 by Nicolò.
void writeEarlierPair(const QDir &earlier)
{
    QVERIFY(QDir().mkpath(earlier.path()));
    write(earlier.filePath("primato.txt"), "41\r\n");
    write(earlier.filePath("nprimato.txt"), "Nicol\xf2\r\n");
}

// What a folder holds besides the two record files and their lock.
QStringList besideRecord(const QTemporaryDir &folder)
{
    QStringList names = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const char *record : {"primato.txt", "nprimato.txt", "primato.lock"})
        names.removeOne(record);
    return names;
}

// Ends the game by the exit button, confirmed, with this score.
void exitWithScore(GameFixture &fixture, const QString &score)
{
    fixture.game.ui().lblScore->setCaption(score);
    fixture.host.yesNoAnswer = forms::vbYes;
    fixture.game.ui().cmdExit->click();
    QCOMPARE(fixture.host.endCount, 1);
}

// A fixture whose record files hold these bytes before the game loads.
struct RecordFixture
{
    RecordFixture(const QByteArray &score, const QByteArray &name, const QStringList &names = {"Anna"})
    {
        write(folder.filePath("primato.txt"), score);
        write(folder.filePath("nprimato.txt"), name);
        fixture = std::make_unique<GameFixture>(names, folder.path());
    }
    QString path(const QString &file) const { return folder.filePath(file); }

    QTemporaryDir folder;
    std::unique_ptr<GameFixture> fixture;
};

} // namespace

class TestRecords : public QObject
{
    Q_OBJECT

private slots:
    void firstStartCreatesEmptyFiles();
    void newFilesInASharedFolderOnly_data();
    void newFilesInASharedFolderOnly();
    void directoryOfRecord();
    void directoryWithAnyCharacters_data();
    void directoryWithAnyCharacters();
    void unusableRecordShowsNone_data();
    void unusableRecordShowsNone();
    void fileRemovedDuringGameIsWrittenAgain();
    void save_data();
    void save();
    void readsLocalOrLatin1Text_data();
    void readsLocalOrLatin1Text();
    void refusesWhatIsNotAPlainFile_data();
    void refusesWhatIsNotAPlainFile();
    void readsAtMost64KiB();
    void failedSaveIsReported();
    void interruptedSaveIsFinishedOrUndone_data();
    void interruptedSaveIsFinishedOrUndone();
    void higherRecordSavedMeanwhileStands();
    void leftLockFileDoesNotBlock_data();
    void leftLockFileDoesNotBlock();
    void lockIsFreedWhenItsHolderIsKilled();
    void sharedFolderChoice_data();
    void sharedFolderChoice();
    void earlierRecordCarriedOverOnce_data();
    void earlierRecordCarriedOverOnce();
    void failedCarryOverIsTriedAgain();
    void carryOverWaitsForTheLock();
    void earlierFoldersOfThisPlatform();
};

void TestRecords::firstStartCreatesEmptyFiles()
{
    GameFixture fixture;
    QCOMPARE(contents(fixture.recordPath("primato.txt")), QByteArray());
    QCOMPARE(contents(fixture.recordPath("nprimato.txt")), QByteArray());
    QCOMPARE(fixture.game.ui().lblpunti->caption(), QString());
    QCOMPARE(fixture.game.ui().lblnome->caption(), QString());
}

void TestRecords::newFilesInASharedFolderOnly_data()
{
    QTest::addColumn<bool>("shared");
    QTest::newRow("a folder that players share") << true;
    QTest::newRow("the player's own folder") << false;
}

// In a folder that players share every file the game makes is writable by
// the group, so that every player can save; in the player's own folder the
// player's umask has its say.
void TestRecords::newFilesInASharedFolderOnly()
{
    QFETCH(bool, shared);
    if (!hasFileModes())
        QSKIP("this platform has no file modes");
    QTemporaryDir folder;
    if (shared)
        QVERIFY(makeFolderShared(folder.path()));
    const int before = setUmask(077);
    {
        GameFixture fixture({"Anna"}, folder.path());
        exitWithScore(fixture, "7");
    }
    setUmask(before);
    const QFileDevice::Permissions groupAndOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    const QFileDevice::Permissions expected = shared
        ? QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
        : QFileDevice::Permissions();
    for (const char *name : {"primato.txt", "nprimato.txt", "primato.lock"})
        QCOMPARE(QFile::permissions(folder.filePath(name)) & groupAndOthers, expected);
}

void TestRecords::directoryOfRecord()
{
    GameFixture fixture;
    QCOMPARE(fixture.tavola->GetSystemDir(), QDir::toNativeSeparators(fixture.folder.path()) + forms::pathSeparator());

    // A path that cannot fit the 128-character buffer: told, and no record.
    const QString deep = fixture.folder.path() + QLatin1Char('/') + QString(130, QLatin1Char('d'));
    QVERIFY(QDir().mkpath(deep));
    GameFixture longPath({"Anna"}, deep);
    QVERIFY(longPath.host.prompts().join('\n').contains("troppo lungo"));
    QVERIFY(longPath.game.RecordDir().isEmpty());
    QVERIFY(!QFile::exists(deep + "/primato.txt"));
}

void TestRecords::directoryWithAnyCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("accented") << "classe 3ª di Nicolò";
    QTest::newRow("beyond Latin-1") << "Zoë € Łukasz";
}

// The buffer's length counts bytes; a path of several-byte characters is
// still the whole path, with nothing after it.
void TestRecords::directoryWithAnyCharacters()
{
    QFETCH(QString, name);
    QTemporaryDir parent;
    const QString folder = parent.filePath(name);
    QVERIFY(QDir().mkpath(folder));
    write(folder + "/primato.txt", "5\r\n");
    GameFixture fixture({"Anna"}, folder);
    QCOMPARE(fixture.host.prompts(), (QStringList{"Come ti chiami", " Anna vediamo se sei un vero campione  "}));
    // Where the 8-bit code page cannot write the name (on Windows), the game
    // is given the folder's short name.
    const QString shown = fixture.tavola->GetSystemDir();
    if (QString::fromLocal8Bit(folder.toLocal8Bit()) == folder)
        QCOMPARE(shown, QDir::toNativeSeparators(folder) + forms::pathSeparator());
    else
        QCOMPARE(contents(shown + "primato.txt"), QByteArray("5\r\n"));
    QCOMPARE(fixture.game.ui().lblpunti->caption(), QStringLiteral("5\r\n"));
    exitWithScore(fixture, "7");
    QCOMPARE(contents(folder + "/primato.txt"), QByteArray("7\r\n"));
}

void TestRecords::unusableRecordShowsNone_data()
{
    QTest::addColumn<QString>("cause");
    QTest::newRow("no folder") << "no folder";
    QTest::newRow("score file is a folder") << "folder";
    QTest::newRow("name file is a FIFO") << "fifo";
}

// Whatever keeps the record from this game, the window shows no record and
// no holder, as on a machine's first game, and nothing is written.
void TestRecords::unusableRecordShowsNone()
{
    QFETCH(QString, cause);
    QTemporaryDir parent;
    QString folder = parent.path();
    if (cause == "no folder")
        folder = parent.filePath("missing");
    else if (cause == "folder")
        QVERIFY(QDir().mkdir(parent.filePath("primato.txt")));
    else if (!makeFifo(parent.filePath("nprimato.txt")))
        QSKIP("this platform makes no FIFO");

    GameFixture fixture({"Anna"}, folder);
    QCOMPARE(fixture.host.prompts().size(), 3); // name, greeting, the warning
    QCOMPARE(fixture.game.ui().lblpunti->caption(), QString());
    QCOMPARE(fixture.game.ui().lblnome->caption(), QString());
    QVERIFY(fixture.game.RecordDir().isEmpty());
}

// Open For Output makes a missing file: a record file removed while the game
// ran is written again by the save, and the missing score counts as none.
void TestRecords::fileRemovedDuringGameIsWrittenAgain()
{
    RecordFixture records("5\r\n", "Bea\r\n");
    QVERIFY(QFile::remove(records.path("primato.txt")));
    exitWithScore(*records.fixture, "7");
    QCOMPARE(records.fixture->host.prompts().count(campione), 1);
    QCOMPARE(contents(records.path("primato.txt")), QByteArray("7\r\n"));
    QCOMPARE(contents(records.path("nprimato.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(besideRecord(records.folder), QStringList());
}

void TestRecords::save_data()
{
    QTest::addColumn<QByteArray>("scoreBefore");
    QTest::addColumn<QString>("player");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QByteArray>("scoreAfter");
    QTest::addColumn<QByteArray>("nameAfter");

    QTest::newRow("7 beats 5") << QByteArray("5\r\n") << "Anna"
                               << "7" << QByteArray("7\r\n") << QByteArray("Anna\r\n");
    QTest::newRow("empty name") << QByteArray("5\r\n") << ""
                                << "7" << QByteArray("7\r\n") << QByteArray("\r\n");
    QTest::newRow("tie stands") << QByteArray("7\r\n") << "Anna"
                                << "7" << QByteArray("7\r\n") << QByteArray("Bea\r\n");
    QTest::newRow("0 against empty") << QByteArray() << "Anna"
                                     << "0" << QByteArray() << QByteArray("Bea\r\n");
    QTest::newRow("garbage counts 0") << QByteArray("abc\r\n") << "Anna"
                                      << "1" << QByteArray("1\r\n") << QByteArray("Anna\r\n");
    QTest::newRow("several lines, first counts") << QByteArray("5\r\n9\r\n") << "Anna"
                                                 << "6" << QByteArray("6\r\n") << QByteArray("Anna\r\n");
    QTest::newRow("text after number") << QByteArray("12 punti\r\n") << "Anna"
                                       << "11" << QByteArray("12 punti\r\n") << QByteArray("Bea\r\n");
}

void TestRecords::save()
{
    QFETCH(QByteArray, scoreBefore);
    QFETCH(QString, player);
    QFETCH(QString, score);
    RecordFixture records(scoreBefore, "Bea\r\n", {player});
    QCOMPARE(records.fixture->game.ui().lblpunti->caption(), QString::fromLatin1(scoreBefore));
    exitWithScore(*records.fixture, score);

    QFETCH(QByteArray, scoreAfter);
    QTEST(contents(records.path("primato.txt")), "scoreAfter");
    QTEST(contents(records.path("nprimato.txt")), "nameAfter");
    QCOMPARE(records.fixture->host.prompts().count(campione), scoreAfter == scoreBefore ? 0 : 1);
    QCOMPARE(besideRecord(records.folder), QStringList());

    // The next start shows the record and its holder, files untouched.
    GameFixture again({"Carlo"}, records.folder.path());
    QCOMPARE(again.game.ui().lblpunti->caption(), QString::fromLatin1(scoreAfter));
    QTEST(contents(records.path("primato.txt")), "scoreAfter");
}

void TestRecords::readsLocalOrLatin1Text_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("the platform's 8-bit code page") << QStringLiteral("Nicolò\r\n").toLocal8Bit();
    QTest::newRow("Latin-1") << QByteArray("Nicol\xf2\r\n");
}

void TestRecords::readsLocalOrLatin1Text()
{
    QFETCH(QByteArray, name);
    RecordFixture records("3\r\n", name);
    QCOMPARE(records.fixture->game.ui().lblnome->caption(), QStringLiteral("Nicolò\r\n"));
}

void TestRecords::refusesWhatIsNotAPlainFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("kind");
    for (const char *file : {"primato.txt", "primato.lock"}) {
        QTest::addRow("%s, symbolic link", file) << file << "link";
        QTest::addRow("%s, FIFO", file) << file << "fifo";
        QTest::addRow("%s, directory", file) << file << "directory";
    }
}

// Any player of the machine may put one there. Told in a box, left alone, no
// hang; the game goes on with a record of 0.
void TestRecords::refusesWhatIsNotAPlainFile()
{
    QFETCH(QString, file);
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString target = folder.filePath("elsewhere.txt");
    write(target, "99\r\n");
    const QString path = folder.filePath(file);
    const bool made = kind == "link" ? makeSymbolicLink(target, path)
        : kind == "fifo"             ? makeFifo(path)
                                     : QDir().mkdir(path);
    if (!made)
        QSKIP("this platform or account cannot make one");
    if (kind == "link" && !QFileInfo(path).isSymbolicLink())
        QSKIP("links made here are not told apart from their target (Wine)");

    GameFixture fixture({"Anna"}, folder.path());
    QVERIFY(fixture.host.prompts().join('\n').contains(file));
    QCOMPARE(fixture.game.ui().lblpunti->caption(), QString());
    exitWithScore(fixture, "5");
    QCOMPARE(fixture.host.prompts().count(campione), 0);
    QCOMPARE(contents(target), QByteArray("99\r\n"));
    QCOMPARE(QFileInfo(path).isSymLink(), kind == "link");
}

void TestRecords::readsAtMost64KiB()
{
    RecordFixture records(QByteArray("8") + QByteArray(1 << 20, ' '), "Bea\r\n");
    QCOMPARE(records.fixture->game.ui().lblpunti->caption().size(), 64 * 1024);
}

// The name file cannot be replaced: nothing is replaced, and no success is told.
void TestRecords::failedSaveIsReported()
{
    RecordFixture records("5\r\n", "Bea\r\n");
    QVERIFY(QFile::remove(records.path("nprimato.txt")));
    QVERIFY(QDir().mkdir(records.path("nprimato.txt")));
    exitWithScore(*records.fixture, "7");

    const QString told = records.fixture->host.prompts().join('\n');
    QVERIFY2(
        told.contains("Non sono riuscito a registrare il record") && told.contains("nprimato.txt"), qPrintable(told));
    QCOMPARE(records.fixture->host.prompts().count(campione), 0);
    QCOMPARE(contents(records.path("primato.txt")), QByteArray("5\r\n"));
    QCOMPARE(besideRecord(records.folder), QStringList());
}

// A game killed while saving 9 by Dario over 5 by Bea left the files as a
// row says. The next game to touch them shows one whole pair: the new one if
// the save had made its commit mark, the old one if not.
void TestRecords::interruptedSaveIsFinishedOrUndone_data()
{
    QTest::addColumn<QByteArray>("score");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QStringList>("left"); // files beside, each written whole
    QTest::addColumn<QString>("shown");

    const QStringList both{"primato.txt.new", "nprimato.txt.new"};
    QTest::newRow("while writing aside") << QByteArray("5\r\n") << QByteArray("Bea\r\n")
                                         << QStringList{"primato.txt.new"} << "5 Bea";
    QTest::newRow("before the commit mark") << QByteArray("5\r\n") << QByteArray("Bea\r\n") << both << "5 Bea";
    QTest::newRow("right after the mark")
        << QByteArray("5\r\n") << QByteArray("Bea\r\n") << both + QStringList{"primato.txt.commit"} << "9 Dario";
    QTest::newRow("between the two files") << QByteArray("9\r\n") << QByteArray("Bea\r\n")
                                           << QStringList{"nprimato.txt.new", "primato.txt.commit"} << "9 Dario";
    QTest::newRow("before clearing the mark")
        << QByteArray("9\r\n") << QByteArray("Dario\r\n") << QStringList{"primato.txt.commit"} << "9 Dario";
}

void TestRecords::interruptedSaveIsFinishedOrUndone()
{
    QFETCH(QByteArray, score);
    QFETCH(QByteArray, name);
    QFETCH(QStringList, left);
    QFETCH(QString, shown);
    const QMap<QString, QByteArray> contentOf{
        {"primato.txt.new", "9\r\n"}, {"nprimato.txt.new", "Dario\r\n"}, {"primato.txt.commit", ""}};
    QTemporaryDir folder;
    const auto killedSave = [&] {
        write(folder.filePath("primato.txt"), score);
        write(folder.filePath("nprimato.txt"), name);
        for (const QString &file : left)
            write(folder.filePath(file), contentOf.value(file));
    };

    killedSave();
    GameFixture fixture({"Anna"}, folder.path());
    const auto &ui = fixture.game.ui();
    QCOMPARE(ui.lblpunti->caption().trimmed() + QLatin1Char(' ') + ui.lblnome->caption().trimmed(), shown);
    QCOMPARE(besideRecord(folder), QStringList());

    // Another game was killed the same way while this one played.
    killedSave();
    exitWithScore(fixture, "20");
    QCOMPARE(contents(folder.filePath("primato.txt")), QByteArray("20\r\n"));
    QCOMPARE(contents(folder.filePath("nprimato.txt")), QByteArray("Anna\r\n"));
    QCOMPARE(besideRecord(folder), QStringList());
}

// Another game on this machine saved 9 after this one loaded the record 5.
void TestRecords::higherRecordSavedMeanwhileStands()
{
    RecordFixture records("5\r\n", "Bea\r\n");
    write(records.path("primato.txt"), "9\r\n");
    write(records.path("nprimato.txt"), "Dario\r\n");
    exitWithScore(*records.fixture, "7");
    QCOMPARE(contents(records.path("primato.txt")), QByteArray("9\r\n"));
    QCOMPARE(contents(records.path("nprimato.txt")), QByteArray("Dario\r\n"));
    QCOMPARE(records.fixture->host.prompts().count(campione), 0);
}

// A lock file left behind, by a crash or by an older game that wrote its
// process id in it, does not block.
void TestRecords::leftLockFileDoesNotBlock_data()
{
    QTest::addColumn<QByteArray>("lock");
    QTest::newRow("process gone") << "999999\nmcm-mcd\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QTest::newRow("empty") << QByteArray();
}

void TestRecords::leftLockFileDoesNotBlock()
{
    QFETCH(QByteArray, lock);
    RecordFixture records("5\r\n", "Bea\r\n");
    write(records.path("primato.lock"), lock);
    exitWithScore(*records.fixture, "7");
    QCOMPARE(contents(records.path("primato.txt")), QByteArray("7\r\n"));
    QCOMPARE(records.fixture->host.prompts().count(campione), 1);
}

// The lock is the system's, held while its holder lives and no longer.
void TestRecords::lockIsFreedWhenItsHolderIsKilled()
{
    if (!canStartPrograms())
        QSKIP("no other program can be started here");
    QTemporaryDir folder;
    const QString path = folder.filePath("primato.lock");
    HelperProgram holder(QStringLiteral("lockholder"), {path});
    QVERIFY(holder.waitForOutput(5000));

    forms::FileLock lock(path);
    QVERIFY(!lock.tryLock(50));
    QVERIFY(holder.kill());
    QVERIFY(lock.tryLock(1000));
    forms::FileLock other(path);
    QVERIFY(!other.tryLock(0));
    lock.unlock();
    QVERIFY(other.tryLock(0));
}

// The machine-wide folder when this player may write there; else the
// player's own folder, made when missing.
void TestRecords::sharedFolderChoice_data()
{
    QTest::addColumn<bool>("machineWideExists");
    QTest::newRow("machine-wide folder") << true;
    QTest::newRow("no machine-wide folder") << false;
}

void TestRecords::sharedFolderChoice()
{
    QFETCH(bool, machineWideExists);
    QTemporaryDir root;
    const QDir machineWide(root.filePath("ProgramData/mcm-mcd"));
    const QDir own(root.filePath("Local/mcm-mcd"));
    if (machineWideExists)
        QVERIFY(QDir().mkpath(machineWide.path()));

    const QDir expected = machineWideExists ? machineWide : own;
    QCOMPARE(forms::chooseSharedDirectory(machineWide.path(), own.path()), QDir::toNativeSeparators(expected.path()));
    QVERIFY(expected.exists());
    QCOMPARE(expected.entryList(QDir::Files | QDir::Hidden), QStringList());
}

// The earlier program's record, from the player's VirtualStore or the Windows
// folder (score and name; one score alone is half a pair), comes over once.
void TestRecords::earlierRecordCarriedOverOnce_data()
{
    QTest::addColumn<QByteArrayList>("inVirtualStore");
    QTest::addColumn<QByteArrayList>("inWindows");
    QTest::addColumn<QByteArray>("before"); // the folder's own record file
    QTest::addColumn<bool>("carriedBefore");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("holder");

    const QByteArrayList none;
    QTest::newRow("nothing earlier") << none << none << QByteArray() << false << ""
                                     << "";
    QTest::newRow("from the Windows folder")
        << none << QByteArrayList{"41", "Nicol\xf2"} << QByteArray() << false << "41"
        << "Nicolò";
    QTest::newRow("from the VirtualStore") << QByteArrayList{"30", "Ugo"} << none << QByteArray() << false << "30"
                                           << "Ugo";
    QTest::newRow("both, the Windows folder's higher")
        << QByteArrayList{"30", "Ugo"} << QByteArrayList{"41", "Nicol\xf2"} << QByteArray() << false << "41"
        << "Nicolò";
    QTest::newRow("both, the VirtualStore's higher")
        << QByteArrayList{"52", "Ugo"} << QByteArrayList{"41", "Nicol\xf2"} << QByteArray() << false << "52"
        << "Ugo";
    QTest::newRow("half a pair") << none << QByteArrayList{"41"} << QByteArray() << false << ""
                                 << "";
    QTest::newRow("the folder's own record higher")
        << none << QByteArrayList{"41", "Nicol\xf2"} << QByteArray("60\r\n") << false << "60"
        << "Bea";
    QTest::newRow("reset after the carry-over")
        << none << QByteArrayList{"41", "Nicol\xf2"} << QByteArray() << true << ""
        << "";
}

void TestRecords::earlierRecordCarriedOverOnce()
{
    QFETCH(QByteArrayList, inVirtualStore);
    QFETCH(QByteArrayList, inWindows);
    QFETCH(QByteArray, before);
    QFETCH(bool, carriedBefore);
    QTemporaryDir root;
    const QDir virtualStore(root.filePath("VirtualStore/Windows"));
    const QDir windows(root.filePath("Windows"));
    const QDir folder(root.filePath("mcm-mcd"));
    for (const auto &[earlier, files] : {std::pair{virtualStore, inVirtualStore}, std::pair{windows, inWindows}}) {
        QVERIFY(QDir().mkpath(earlier.path()));
        const QStringList names{"primato.txt", "nprimato.txt"};
        for (int i = 0; i < files.size(); ++i)
            write(earlier.filePath(names.at(i)), files.at(i) + "\r\n");
    }
    QVERIFY(QDir().mkpath(folder.path()));
    if (!before.isEmpty()) {
        write(folder.filePath("primato.txt"), before);
        write(folder.filePath("nprimato.txt"), "Bea\r\n");
    }
    if (carriedBefore)
        write(folder.filePath("primato.carried"), {});
    const auto filesIn = [](const QDir &dir) { return dir.entryList(QDir::Files | QDir::Hidden, QDir::Name); };
    const QStringList earlierFiles = filesIn(virtualStore) + filesIn(windows);

    GameFixture fixture({"Anna"}, folder.path(), {}, {virtualStore.path(), windows.path()});
    QCOMPARE(fixture.host.prompts().size(), 2); // the name and the greeting: nothing to tell
    QTEST(fixture.game.ui().lblpunti->caption().trimmed(), "shown");
    QTEST(fixture.game.ui().lblnome->caption().trimmed(), "holder");
    QCOMPARE(filesIn(folder), (QStringList{"nprimato.txt", "primato.carried", "primato.lock", "primato.txt"}));
    QCOMPARE(filesIn(virtualStore) + filesIn(windows), earlierFiles);
}

// A carry-over that fails (a scanner holds a file, say) leaves the folder as
// it was and unmarked, without a word; the next start carries the record over.
void TestRecords::failedCarryOverIsTriedAgain()
{
    QTemporaryDir root;
    const QDir windows(root.filePath("Windows"));
    const QDir folder(root.filePath("mcm-mcd"));
    writeEarlierPair(windows);
    QVERIFY(QDir().mkpath(folder.filePath("nprimato.txt.new"))); // the copy cannot be written

    {
        GameFixture failed({"Anna"}, folder.path(), {}, {windows.path()});
        QCOMPARE(failed.host.prompts().size(), 2);
        QCOMPARE(failed.game.ui().lblpunti->caption(), QString());
        QVERIFY(!folder.exists("primato.carried"));
    }
    QVERIFY(QDir(folder.filePath("nprimato.txt.new")).removeRecursively());
    GameFixture next({"Anna"}, folder.path(), {}, {windows.path()});
    QCOMPARE(next.game.ui().lblpunti->caption().trimmed(), QStringLiteral("41"));
    QVERIFY(folder.exists("primato.carried"));
}

// Two first starts at once: the carry-over is a save like any other, made
// only under the record lock. While another game holds it, none is made.
void TestRecords::carryOverWaitsForTheLock()
{
    if (!canStartPrograms())
        QSKIP("no other program can be started here");
    QTemporaryDir root;
    const QDir windows(root.filePath("Windows"));
    const QDir folder(root.filePath("mcm-mcd"));
    writeEarlierPair(windows);
    QVERIFY(QDir().mkpath(folder.path()));
    HelperProgram holder(QStringLiteral("lockholder"), {folder.filePath("primato.lock")});
    QVERIFY(holder.waitForOutput(5000));
    {
        GameFixture whileHeld({"Anna"}, folder.path(), {}, {windows.path()});
        QCOMPARE(whileHeld.game.ui().lblpunti->caption(), QString());
        QVERIFY(!folder.exists("primato.carried"));
    }
    QVERIFY(holder.kill());
    GameFixture afterwards({"Anna"}, folder.path(), {}, {windows.path()});
    QCOMPARE(afterwards.game.ui().lblpunti->caption().trimmed(), QStringLiteral("41"));
}

// The earlier program's files are looked for only on Windows: first in the
// player's VirtualStore, where Windows put a standard user's writes to the
// Windows folder, then in the Windows folder itself.
void TestRecords::earlierFoldersOfThisPlatform()
{
    forms::setSharedFoldersForTests({});
    const QStringList earlier = forms::earlierSharedFolders();
    const QString windows = QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")); // set on Windows alone
    if (windows.isEmpty()) {
        QCOMPARE(earlier, QStringList());
        return;
    }
    const QString virtualStore
        = QDir::fromNativeSeparators(qEnvironmentVariable("LOCALAPPDATA")) + "/VirtualStore/" + windows.mid(3);
    QCOMPARE(earlier.size(), 2);
    QCOMPARE(QDir::fromNativeSeparators(earlier.at(0)).toLower(), virtualStore.toLower());
    QCOMPARE(QDir::fromNativeSeparators(earlier.at(1)).toLower(), windows.toLower());
}

QTEST_MAIN(TestRecords)
#include "tst_records.moc"
