#pragma once

// How the program's receive handler judges an answer, written out
// independently so the tests can check that the simulator's answers are
// read the way the program reads them: a prompt ends a reply only at or
// past the minimum length and only after CR LF (direct) or "LR"
// (controller); in controller mode the error patterns end it first.

#include <QByteArray>

namespace tess::test {

enum class Verdict { Incomplete, Complete, ControllerError, DebugMode, NoResponse, ErrorCode };

struct Judged {
    Verdict verdict = Verdict::Incomplete;
    int at = -1;  // position of the prompt or of the start of the pattern
};

inline Judged judge(const QByteArray &c, int minLength, bool controller)
{
    const char prompt = controller ? '>' : '#';
    for (int p = 0; p < c.size(); ++p) {
        if (c.at(p) == prompt && p >= minLength) {
            const bool ends = controller ? (p >= 2 && c.at(p - 2) == 'L' && c.at(p - 1) == 'R')
                                         : (p >= 2 && c.at(p - 2) == '\r' && c.at(p - 1) == '\n');
            if (ends)
                return {Verdict::Complete, p};
            continue;
        }
        if (!controller)
            continue;
        const QByteArray rest = c.mid(p);
        if (rest.startsWith("?\r\nCTR"))
            return {Verdict::ControllerError, p};
        if (rest.startsWith("?\r\nDEB"))
            return {Verdict::DebugMode, p};
        if (rest.startsWith("!ERR") && rest.size() > 5)
            return {rest.at(5) == '4' ? Verdict::NoResponse : Verdict::ErrorCode, p};
    }
    return {};
}

}  // namespace tess::test
