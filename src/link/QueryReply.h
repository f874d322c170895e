#pragma once

#include <string_view>

// How the link tells whether a reply is the answer to the query it asked:
// which record headers the query is answered with, and whether the text
// ahead of the record is the echo of some other line (the late answer to
// an earlier query).
namespace tess::queryreply {

// The record types the query in `command` is answered with (the system
// record's 8, the input layouts "FN", the output layouts ">?@B"); none for
// any other line.
std::string_view recordTypes(const char *command);

// What the controller and the units echo of a line: the line without its
// trailing carriage return, line feed and spaces.
std::string_view echoOf(const char *command);

// Whether `before` (the text ahead of a reply's record, or of its prompt)
// holds the echo of another line than `mine`. Text without a recognisable
// echo (none at all, noise) belongs to no other line.
bool echoesAnotherLine(std::string_view before, std::string_view mine);

}  // namespace tess::queryreply
