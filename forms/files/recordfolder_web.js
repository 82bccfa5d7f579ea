// The shared folder of the browser build: /primato, kept in the browser's
// IndexedDB, one for every tab of this browser profile. Before the program
// starts, the folder is filled with what the browser kept. The lock that
// every tab takes to read and save the record is the browser's own; taking
// it reads the folder again, and letting it go writes the folder back, every
// file in one transaction, so that a save is kept whole or not at all.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
    FS.mkdir('/primato');
    FS.mount(IDBFS, {}, '/primato');
    addRunDependency('mcm-primato');
    FS.syncfs(true, function (error) {
        // Where the browser keeps nothing (a private window, storage refused),
        // the game plays on without a record, as with no shared folder.
        Module['mcmRecordFolderReady'] = !error;
        if (error)
            console.warn('mcm-mcd: record storage unavailable', error);
        removeRunDependency('mcm-primato');
    });
});

(function () {
    var release = null;

    // What another tab saved replaces this tab's copy; a file this tab made
    // that the browser has not kept yet stays (a plain FS.syncfs(true) would
    // delete it).
    function readFolder() {
        var mount = FS.lookupPath('/primato').node.mount;
        return new Promise(function (done) {
            IDBFS.getLocalSet(mount, function (error, local) {
                if (error)
                    return done(false);
                IDBFS.getRemoteSet(mount, function (error, kept) {
                    if (error)
                        return done(false);
                    var newest = { type: 'remote', db: kept.db,
                                   entries: Object.assign({}, local.entries, kept.entries) };
                    IDBFS.reconcile(newest, local, function (error) { done(!error); });
                });
            });
        });
    }

    // 1 when this tab holds the lock and the folder is fresh, 0 when another
    // tab holds it now.
    Module['mcmTakeRecordLock'] = function () {
        if (!(navigator.locks && navigator.locks.request))
            return readFolder().then(function () { return 1; });
        return new Promise(function (answer) {
            navigator.locks.request('mcm-mcd-primato', { ifAvailable: true }, function (lock) {
                if (!lock) {
                    answer(0);
                    return undefined;
                }
                return new Promise(function (letGo) {
                    release = letGo;
                    readFolder().then(function () { answer(1); });
                });
            }).catch(function () { answer(0); });
        });
    };

    Module['mcmReleaseRecordLock'] = function () {
        var letGo = release;
        release = null;
        FS.syncfs(false, function (error) {
            if (error)
                console.warn('mcm-mcd: record not kept', error);
            if (letGo)
                letGo();
        });
    };
})();
