#include "pages/TabPage.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tess {

TabPage::TabPage(const char *name, const QString &caption, QWidget *parent)
    : QWidget(parent), caption_(caption)
{
    setObjectName(QLatin1String(name));
}

void TabPage::setNamedEnabled(std::initializer_list<const char *> names, bool enabled)
{
    for (const char *name : names) {
        if (auto *control = findChild<QWidget *>(QLatin1String(name)))
            control->setEnabled(enabled);
    }
}

void selectQuietly(QComboBox *list, int index)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

}  // namespace tess
