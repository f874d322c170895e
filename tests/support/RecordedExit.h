#pragma once

#include "platform/ProgramExit.h"

#include <QList>

namespace tess::test {

// Records the exit codes the program asked for instead of ending.
class RecordedExit final : public ProgramExit {
public:
    void exitNow(int code) override { codes.append(code); }
    QList<int> codes;
};

}  // namespace tess::test
