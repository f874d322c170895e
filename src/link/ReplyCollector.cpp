#include "link/ReplyCollector.h"

#include "link/QueryReply.h"
#include "model/RecordTypes.h"

#include <QtGlobal>

#include <cstring>
#include <utility>

namespace tess {
namespace {

// The controller's texts that end a reply, in the order they are checked.
enum class Pattern { None, NeedMore, UnknownCommand, DebugMode, UnitNotResponding, ErrorCode };

// Compares `text` at `at`, but only with characters that have arrived.
// NeedMore when what has arrived agrees so far but the rest is missing.
Pattern compareAt(const char *buffer, int at, int fill, const char *text, Pattern onMatch)
{
    const int length = int(std::strlen(text));
    for (int i = 0; i < length; ++i) {
        if (at + i >= fill)
            return Pattern::NeedMore;
        if (buffer[at + i] != text[i])
            return Pattern::None;
    }
    return onMatch;
}

Pattern controllerPattern(const char *c, int p, int fill)
{
    bool needMore = false;
    for (const auto &[text, kind] :
         {std::pair{"?\r\nCTR", Pattern::UnknownCommand}, std::pair{"?\r\nDEB", Pattern::DebugMode}}) {
        const Pattern found = compareAt(c, p, fill, text, kind);
        if (found == Pattern::NeedMore)
            needMore = true;
        else if (found != Pattern::None)
            return needMore ? Pattern::NeedMore : found;
    }
    const Pattern err = compareAt(c, p, fill, "!ERR", Pattern::ErrorCode);
    if (err == Pattern::NeedMore)
        return Pattern::NeedMore;
    if (err == Pattern::ErrorCode) {
        // The code stands five characters after the exclamation mark.
        if (p + 5 >= fill)
            return Pattern::NeedMore;
        return c[p + 5] == '4' ? Pattern::UnitNotResponding : Pattern::ErrorCode;
    }
    return needMore ? Pattern::NeedMore : Pattern::None;
}

}  // namespace

void ReplyCollector::start(const char *command, bool query)
{
    // Every exchange collects its reply from the start of a cleared buffer,
    // so a reply lost earlier can neither push this one out of place nor
    // leave bytes behind it that a parser would take for a record.
    wipe();
    position_ = 0;
    fill_ = 0;
    length_ = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
    command_ = command;
    query_ = query;
    recordTypes_ = query ? queryreply::recordTypes(command) : std::string_view();
    overflow_ = false;
    rejected_ = false;
}

void ReplyCollector::wipe()
{
    std::memset(buffer_, 0, sizeof buffer_);
}

QByteArray ReplyCollector::text() const
{
    return QByteArray(buffer_, int(strnlen(buffer_, sizeof buffer_)));
}

ReplyCollector::Outcome ReplyCollector::add(const QByteArray &arrived, bool controller, char prompt)
{
    if (overflow_)
        return Outcome::Pending;  // the rest of an over-long reply is dropped
    // One place is kept for the terminating zero byte.
    const int room = BufferSize - 1 - fill_;
    const int stored = int(qMin<qsizetype>(arrived.size(), room));
    std::memcpy(buffer_ + fill_, arrived.constData(), size_t(stored));
    fill_ += stored;
    const Outcome outcome = examine(controller, prompt);
    if (outcome == Outcome::Pending && (stored < arrived.size() || fill_ >= BufferSize - 1)) {
        // More than the buffer holds is no answer of a unit's (line noise,
        // a runaway device): the reply is garbled, not late.
        overflow_ = true;
        return refuse(Outcome::Overflow);
    }
    return outcome;
}

ReplyCollector::Outcome ReplyCollector::examine(bool controller, char prompt)
{
    char *c = buffer_;
    while (position_ < fill_) {
        const int p = position_;
        if (p < recordEnd_) {
            ++position_;  // payload of a binary record: never a prompt or error text
            continue;
        }
        if (!recordTypes_.empty() && recordStart_ < 0 && c[p] == StatusRecordStart
            && p < StatusRecordHeaderPositions) {
            if (p + 1 >= fill_)
                return Outcome::Pending;  // wait for the type byte
            // Only a header of the query asked starts a record; its stated
            // length is skipped, so no payload byte passes for a prompt.
            const char type = c[p + 1];
            if (recordTypes_.find(type) != std::string_view::npos) {
                recordStart_ = p;
                recordEnd_ = p + 2 + statusRecordPayloadLength(static_cast<unsigned char>(type));
                position_ = p + 2;
                continue;
            }
        }
        if (c[p] == prompt && p >= minLength_) {
            const bool ends =
                p >= 2 && (controller ? (c[p - 2] == 'L' && c[p - 1] == 'R') : (c[p - 2] == 13 && c[p - 1] == 10));
            if (ends) {
                switch (judge(p)) {
                case Verdict::Foreign:
                    dropThrough(p);
                    continue;
                case Verdict::Inconsistent:
                    return refuse(Outcome::Rejected);
                case Verdict::Good:
                    break;
                }
                // The zero byte lands on the last character of this arrival.
                c[fill_ - 1] = 0;
                length_ = p + 1;
                return finish(Outcome::Complete);
            }
            ++position_;
            continue;
        }
        if (controller) {
            switch (controllerPattern(c, p, fill_)) {
            case Pattern::NeedMore:
                return Outcome::Pending;
            case Pattern::UnknownCommand:
                return finish(Outcome::UnknownCommand);
            case Pattern::DebugMode:
                return finish(Outcome::DebugMode);
            case Pattern::UnitNotResponding:
                return finish(Outcome::UnitNotResponding);
            case Pattern::ErrorCode:
                return finish(Outcome::ErrorCode);
            case Pattern::None:
                break;
            }
        }
        ++position_;
    }
    return Outcome::Pending;
}

ReplyCollector::Verdict ReplyCollector::judge(int prompt) const
{
    if (!query_)
        return Verdict::Good;  // a relayed send: the prompt is all it needs
    const char *c = buffer_;
    const int echoEnd = recordStart_ >= 0 ? recordStart_ : prompt;
    if (queryreply::echoesAnotherLine(std::string_view(c, size_t(echoEnd)), queryreply::echoOf(command_)))
        return Verdict::Foreign;
    if (recordStart_ < 0)
        return Verdict::Good;  // no record: the query finds none and says so
    // The record's stated length must end exactly where the line end and
    // the prompt begin; anything else is a record cut short or padded.
    const int end = recordEnd_;
    if (end + 2 > prompt || c[end] != '\r' || c[end + 1] != '\n')
        return Verdict::Inconsistent;
    for (int i = end + 2; i < prompt; ++i) {
        if (c[i] == '\r' || c[i] == '\n')
            return Verdict::Inconsistent;
    }
    return Verdict::Good;
}

void ReplyCollector::dropThrough(int prompt)
{
    // Another line's late answer: forget it, and go on with what came
    // after it in this arrival.
    const int rest = fill_ - (prompt + 1);
    std::memmove(buffer_, buffer_ + prompt + 1, size_t(rest));
    // Nothing of the forgotten answer stays behind what is kept.
    std::memset(buffer_ + rest, 0, size_t(fill_ - rest));
    fill_ = rest;
    position_ = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
}

ReplyCollector::Outcome ReplyCollector::refuse(Outcome why)
{
    // Nothing of a garbled reply may be read as a record.
    wipe();
    rejected_ = true;
    return finish(why);
}

ReplyCollector::Outcome ReplyCollector::finish(Outcome outcome)
{
    position_ = 0;
    fill_ = 0;
    recordStart_ = -1;
    recordEnd_ = 0;
    return outcome;
}

char ReplyCollector::recordType() const
{
    const int end = qMin(length_, StatusRecordHeaderPositions + 1);
    for (int p = 0; p + 1 < end; ++p) {
        const auto type = static_cast<unsigned char>(buffer_[p + 1]);
        if (buffer_[p] == StatusRecordStart && statusRecordPayloadLength(type) != 0)
            return char(type);
    }
    return 0;
}

}  // namespace tess
