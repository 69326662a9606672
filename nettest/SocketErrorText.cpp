#include "nettest/SocketErrorText.h"

#include <cerrno>
#include <span>

#include "nettest/NetTestTexts.h"

namespace mx::nettest {
namespace {

struct Row {
  int code;
  std::string_view text;
};

constexpr std::string_view kNetDown =
    "The Windows Sockets implementation detected that the network subsystem failed";
constexpr std::string_view kNotInitialised =
    "A successful AfxSocketInit must occur before using this API";
constexpr std::string_view kNoDescriptors = "No more file descriptors are available";
constexpr std::string_view kNotSocket = "The descriptor is not a socket";
constexpr std::string_view kOperationInProgress =
    "A blocking Windows Sockets operation is in progress";
constexpr std::string_view kListenInUse = "An attempt has been made to listen on an address in use";

constexpr Row kConnect[] = {
    {10014, "The nSockAddrLen argument is incorrect"},
    {10022, "Invalid host address"},
    {10024, kNoDescriptors},
    {10035,
     "The socket is marked as nonblocking and the connection cannot be completed immediately"},
    {10036, "A blocking Windows Sockets call is in progress"},
    {10038, kNotSocket},
    {10039, "A destination address is required"},
    {10047, "Addresses in the specified family cannot be used with this socket"},
    {10048, "The specified address is already in use"},
    {10049, "The specified address is not available from the local machine"},
    {10050, kNetDown},
    {10051, "The network cannot be reached from this host at this time"},
    {10055, "No buffer space is available. The socket cannot be connected"},
    {10056, "The socket is already connected"},
    {10060, "Attempt to connect timed out without establishing a connection"},
    {10061, "The attempt to connect was rejected"},
    {10093, kNotInitialised},
};

constexpr Row kListen[] = {
    {10022, "The socket has not been bound with Bind or is already connected"},
    {10024, kNoDescriptors},
    {10036, kOperationInProgress},
    {10038, kNotSocket},
    {10045, "The referenced socket is not of a type that supports the Listen operation"},
    {10048, kListenInUse},
    {10050, kNetDown},
    {10055, "No buffer space is available"},
    {10056, "The socket is already connected"},
    {10093, kNotInitialised},
};

constexpr Row kCreate[] = {
    {10024, kNoDescriptors},
    {10036, kOperationInProgress},
    {10041, "The specified port is the wrong type for this socket"},
    {10043, "The specified port is not supported"},
    {10044, "The specified socket type is not supported in this address family"},
    {10047, "The specified address family is not supported"},
    {10048, kListenInUse},
    {10050, kNetDown},
    {10055, "No buffer space is available. The socket cannot be created"},
    {10093, kNotInitialised},
};

constexpr Row kReceive[] = {
    {10022, "The socket has not been bound with Bind"},
    {10035, "The socket is marked as nonblocking and the Receive operation would block"},
    {10036, kOperationInProgress},
    {10038, kNotSocket},
    {10040, "The datagram was too large to fit into the specified buffer and was truncated"},
    {10045, "MSG_OOB was specified, but the socket is not of type SOCK_STREAM"},
    {10050, kNetDown},
    {10053, "The virtual circuit was aborted due to timeout or other failure"},
    {10054, "The virtual circuit was reset by the remote side"},
    {10057, "The socket is not connected"},
    {10058, "The socket has been shut down"},
    {10093, kNotInitialised},
};

std::span<const Row> TableFor(SocketOperation operation) {
  switch (operation) {
    case SocketOperation::Connect:
      return kConnect;
    case SocketOperation::Listen:
      return kListen;
    case SocketOperation::Create:
      return kCreate;
    case SocketOperation::Receive:
      return kReceive;
  }
  return {};
}

}  // namespace

std::string_view SocketErrorText(SocketOperation operation, int code) {
  for (const Row& row : TableFor(operation)) {
    if (row.code == code)
      return row.text;
  }
  return text::kUnknownError;
}

int WinsockCodeForErrno(int posixErrno) {
  // Windows numbers its socket errors 10000 + the BSD number, but the BSD numbers differ from
  // Linux's, so each one is spelled out.
  switch (posixErrno) {
    case EINTR:
      return 10004;
    case EBADF:
      return 10009;
    case EACCES:
      return 10013;
    case EFAULT:
      return 10014;
    case EINVAL:
      return 10022;
    case EMFILE:
    case ENFILE:
      return 10024;
    case EWOULDBLOCK:
      return 10035;
    case EINPROGRESS:
      return 10036;
    case EALREADY:
      return 10037;
    case ENOTSOCK:
      return 10038;
    case EDESTADDRREQ:
      return 10039;
    case EMSGSIZE:
      return 10040;
    case EPROTOTYPE:
      return 10041;
    case ENOPROTOOPT:
      return 10042;
    case EPROTONOSUPPORT:
      return 10043;
    case ESOCKTNOSUPPORT:
      return 10044;
    case EOPNOTSUPP:
      return 10045;
    case EPFNOSUPPORT:
      return 10046;
    case EAFNOSUPPORT:
      return 10047;
    case EADDRINUSE:
      return 10048;
    case EADDRNOTAVAIL:
      return 10049;
    case ENETDOWN:
      return 10050;
    case ENETUNREACH:
      return 10051;
    case ENETRESET:
      return 10052;
    case ECONNABORTED:
      return 10053;
    case ECONNRESET:
      return 10054;
    case ENOBUFS:
    case ENOMEM:
      return 10055;
    case EISCONN:
      return 10056;
    case ENOTCONN:
      return 10057;
    case ESHUTDOWN:
      return 10058;
    case ETIMEDOUT:
      return 10060;
    case ECONNREFUSED:
      return 10061;
    case EHOSTDOWN:
      return 10064;
    case EHOSTUNREACH:
      return 10065;
    default:
      return 0;
  }
}

}  // namespace mx::nettest
