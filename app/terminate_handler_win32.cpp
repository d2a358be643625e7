// The library's verbose terminate handler prints a demangled type name, which
// pulls the whole demangler into a program that has no console to print to.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
