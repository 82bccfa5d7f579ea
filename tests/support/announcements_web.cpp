#include "announcements.h"

#include <QByteArray>

#include <emscripten.h>

namespace {

// The page's place for the news, as the game's page has it.
EM_JS(void, listenAsThePage, (), {
    globalThis.mcmHeard = "";
    globalThis.mcmAnnuncia = function(news) { globalThis.mcmHeard = news; };
});

EM_JS(int, heardInPage, (char *buffer, int size), {
    var heard = globalThis.mcmHeard || "";
    stringToUTF8(heard, buffer, size);
    return lengthBytesUTF8(heard);
});

} // namespace

QString lastAnnouncement(QWidget *)
{
    QByteArray heard(4096, '\0');
    const int length = heardInPage(heard.data(), static_cast<int>(heard.size()));
    heard.truncate(qMin(length, static_cast<int>(heard.size()) - 1));
    return QString::fromUtf8(heard);
}

void forgetAnnouncements()
{
    listenAsThePage();
}
