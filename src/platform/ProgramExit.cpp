#include "platform/ProgramExit.h"

#include <cstdio>
#include <cstdlib>

namespace tess {
namespace {

class SystemExit final : public ProgramExit {
public:
    void exitNow(int code) override
    {
        std::fflush(nullptr);
        std::exit(code);
    }
};

}  // namespace

ProgramExit &ProgramExit::system()
{
    static SystemExit exit;
    return exit;
}

}  // namespace tess
