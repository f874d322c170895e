// Must not compile: the layers below the fields are Qt Core only, so the
// command line program needs no widgets and no display.
#include "device/Commands.h"
#include <QWidget>
