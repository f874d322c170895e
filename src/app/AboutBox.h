#pragma once

#include <QDialog>
#include <QIcon>

namespace tess {

// "About Tessaline": the program's name, version, requirements and where to
// find help. Built each time it is shown.
class AboutBox final : public QDialog {
    Q_OBJECT
public:
    AboutBox(const QString &versionText, QWidget *parent = nullptr);
};

// The program's icon: four overlapping projector images blended into one.
QIcon applicationIcon();

}  // namespace tess
