#pragma once

#include <QWidget>

class QComboBox;

namespace tess {

// One page of the main window's page control: its objectName is the page's
// name (PlanningTabSheet, ...) and its caption the text of its tab.
class TabPage : public QWidget {
    Q_OBJECT
public:
    TabPage(const char *name, const QString &caption, QWidget *parent = nullptr);

    QString caption() const { return caption_; }

    // The page came to the front. `live`: a unit is connected and no
    // handler runs, so the page may fill itself from the units' settings
    // and take input that needs a unit.
    virtual void pageEntered(bool live) { Q_UNUSED(live); }

private:
    QString caption_;
};

// Gives a new control its name and returns it.
template <typename T>
T *named(T *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

// Selects item `index` of a list the way the program sets a list: the list's
// change handler does not run. An index outside the list leaves no item
// selected.
void selectQuietly(QComboBox *list, int index);

}  // namespace tess
