#pragma once
// Error numbers of the connection layer and their texts. The numbers are the Windows Sockets ones
// (10061 refused, 10048 address in use, ...): the program's messages are keyed on them and users
// quote them, so errors from other socket layers are mapped onto them first.

#include <string_view>

namespace mx::nettest {

enum class SocketOperation { Connect, Listen, Create, Receive };

// The text for `code` in the table of `operation`; "Unknown error" for a code the table lacks.
std::string_view SocketErrorText(SocketOperation operation, int code);

// The Windows Sockets number for a POSIX errno value; 0 when there is none.
int WinsockCodeForErrno(int posixErrno);

}  // namespace mx::nettest
