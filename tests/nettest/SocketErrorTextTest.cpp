#include "nettest/SocketErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace mx::nettest {
namespace {

TEST(SocketErrorText, EachTableHasItsOwnWordingForTheSameCode) {
  EXPECT_EQ(SocketErrorText(SocketOperation::Connect, 10048),
            "The specified address is already in use");
  EXPECT_EQ(SocketErrorText(SocketOperation::Listen, 10048),
            "An attempt has been made to listen on an address in use");
  EXPECT_EQ(SocketErrorText(SocketOperation::Create, 10048),
            "An attempt has been made to listen on an address in use");
  EXPECT_EQ(SocketErrorText(SocketOperation::Connect, 10022), "Invalid host address");
  EXPECT_EQ(SocketErrorText(SocketOperation::Listen, 10022),
            "The socket has not been bound with Bind or is already connected");
  EXPECT_EQ(SocketErrorText(SocketOperation::Receive, 10022),
            "The socket has not been bound with Bind");
  EXPECT_EQ(SocketErrorText(SocketOperation::Create, 10055),
            "No buffer space is available. The socket cannot be created");
  EXPECT_EQ(SocketErrorText(SocketOperation::Receive, 10054),
            "The virtual circuit was reset by the remote side");
}

TEST(SocketErrorText, CodesOutsideATableAreUnknown) {
  EXPECT_EQ(SocketErrorText(SocketOperation::Connect, 0), "Unknown error");
  EXPECT_EQ(SocketErrorText(SocketOperation::Connect, 10065), "Unknown error");
  EXPECT_EQ(SocketErrorText(SocketOperation::Receive, 10061), "Unknown error");
  EXPECT_EQ(SocketErrorText(SocketOperation::Create, 10022), "Unknown error");
}

TEST(SocketErrorText, LinuxErrnoMapsOntoTheNumbersUsersKnow) {
  EXPECT_EQ(WinsockCodeForErrno(ECONNREFUSED), 10061);
  EXPECT_EQ(WinsockCodeForErrno(EADDRINUSE), 10048);
  EXPECT_EQ(WinsockCodeForErrno(ETIMEDOUT), 10060);
  EXPECT_EQ(WinsockCodeForErrno(ENETUNREACH), 10051);
  EXPECT_EQ(WinsockCodeForErrno(ECONNRESET), 10054);
  EXPECT_EQ(WinsockCodeForErrno(EMFILE), 10024);
  EXPECT_EQ(WinsockCodeForErrno(0), 0);
  EXPECT_EQ(SocketErrorText(SocketOperation::Connect, WinsockCodeForErrno(ECONNREFUSED)),
            "The attempt to connect was rejected");
}

}  // namespace
}  // namespace mx::nettest
