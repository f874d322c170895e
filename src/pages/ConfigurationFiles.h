#pragma once

namespace tess {

struct PageContext;

// "Open Configuration File": the file chosen replaces the settings of both
// units and every page shows them; nothing is sent until the user sends.
// A file refused or unreadable leaves model and window as they were and
// says why.
void OpenConfigurationFile(PageContext &context);

// "Save Configuration to File": the settings of both units, as the program
// holds them, to the file chosen (".qxc" added when it has no extension).
void SaveConfigurationToFile(PageContext &context);

}  // namespace tess
