#include "pages/TabPage.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace tess {

TabPage::TabPage(const char *name, const QString &caption, QWidget *parent) : QWidget(parent), caption_(caption)
{
    setObjectName(QLatin1String(name));
}

void selectQuietly(QComboBox *list, int index)
{
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

}  // namespace tess

#include "moc_TabPage.cpp"
