#pragma once

#include "pages/TabPage.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;

namespace tess {

struct PageContext;

// The Projector Setup page (ProjAlignTabSheet): test patterns on all
// screens at once. Four groups, each a radio group of patterns (two with a
// check box); at most one group shows a selection at a time.
class ProjAlignPage final : public TabPage {
    Q_OBJECT
public:
    static constexpr int GroupCount = 4;

    explicit ProjAlignPage(PageContext &context, QWidget *parent = nullptr);

    // The Display Setup page chose a pattern for one screen: no selection
    // here describes the screens any more. Runs with SuppressSend set and
    // gives it back its earlier value, so a fill under way stays quiet.
    // The check boxes keep their state.
    void ClearProjectorTests();

private:
    struct Group {
        QGroupBox *radioGroup = nullptr;
        QButtonGroup *items = nullptr;
        QCheckBox *checkBox = nullptr;  // groups 1 and 3 only
    };

    // The user picked an item of group 1-4 or clicked its check box.
    void ProjTestRadioGroupClick(int group);
    QWidget *buildGroup(int group);
    static QWidget *buildHelpPanel(const char *name, const QStringList &lines);
    // Group 1-4 shows no selection; the program's doing, no handler runs.
    void clearSelection(int group);

    PageContext &context_;
    std::array<Group, GroupCount> groups_{};
};

}  // namespace tess
