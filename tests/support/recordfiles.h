#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The box that tells a new record was saved.
inline const QString campione = QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"");

// The bytes of a file, or "<missing>".
inline QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
