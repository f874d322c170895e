#include "pages/info/InfoPage.h"

#include "pages/info/ConnectionControls.h"

#include <QComboBox>
#include <QGroupBox>

namespace tess {

InfoPage::InfoPage(QWidget *parent) : TabPage("InfoTabSheet", QStringLiteral("Information"), parent)
{
    connection_ = new ConnectionControls(this);
    connection_->rs232Group()->setGeometry(576, 330, 312, 150);
}

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
