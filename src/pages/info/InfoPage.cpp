#include "pages/info/InfoPage.h"

#include <QComboBox>

namespace tess {

InfoPage::InfoPage(QWidget *parent) : TabPage("InfoTabSheet", QStringLiteral("Information"), parent) {}

void InfoPage::setLinkControlsEnabled(bool enabled)
{
    setNamedEnabled({"ResetButton", "SystemSaveButton"}, enabled);
}

void InfoPage::focusTerminal()
{
    if (auto *terminal = findChild<QWidget *>(QStringLiteral("AdTerminal1")))
        terminal->setFocus();
}

void InfoPage::selectStartItems()
{
    for (const char *name : {"BaudComboBox", "ScreenInfoComboBox"}) {
        if (auto *list = findChild<QComboBox *>(QLatin1String(name)))
            selectQuietly(list, 0);
    }
}

}  // namespace tess
