#include "link/QueryReply.h"

#include <cstring>

namespace tess::queryreply {

std::string_view recordTypes(const char *command)
{
    if (std::strstr(command, "SYINFOQX"))
        return {"\x08", 1};
    if (std::strstr(command, "IINFOQX"))
        return "FN";
    if (std::strstr(command, "OINFOQX"))
        return ">?@B";
    return {};
}

std::string_view echoOf(const char *command)
{
    std::string_view line(command);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.remove_suffix(1);
    return line;
}

bool echoesAnotherLine(std::string_view before, std::string_view mine)
{
    if (!mine.empty() && before.find(mine) != std::string_view::npos)
        return false;
    // The lines the program sends whose echo may stand ahead of a reply.
    for (const char *marker : {"INFOQX", "QXQUERY", "NQX", "PASS "}) {
        if (before.find(marker) != std::string_view::npos)
            return true;
    }
    return false;
}

}  // namespace tess::queryreply
