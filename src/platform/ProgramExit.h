#pragma once

namespace tess {

// Ends the program at once with an exit code (no exit question, no
// preferences file). Tests record the call instead; the caller must then
// return on its own.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void exitNow(int code) = 0;

    static ProgramExit &system();
};

}  // namespace tess
