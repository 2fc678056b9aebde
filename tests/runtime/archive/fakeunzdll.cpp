// An unzip plug-in that lacks its version entry. Its extraction entry leaves
// a mark, so a test can see that it was never called.

#include "unzdll.h"

#include <cstdio>
#include <cstdlib>

extern "C" __attribute__((visibility("default"))) std::int32_t UnzDllExec(const UnzDll::ExecRecord *)
{
    if (const char *mark = std::getenv("FAKE_UNZDLL_MARK")) {
        if (FILE *file = std::fopen(mark, "w"))
            std::fclose(file);
    }
    return 1;
}
