// The main window's menu bar, built from one table.
#include "app/TTessalineForm.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tess {
namespace {

enum MenuFlag : unsigned {
    Submenu = 1,
    Separator = 2,
    Disabled = 4,
    Tickable = 8,  // shows a tick when its handler sets one
    Ticked = 16 | Tickable,
};

using Handler = void (TTessalineForm::*)();

struct MenuEntry {
    int depth;  // 0: a menu of the menu bar
    const char *name;
    // "&" marks the keyboard mnemonic and is not shown; "&&" shows one "&".
    const char *caption;
    unsigned flags;
    Handler handler;
};

using F = TTessalineForm;
const MenuEntry MainMenuEntries[] = {
    {0, "File1", "&File", Submenu, nullptr},
    {1, "OpenConfigurationFile1", "&Open Configuration File", 0, &F::OpenConfigurationFile1Click},
    {1, "SaveConfigurationtoFile1", "&Save Configuration to File", 0, &F::SaveConfigurationtoFile1Click},
    {1, "SendCurrentSettingstoQuorexs1", "Se&nd Current Settings to Quorex(s)", Disabled,
     &F::SendCurrentSettingstoQuorexs1Click},
    {1, "Exit1", "E&xit", 0, &F::Exit1Click},

    {0, "Search1", "&Serial Port", Submenu, nullptr},
    {1, "RS232Config1", "Se&ttings (Adv users only)", Submenu, nullptr},
    {2, "COM1", "&COM Port", Submenu, nullptr},
    {3, "SearchCOM1COM21", "&Search (COM 1 && COM 2)", Ticked, nullptr},
    {2, "Baud1", "&Baud", Submenu, nullptr},
    {3, "Defaultvalues1", "&Default values", Ticked, &F::Defaultvalues1Click},
    {3, nullptr, nullptr, Separator, nullptr},
    {3, "N9600", "&9600", Tickable, &F::N9600Click},
    {3, "N19200", "&19200", Tickable, &F::N19200Click},
    {3, "N38400", "&38400", Tickable, &F::N38400Click},
    {3, "N57600", "&57600", Tickable, &F::N57600Click},
    {2, "Parity1", "&Parity", Submenu, nullptr},
    {3, "ParityNone", "&None", Ticked, &F::ParityNoneClick},
    {3, "ParityOdd", "&Odd", Tickable, &F::ParityOddClick},
    {3, "ParityEven", "&Even", Tickable, &F::ParityEvenClick},
    {3, "ParityMark", "&Mark", Tickable, &F::ParityMarkClick},
    {3, "ParitySpace", "&Space", Tickable, &F::ParitySpaceClick},
    {1, "SearchComPort1", "Search for &Quorex(s) ...", Submenu, nullptr},
    {2, "SearchAll", "&Search....", 0, &F::SearchAllClick},
    {2, nullptr, nullptr, Separator, nullptr},
    {2, "QuorexconnectedthruController1", "Quorex(s) connected to &Controller", 0,
     &F::QuorexconnectedthruController1Click},
    {2, "QuorexconnectedtoSerialPortdirectly1", "Quorex connected to Serial Port &directly", 0,
     &F::QuorexconnectedtoSerialPortdirectly1Click},
    {1, "ReadfromQuorexs1", "&Read from Quorex(s) ...", Disabled, &F::ReadfromQuorexs1Click},
    {1, nullptr, nullptr, Separator, nullptr},
    {1, "DisconnectSerialCo1", "&Disconnect Serial Communication", 0, &F::DisconnectSerialCo1Click},

    {0, "Help1", "&Help", Submenu, nullptr},
    {1, "HelpwithTessalineSerialconnection1", "&Help with Tessaline Serial connection", 0,
     &F::HelpwithTessalineSerialconnection1Click},
    {1, "About1", "&About...", 0, &F::About1Click},
};

}  // namespace

void TTessalineForm::buildMainMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QList<QMenu *> open;  // open[d] holds the entries of depth d + 1
    for (const MenuEntry &entry : MainMenuEntries) {
        open.resize(entry.depth);
        const QString caption = QString::fromLatin1(entry.caption);
        if (entry.flags & Separator) {
            open.constLast()->addSeparator();
            continue;
        }
        if (entry.flags & Submenu) {
            QMenu *menu = entry.depth == 0 ? bar->addMenu(caption) : open.constLast()->addMenu(caption);
            menu->setObjectName(QLatin1String(entry.name));
            menu->menuAction()->setEnabled(!(entry.flags & Disabled));
            menuItems_.insert(QByteArray(entry.name), menu->menuAction());
            open.append(menu);
            continue;
        }
        QAction *action = open.constLast()->addAction(caption);
        action->setObjectName(QLatin1String(entry.name));
        menuItems_.insert(QByteArray(entry.name), action);
        action->setEnabled(!(entry.flags & Disabled));
        action->setCheckable(entry.flags & Tickable);
        action->setChecked((entry.flags & Ticked) == Ticked);
        connect(action, &QAction::triggered, this, [this, action, handler = entry.handler](bool checked) {
            // A tick moves only when the item's handler moves it.
            if (action->isCheckable())
                action->setChecked(!checked);
            if (handler)
                (this->*handler)();
        });
    }
}

}  // namespace tess
