#pragma once
// The launcher: the helper program as the program starts it (SmbWire.h). It takes the settings,
// then makes a helper process on each request by forking itself. The library is loaded and
// relocated once, in the launcher, which never calls it: each helper starts as if freshly
// started, at the cost of a fork (a millisecond, where loading the library and the hundred
// libraries it needs costs tens). The launcher has one thread, so forking it is safe.

namespace vk {

// Serves the program on its control socket. Returns the launcher's exit status: 0 when the
// program closed its end (after every helper has ended), 1 on a message it does not understand.
[[nodiscard]] int ServeHelperForks(int control);

} // namespace vk
