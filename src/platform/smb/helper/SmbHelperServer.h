#pragma once
// A helper's side of the messages with the program (SmbWire.h): it makes its library context,
// says whether it could, then answers each request in turn until the program closes its end.

#include "platform/smb/SmbClient.h"

namespace vk {

// Serves the program on socket. Returns the helper's exit status: 0 when the program closed its
// end, 1 when the context could not be made, a message was not understood or the program went.
[[nodiscard]] int ServeSmbRequests(int socket, const SmbSettings& settings);

} // namespace vk
