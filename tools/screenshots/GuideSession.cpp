#include "GuideSession.h"

#include "GuidePictures.h"
#include "app/TTessalineForm.h"
#include "core/Simulator.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/ProgramExit.h"
#include "port/SimSerialPort.h"
#include "wall/WallPicture.h"
#include "wall/WallScene.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace tess::guide {
namespace {

// Lets the window finish what it started (and the line lights go dark).
void settle(int ms = 300)
{
    QTest::qWait(ms);
}

// The boxes of the session, answered as the guide's user answers them and
// pictured where the guide shows them. A box that the guide does not
// expect means the guide no longer tells what happens.
class GuideDialogs final : public Dialogs {
public:
    explicit GuideDialogs(PictureBook &book) : book_(book) {}

    // The next box starts with `textStart`; it is answered `answer` and,
    // with a name, pictured.
    void expect(const QString &textStart, bool answer = true, const QString &picture = QString())
    {
        expected_.append({textStart, answer, picture});
    }
    void chooseFile(const QString &path) { files_ << path; }

    // Whatever was not as expected, one line each; empty when all was.
    QStringList surprises() const
    {
        QStringList all = surprises_;
        for (const Expected &e : expected_)
            all << QStringLiteral("a box starting \"%1\" did not come").arg(e.textStart);
        return all;
    }
    bool ok() const { return surprises().isEmpty(); }
    bool allCame() const { return expected_.isEmpty(); }

    void showMessage(const QString &text, const QString &caption) override
    {
        QMessageBox::Icon icon = QMessageBox::Information;
        if (text.startsWith(QLatin1String("Error")))
            icon = QMessageBox::Critical;
        else if (text.startsWith(QLatin1String("Warning")))
            icon = QMessageBox::Warning;
        box(icon, caption, text, QMessageBox::Ok);
    }
    bool askOkCancel(const QString &caption, const QString &text) override
    {
        return box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel);
    }
    bool askYesNo(const QString &caption, const QString &text) override
    {
        return box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
    }
    QString openFileName(const FileRequest &) override { return files_.isEmpty() ? QString() : files_.takeFirst(); }
    QString saveFileName(const FileRequest &) override { return files_.isEmpty() ? QString() : files_.takeFirst(); }

private:
    struct Expected {
        QString textStart;
        bool answer;
        QString picture;
    };

    bool box(QMessageBox::Icon icon, const QString &caption, const QString &text,
             QMessageBox::StandardButtons buttons)
    {
        if (expected_.isEmpty() || !text.startsWith(expected_.first().textStart)) {
            surprises_ << QStringLiteral("an unexpected box: \"%1\"").arg(text);
            return false;
        }
        const Expected e = expected_.takeFirst();
        if (!e.picture.isEmpty()) {
            QMessageBox shown(icon, caption.isEmpty() ? QLatin1String(ApplicationTitle) : caption, text, buttons);
            shown.setDefaultButton(buttons & QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::Ok);
            shown.show();
            settle(100);
            book_.add(e.picture, shown.grab().toImage());
            shown.hide();
        }
        return e.answer;
    }

    PictureBook &book_;
    QList<Expected> expected_;
    QStringList files_;
    QStringList surprises_;
};

// The user's hands on one window.
class User {
public:
    explicit User(TTessalineForm &form) : form_(form) {}

    template <typename T>
    T *find(const char *name) const
    {
        T *control = form_.findChild<T *>(QLatin1String(name));
        if (!control)
            std::fprintf(stderr, "guide: no control %s\n", name);
        return control;
    }

    void bringToFront()
    {
        QApplication::setActiveWindow(&form_);
        if (!QTest::qWaitForWindowActive(&form_))
            std::fprintf(stderr, "guide: the window did not become active\n");
    }
    void typeInto(const char *name, const QString &text)
    {
        if (auto *edit = find<QLineEdit>(name)) {
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
    }
    void press(const char *name, Qt::Key key)
    {
        if (auto *control = find<QWidget>(name))
            QTest::keyClick(control, key);
        settle();
    }
    void click(const char *name)
    {
        if (auto *button = find<QWidget>(name))
            QTest::mouseClick(button, Qt::LeftButton);
        settle();
    }
    void doubleClick(const char *name)
    {
        if (auto *target = find<QWidget>(name))
            QTest::mouseDClick(target, Qt::LeftButton);
        settle();
    }
    // A click on the page's tab.
    void openPage(const char *name)
    {
        auto *pages = find<QTabWidget>("PhasePageControl");
        QWidget *page = find<QWidget>(name);
        if (!pages || !page)
            return;
        const int index = pages->indexOf(page);
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(index).center());
        settle();
    }
    void choose(const char *item)
    {
        if (auto *action = find<QAction>(item))
            action->trigger();
        settle();
    }

    QImage picture()
    {
        settle();
        return form_.grab().toImage();
    }

    // The window with a menu of the menu bar open and, within it, the
    // submenu `submenu` (if any): where a user sees them.
    QImage pictureWithMenu(const char *menuName, const char *submenu = nullptr)
    {
        QImage image = picture();
        auto *menu = find<QMenu>(menuName);
        if (!menu)
            return image;
        QMenuBar *bar = form_.menuBar();
        const QPoint at = bar->mapTo(&form_, bar->actionGeometry(menu->menuAction()).bottomLeft());
        QPainter painter(&image);
        menu->popup(form_.mapToGlobal(at));
        if (submenu) {
            auto *inner = find<QMenu>(submenu);
            if (inner) {
                menu->setActiveAction(inner->menuAction());
                const QRect item = menu->actionGeometry(inner->menuAction());
                settle(100);
                painter.drawImage(at, menu->grab().toImage());
                inner->popup(menu->mapToGlobal(item.topRight()));
                settle(100);
                painter.drawImage(at + item.topRight() + QPoint(-2, 0), inner->grab().toImage());
                inner->hide();
            }
        } else {
            settle(100);
            painter.drawImage(at, menu->grab().toImage());
        }
        menu->hide();
        return image;
    }

    // The window with a red frame around the place of `name` (an invisible
    // control) and a word beside it.
    QImage pictureMarking(const char *name, const QString &words)
    {
        QImage image = picture();
        auto *target = find<QWidget>(name);
        if (!target)
            return image;
        const QRect place(target->mapTo(&form_, QPoint(0, 0)), target->size());
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(220, 0, 0), 2));
        // Inside the picture, also where the control lies at its edge.
        painter.drawRect(place.adjusted(-4, -4, 4, 4) & image.rect().adjusted(1, 1, -2, -2));
        QFont font = painter.font();
        font.setBold(true);
        painter.setFont(font);
        const QRect text(place.left() - 260, place.top() - 4, 250, place.height() + 8);
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, words);
        return image;
    }

private:
    TTessalineForm &form_;
};

void say(const char *what)
{
    static QElapsedTimer since;
    if (!since.isValid())
        since.start();
    std::printf("guide: %5.1f s  %s\n", double(since.elapsed()) / 1000, what);
    std::fflush(stdout);
}

}  // namespace

bool runGuideSession(PictureBook &book)
{
    // Started from an empty folder: no preferences file yet.
    QTemporaryDir startDir;
    QTemporaryDir files;
    sim::Simulator units(sim::Setup::controller({1, 2}));
    sim::SimSerialPort port(Clock::system(), units);
    GuideDialogs dialogs(book);
    {
        TTessalineForm form(FormServices{dialogs, Clock::system(), ProgramExit::system(), startDir.path(), &port});
        form.createAuxiliaryWindows();
        User user(form);

        say("first start: the question, the search, the read");
        dialogs.expect(QStringLiteral("Tessaline requires connection"), true, QStringLiteral("first-question"));
        // The simulated units hold a wall of their own (8 projectors): the
        // read says the Planning page will follow them.
        dialogs.expect(QStringLiteral("Warning. Number of Projectors"), true, QStringLiteral("read-warning"));
        form.show();
        // The first show asks, searches and reads before the user can act.
        if (!QTest::qWaitFor([&] { return form.deviceConnected() && dialogs.allCame(); }, 30000)) {
            std::fprintf(stderr, "guide: the simulated units were not found\n");
            return false;
        }
        user.bringToFront();
        book.add(QStringLiteral("planning-after-read"), user.picture());

        say("planning a six-projector wall");
        user.typeInto("HorizontalOutEdit", QStringLiteral("64"));
        user.press("HorizontalOutEdit", Qt::Key_Return);
        user.typeInto("VerticalOutEdit", QStringLiteral("10"));
        user.click("CalcOutButton");
        book.add(QStringLiteral("planning-six-projectors"), user.picture());

        say("the pages");
        user.openPage("ProjAlignTabSheet");
        book.add(QStringLiteral("projector-setup"), user.picture());
        user.openPage("SourceSetupTabSheet");
        book.add(QStringLiteral("source-setup"), user.picture());
        user.openPage("DisplaySetupTabSheet");
        book.add(QStringLiteral("display-setup"), user.picture());

        say("the service view");
        user.openPage("InfoTabSheet");
        book.add(QStringLiteral("information"),
                 user.pictureMarking("HiddenLabel", QStringLiteral("double-click here")));
        user.doubleClick("HiddenLabel");
        book.add(QStringLiteral("information-service-view"), user.picture());
        user.openPage("SeamRemovalTabSheet");
        book.add(QStringLiteral("seam-removal"), user.picture());
        user.openPage("DisplaySetupTabSheet");
        book.add(QStringLiteral("display-setup-service-view"), user.picture());

        say("saving, opening, sending, reading");
        user.openPage("PlanningTabSheet");
        const QString wall = files.filePath(QStringLiteral("six-projectors.qxc"));
        dialogs.chooseFile(wall);
        user.choose("SaveConfigurationtoFile1");
        dialogs.chooseFile(wall);
        dialogs.expect(QStringLiteral("File open successful."), true, QStringLiteral("open-success"));
        user.choose("OpenConfigurationFile1");
        user.choose("SendCurrentSettingstoQuorexs1");
        user.choose("ReadfromQuorexs1");
        book.add(QStringLiteral("planning-after-send-and-read"), user.picture());

        // Last, as a popup menu takes the keyboard from the window.
        say("the menus");
        book.add(QStringLiteral("menu-search"), user.pictureWithMenu("Search1", "SearchComPort1"));
        book.add(QStringLiteral("menu-file"), user.pictureWithMenu("File1"));

        say("the virtual wall");
        book.add(QStringLiteral("virtual-wall"), sim::wall::wallPicture(sim::wall::wallOf(units), QSize(960, 540)));
        form.hide();
    }

    say("a search that finds nothing");
    {
        sim::SimSerialPort silent(Clock::system(), units);
        silent.attach(1, nullptr);
        TTessalineForm form(FormServices{dialogs, Clock::system(), ProgramExit::system(), startDir.path(), &silent});
        form.createAuxiliaryWindows();
        dialogs.expect(QStringLiteral("Tessaline requires connection"), true);
        dialogs.expect(QStringLiteral("Quorex(s) not detected."), true, QStringLiteral("not-detected"));
        form.show();
        if (!QTest::qWaitFor([&] { return dialogs.allCame(); }, 30000))
            std::fprintf(stderr, "guide: the search that finds nothing did not end\n");
        form.hide();
    }

    for (const QString &surprise : dialogs.surprises())
        std::fprintf(stderr, "guide: %s\n", qPrintable(surprise));
    return dialogs.ok();
}

}  // namespace tess::guide
