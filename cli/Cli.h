#pragma once

#include "cli/Console.h"

#include <QStringList>

namespace tess::cli {

// Runs tessaline-cli with `arguments` (the program's name first) and
// returns its exit code (Exit). The event loop's application object must
// exist.
int run(const QStringList &arguments, Environment &env);

// The program's version, as --version and the journal give it.
QString version();

}  // namespace tess::cli
