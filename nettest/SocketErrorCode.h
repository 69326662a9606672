#pragma once
// Qt reports socket failures as a category and an English text; the terminal's messages are keyed
// on the Windows Sockets numbers, so the two are mapped here, in one place.

#include <QAbstractSocket>
#include <QString>

namespace mx::nettest {

int WinsockCodeForSocketError(QAbstractSocket::SocketError error, const QString& errorString);

}  // namespace mx::nettest
