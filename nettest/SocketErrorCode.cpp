#include "nettest/SocketErrorCode.h"

#include <cerrno>

#include "nettest/SocketErrorText.h"

namespace mx::nettest {

int WinsockCodeForSocketError(QAbstractSocket::SocketError error, const QString& errorString) {
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
      return WinsockCodeForErrno(ECONNREFUSED);
    case QAbstractSocket::HostNotFoundError:
      // Windows reports an unresolvable name at connect time as an invalid address.
      return WinsockCodeForErrno(EINVAL);
    case QAbstractSocket::SocketTimeoutError:
      return WinsockCodeForErrno(ETIMEDOUT);
    case QAbstractSocket::AddressInUseError:
      return WinsockCodeForErrno(EADDRINUSE);
    case QAbstractSocket::SocketAddressNotAvailableError:
      return WinsockCodeForErrno(EADDRNOTAVAIL);
    case QAbstractSocket::SocketResourceError:
      return WinsockCodeForErrno(EMFILE);
    case QAbstractSocket::SocketAccessError:
      return WinsockCodeForErrno(EACCES);
    case QAbstractSocket::UnsupportedSocketOperationError:
      return WinsockCodeForErrno(EAFNOSUPPORT);
    case QAbstractSocket::RemoteHostClosedError:
      return WinsockCodeForErrno(ECONNRESET);
    case QAbstractSocket::NetworkError:
      // Qt folds several errno values into NetworkError and keeps the difference only in its
      // (untranslated, in this program) text.
      if (errorString.contains(QLatin1String("timed out"), Qt::CaseInsensitive)) {
        return WinsockCodeForErrno(ETIMEDOUT);
      }
      if (errorString.contains(QLatin1String("Host unreachable"), Qt::CaseInsensitive)) {
        return WinsockCodeForErrno(EHOSTUNREACH);
      }
      if (errorString.contains(QLatin1String("in use"), Qt::CaseInsensitive)) {
        return WinsockCodeForErrno(EADDRINUSE);
      }
      if (errorString.contains(QLatin1String("not available"), Qt::CaseInsensitive)) {
        return WinsockCodeForErrno(EADDRNOTAVAIL);
      }
      return WinsockCodeForErrno(ENETUNREACH);
    default:
      return 0;
  }
}

}  // namespace mx::nettest
