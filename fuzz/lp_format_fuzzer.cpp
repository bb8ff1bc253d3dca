// Arbitrary text through the LP reader: it never throws or hangs, and a problem it accepts has no
// fault, is written, and reads back as the same problem.
#include "core/lp_format.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LpReadResult read = ReadLpProblem(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.problem) {
        if (read.message.empty())
            std::abort();
        return 0;
    }
    if (FindLpProblemFault(*read.problem))
        std::abort();
    LpReadResult again = ReadLpProblem(WriteLpProblem(*read.problem));
    if (!again.problem || !(*again.problem == *read.problem))
        std::abort();
    return 0;
}
