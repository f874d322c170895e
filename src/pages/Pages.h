#pragma once

#include <QList>
#include <optional>

namespace tess {

class DisplaySetupPage;
class InfoPage;
class PlanningPage;
class ProjAlignPage;
class SeamRemovalPage;
class SourceSetupPage;
class TabPage;
struct PageContext;
struct PlanningPreferences;

// The six pages of the main window, built with one context, in the order
// of their tabs. No page knows another: they share the wall of the context,
// and where a control on one page acts through another (the Planning page's
// face of the overlap width field, the Display Setup page's seam bridge
// box and threshold, its screens' test patterns), the two are connected
// here.
class Pages {
public:
    Pages() = default;
    Pages(const Pages &) = delete;
    Pages &operator=(const Pages &) = delete;

    // Builds the pages (without a parent: the window's page control takes
    // them), lets each provide its refills, and connects them.
    void build(PageContext &context);

    PlanningPage &planning() const { return *planning_; }
    ProjAlignPage &projAlign() const { return *projAlign_; }
    SourceSetupPage &sourceSetup() const { return *sourceSetup_; }
    DisplaySetupPage &displaySetup() const { return *displaySetup_; }
    SeamRemovalPage &seamRemoval() const { return *seamRemoval_; }
    InfoPage &info() const { return *info_; }

    // The planning preferences file's values, which live on the Planning
    // page and (the overlap width) on the Display Setup page. Nothing to
    // save when a field holds no number.
    void restorePreferences(const PlanningPreferences &prefs);
    std::optional<PlanningPreferences> preferences() const;

    // In the order of the tabs.
    QList<TabPage *> all() const;

private:
    PlanningPage *planning_ = nullptr;
    ProjAlignPage *projAlign_ = nullptr;
    SourceSetupPage *sourceSetup_ = nullptr;
    DisplaySetupPage *displaySetup_ = nullptr;
    SeamRemovalPage *seamRemoval_ = nullptr;
    InfoPage *info_ = nullptr;
};

}  // namespace tess
