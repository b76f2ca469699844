// The program's handler of an exception nobody catches. The library's default handler prints the
// exception's type name to standard error before it aborts, and brings a demangler of some 50 KB
// along for that; a GUI program has no standard error, and the uninstaller must fit its payload of
// 225280 bytes. This one aborts at once, which is what the user sees either way.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
