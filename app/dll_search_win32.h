// Keeps DLLs loaded on demand out of the program's own and the current folder.
#pragma once

namespace quellbrin {

// Call first thing in wWinMain, before anything can load a DLL.
void RestrictDllSearchPath();

}  // namespace quellbrin
