#pragma once

#include "forms/widgets/host.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers the game's boxes in place of a player and records End without
// ending the test. Code given to whileOpen runs while a box is "open", as
// timer ticks do under a real modal box.
class ScriptedHost final : public forms::Host
{
public:
    struct Box
    {
        QString prompt;
        int buttons = 0;
        QString title;
        bool input = false;
    };

    ScriptedHost() { forms::setHost(this); }
    ~ScriptedHost() override { forms::setHost(nullptr); }
    ScriptedHost(const ScriptedHost &) = delete;
    ScriptedHost &operator=(const ScriptedHost &) = delete;

    int msgBox(const QString &prompt, int buttons, const QString &title) override
    {
        open({prompt, buttons, title, false});
        return (buttons & 0x7) == forms::vbYesNo ? yesNoAnswer : forms::vbOK;
    }

    QString inputBox(const QString &prompt, const QString &title) override
    {
        open({prompt, 0, title, true});
        return names.isEmpty() ? QString() : names.takeFirst();
    }

    [[noreturn]] void end() override
    {
        ++endCount;
        throw forms::EndRequested();
    }

    QStringList prompts() const
    {
        QStringList all;
        for (const Box &box : boxes)
            all << box.prompt;
        return all;
    }

    QList<Box> boxes;
    QStringList names;
    int yesNoAnswer = forms::vbNo;
    int endCount = 0;
    std::function<void(const Box &)> whileOpen;

private:
    void open(const Box &box)
    {
        boxes << box;
        if (whileOpen)
            whileOpen(box);
    }
};
