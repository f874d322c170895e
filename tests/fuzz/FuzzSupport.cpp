#include "fuzz/FuzzSupport.h"

#include <QCoreApplication>

namespace tess::fuzz {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "tessaline-fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

}  // namespace tess::fuzz
