// What the program does when an exception escapes every handler (it should never happen: the
// message dispatcher and the main block catch them all).
//
// The C++ runtime's default handler names the exception's type on the standard error stream,
// which a windowed program does not have; it also brings the runtime's symbol demangler into the
// executable (about 76 KB of a statically linked program). Defining it here keeps both out: the
// program simply ends, as it would after the default handler's message.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
