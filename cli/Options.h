#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tess::cli {

// The command line, parsed.
struct Options {
    enum class Answer { Default, Yes, No, Ask };

    QString command;                 // ports, search, read, send, show, diff, status, help
    QStringList arguments;           // what follows the command
    QString output;                  // read -o FILE
    std::optional<int> port;         // --port: 1 or 2
    std::optional<bool> controller;  // --mode: true through the controller
    Answer answer = Answer::Default;
    bool quiet = false;
    bool json = false;
    bool help = false;
    bool version = false;
    QString journal;
};

// Parses `arguments` (the program's name first). A usage error leaves its
// text in `error`.
std::optional<Options> parseOptions(const QStringList &arguments, QString *error);

// The help: the whole of it, or one command's (empty for an unknown one).
QString helpText();
QString commandHelp(const QString &command);

}  // namespace tess::cli
