#pragma once

#include "forms/files/windowsdirectory.h"
#include "forms/widgets/eventguard.h"
#include "game/tavola.h"
#include "scriptedhost.h"
#include "tavolaaccess.h"

#include <QTemporaryDir>

#include <functional>

#include <memory>

// A game loaded and shown with its record directory in a fresh folder, and
// its boxes answered by a script; the earlier program's folders are
// `earlierFolders`.
struct GameFixture
{
    explicit GameFixture(const QStringList &names = {QStringLiteral("Anna")}, const QString &recordDir = QString(),
        const std::function<void(GameFixture &, const ScriptedHost::Box &)> &whileLoading = {},
        const QStringList &earlierFolders = {})
    {
        forms::setSharedFoldersForTests(recordDir.isEmpty() ? folder.path() : recordDir, earlierFolders);
        host.names = names;
        if (whileLoading)
            host.whileOpen = [this, &whileLoading](const ScriptedHost::Box &box) { whileLoading(*this, box); };
        forms::runHandler([this] { tavola->Show(); });
        host.whileOpen = {};
    }

    QString recordPath(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    ScriptedHost host;
    std::unique_ptr<Tavola> tavola = std::make_unique<Tavola>();
    TavolaTestAccess game{*tavola};
};
