#include "app/TTessalineForm.h"
#include "model/NumberFormat.h"
#include "pages/planning/PlanningPage.h"
#include "support/FormHarness.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using tess::test::FormHarness;

namespace {

QStringList menuTree(const QMenu *menu, const QString &indent = QString())
{
    QStringList lines;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            lines << indent + QLatin1Char('-');
        } else if (const QMenu *sub = action->menu()) {
            lines << indent + sub->objectName();
            lines << menuTree(sub, indent + QLatin1String("  "));
        } else {
            lines << indent + action->objectName();
        }
    }
    return lines;
}

// A caption drawn as a menu draws it (mnemonic markers taken out, "&&" as
// one "&"; the underline left out), or, with `flags` 0, letter for letter.
QImage drawnCaption(const QString &text, int flags)
{
    QImage image(640, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QApplication::font("QMenu"));
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), flags | Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

// A menu entry as Qt's accessibility layer reads it, for the key that
// chooses it.
QAccessibleInterface *accessibleEntry(QAction *action)
{
    for (QObject *holder : action->associatedObjects()) {
        auto *widget = qobject_cast<QWidget *>(holder);
        if (!qobject_cast<QMenu *>(widget) && !qobject_cast<QMenuBar *>(widget))
            continue;
        if (QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(widget))
            return menu->child(int(widget->actions().indexOf(action)));
    }
    return nullptr;
}

void clickTab(QTabWidget *pages, const char *pageName)
{
    const int index = pages->indexOf(pages->findChild<QWidget *>(QLatin1String(pageName)));
    QTabBar *bar = pages->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void frameAtStart()
    {
        FormHarness h;
        tess::TTessalineForm &form = *h.form;
        QCOMPARE(form.objectName(), QStringLiteral("TessalineForm"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Vekslan - Tessaline"));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(form.windowFlags() & Qt::WindowSystemMenuHint);
        QCOMPARE(form.aboutVersionText(), QStringLiteral("Version 1.04"));
        QCOMPARE(form.PhasePageControl->currentWidget()->objectName(), QStringLiteral("PlanningTabSheet"));
        QCOMPARE(form.preferencesPath(), h.startupDir.filePath(QStringLiteral("Tessaline.ini")));

        const tess::WindowState &s = form.state();
        QCOMPARE(s.HandlerBusy, 0);
        QCOMPARE(s.SuppressSend, false);
        QCOMPARE(s.UnitCount, 1);
        QCOMPARE(s.SettingsReadFromUnits, false);
        QCOMPARE(s.ConfigurationFileLoaded, false);
        QVERIFY(s.LastErrorText.isEmpty());

        h.showAnsweringNo();
        // The client area below the menu bar: pages and the 22-pixel status line.
        auto *status = h.find<QStatusBar>("MainStatusBar");
        QVERIFY(status);
        QCOMPARE(form.width(), 908);
        QCOMPARE(status->height(), 22);
        QCOMPARE(form.height() - form.menuBar()->height(), 594);
        QCOMPARE(form.centralWidget()->height() + status->height(), 594);
        // The first show's calculation leaves its note.
        QCOMPARE(form.statusText(), QStringLiteral("NOTE: Current settings require 1 Quorex."));
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    // clang-format off
    void pages_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("tabVisible");
        QTest::newRow("Planning") << 0 << "PlanningTabSheet" << "Planning" << true;
        QTest::newRow("Projector Setup") << 1 << "ProjAlignTabSheet" << "Projector Setup" << true;
        QTest::newRow("Source Setup") << 2 << "SourceSetupTabSheet" << "Source Setup" << true;
        QTest::newRow("Display Setup") << 3 << "DisplaySetupTabSheet" << "Display Setup" << true;
        QTest::newRow("Seam Removal") << 4 << "SeamRemovalTabSheet" << "Seam Removal" << false;
        QTest::newRow("Information") << 5 << "InfoTabSheet" << "Information" << true;
    }
    // clang-format on

    void pages()
    {
        QFETCH(int, index);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, tabVisible);
        FormHarness h;
        auto *pages = h.find<QTabWidget>("PhasePageControl");
        QVERIFY(pages);
        QCOMPARE(pages->count(), 6);
        QCOMPARE(pages->widget(index)->objectName(), name);
        QCOMPARE(pages->tabText(index), caption);
        QCOMPARE(pages->isTabVisible(index), tabVisible);
    }

    void menuOrder()
    {
        FormHarness h;
        QMenuBar *bar = h.form->menuBar();
        QCOMPARE(bar->objectName(), QStringLiteral("MainMenu1"));
        QStringList top;
        for (const QAction *action : bar->actions())
            top << action->menu()->objectName();
        QCOMPARE(top, (QStringList{"File1", "Search1", "Help1"}));
        QCOMPARE(menuTree(h.find<QMenu>("File1")), (QStringList{"OpenConfigurationFile1", "SaveConfigurationtoFile1",
                                                                "SendCurrentSettingstoQuorexs1", "Exit1"}));
        QCOMPARE(menuTree(h.find<QMenu>("Search1")), (QStringList{"RS232Config1",
                                                                  "  COM1",
                                                                  "    SearchCOM1COM21",
                                                                  "  Baud1",
                                                                  "    Defaultvalues1",
                                                                  "    -",
                                                                  "    N9600",
                                                                  "    N19200",
                                                                  "    N38400",
                                                                  "    N57600",
                                                                  "  Parity1",
                                                                  "    ParityNone",
                                                                  "    ParityOdd",
                                                                  "    ParityEven",
                                                                  "    ParityMark",
                                                                  "    ParitySpace",
                                                                  "SearchComPort1",
                                                                  "  SearchAll",
                                                                  "  -",
                                                                  "  QuorexconnectedthruController1",
                                                                  "  QuorexconnectedtoSerialPortdirectly1",
                                                                  "ReadfromQuorexs1",
                                                                  "-",
                                                                  "DisconnectSerialCo1"}));
        QCOMPARE(menuTree(h.find<QMenu>("Help1")), (QStringList{"HelpwithTessalineSerialconnection1", "About1"}));
    }

    // clang-format off
    void menuItems_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("ticked");

        QTest::newRow("File") << "File1" << "File" << true << false;
        QTest::newRow("Open") << "OpenConfigurationFile1" << "Open Configuration File" << true << false;
        QTest::newRow("Save") << "SaveConfigurationtoFile1" << "Save Configuration to File" << true << false;
        QTest::newRow("Send") << "SendCurrentSettingstoQuorexs1" << "Send Current Settings to Quorex(s)" << false
                              << false;
        QTest::newRow("Exit") << "Exit1" << "Exit" << true << false;
        QTest::newRow("Serial Port") << "Search1" << "Serial Port" << true << false;
        QTest::newRow("Settings") << "RS232Config1" << "Settings (Adv users only)" << true << false;
        QTest::newRow("COM Port") << "COM1" << "COM Port" << true << false;
        QTest::newRow("COM 1 & 2") << "SearchCOM1COM21" << "Search (COM 1 & COM 2)" << true << true;
        QTest::newRow("Baud") << "Baud1" << "Baud" << true << false;
        QTest::newRow("Default values") << "Defaultvalues1" << "Default values" << true << true;
        QTest::newRow("9600") << "N9600" << "9600" << true << false;
        QTest::newRow("19200") << "N19200" << "19200" << true << false;
        QTest::newRow("38400") << "N38400" << "38400" << true << false;
        QTest::newRow("57600") << "N57600" << "57600" << true << false;
        QTest::newRow("Parity") << "Parity1" << "Parity" << true << false;
        QTest::newRow("None") << "ParityNone" << "None" << true << true;
        QTest::newRow("Odd") << "ParityOdd" << "Odd" << true << false;
        QTest::newRow("Even") << "ParityEven" << "Even" << true << false;
        QTest::newRow("Mark") << "ParityMark" << "Mark" << true << false;
        QTest::newRow("Space") << "ParitySpace" << "Space" << true << false;
        QTest::newRow("Search for") << "SearchComPort1" << "Search for Quorex(s) ..." << true << false;
        QTest::newRow("Search") << "SearchAll" << "Search...." << true << false;
        QTest::newRow("Controller") << "QuorexconnectedthruController1" << "Quorex(s) connected to Controller"
                                    << true << false;
        QTest::newRow("Directly") << "QuorexconnectedtoSerialPortdirectly1"
                                  << "Quorex connected to Serial Port directly" << true << false;
        QTest::newRow("Read") << "ReadfromQuorexs1" << "Read from Quorex(s) ..." << false << false;
        QTest::newRow("Disconnect") << "DisconnectSerialCo1" << "Disconnect Serial Communication" << true << false;
        QTest::newRow("Help") << "Help1" << "Help" << true << false;
        QTest::newRow("Connection help") << "HelpwithTessalineSerialconnection1"
                                         << "Help with Tessaline Serial connection" << true << false;
        QTest::newRow("About") << "About1" << "About..." << true << false;
    }
    // clang-format on

    void menuItems()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        QFETCH(bool, ticked);
        FormHarness h;
        const QAction *action = nullptr;
        if (const auto *menu = h.form->findChild<QMenu *>(name))
            action = menu->menuAction();
        else
            action = h.form->findChild<QAction *>(name);
        QVERIFY2(action, qPrintable(name));
        // What the user reads, not the stored text with its mnemonic marker.
        QVERIFY(drawnCaption(action->text(), Qt::TextHideMnemonic) == drawnCaption(caption, 0));
        QCOMPARE(action->isEnabled(), enabled);
        QCOMPARE(action->isChecked(), ticked);
    }

    // Every menu and item can be chosen from the keyboard, each with a key
    // of its own within its menu.
    void everyMenuEntryHasItsOwnMnemonic()
    {
        FormHarness h;
        QList<QWidget *> menus{h.form->menuBar()};
        for (QMenu *menu : h.form->findChildren<QMenu *>())
            menus << menu;
        for (QWidget *menu : menus) {
            QStringList keys;
            for (QAction *action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                QAccessibleInterface *entry = accessibleEntry(action);
                QVERIFY(entry);
                const QString key = entry->text(QAccessible::Accelerator).toUpper();
                QVERIFY2(!key.isEmpty(), qPrintable(entry->text(QAccessible::Name)));
                QVERIFY2(!keys.contains(key), qPrintable(menu->objectName() + QLatin1Char(' ') + key));
                keys << key;
            }
        }
    }

    void aTickMovesOnlyThroughItsHandler()
    {
        FormHarness h;
        auto *both = h.form->findChild<QAction *>(QStringLiteral("SearchCOM1COM21"));
        both->trigger();
        QVERIFY(both->isChecked());
    }

    // --- preferences file at construction and first show ---

    // clang-format off
    void preferencesAtStart_data()
    {
        QTest::addColumn<QString>("file");   // "none", "directory" or the file's text
        QTest::addColumn<QString>("horizontal");
        QTest::addColumn<QString>("vertical");
        QTest::addColumn<QString>("overlap");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QList<int>>("built");   // count, alignment, resolution
        QTest::addColumn<QList<int>>("shown");   // alignment, resolution after the first show

        const QList<int> none{-1, -1, -1};
        const QList<int> defaults{1, 2};   // "Centered", "1280x1024"
        QTest::newRow("accepted") << "40 12 80 3 1 2" << "40" << "12" << "80" << true << QList<int>{3, 1, 2}
                                  << QList<int>{1, 2};
        QTest::newRow("other selections kept") << "20.5 9.75 100 1 0 0" << "20.5" << "9.75" << "100" << true
                                               << QList<int>{1, 0, 0} << QList<int>{0, 0};
        QTest::newRow("overlap 0 refused") << "30 10 0 2 1 2" << "30" << "10" << "64" << false << none
                                           << defaults;
        QTest::newRow("five values refused") << "40 12 80 3 1" << "30" << "10" << "64" << false << none
                                             << defaults;
        QTest::newRow("selection -1 refused") << "40 12 80 3 -1 2" << "30" << "10" << "64" << false << none
                                              << defaults;
        QTest::newRow("size 0 refused") << "0 12 80 3 1 2" << "30" << "10" << "64" << false << none << defaults;
        QTest::newRow("missing file") << "none" << "30" << "10" << "64" << false << none << defaults;
        QTest::newRow("a directory") << "directory" << "30" << "10" << "64" << false << none << defaults;
        QTest::newRow("garbage") << "\x01garbage\x7f" << "30" << "10" << "64" << false << none << defaults;
        QTest::newRow("empty file") << "" << "30" << "10" << "64" << false << none << defaults;
        QTest::newRow("sizes at 5 digits") << "123.45678 24.375 80 3 1 2" << "123.46" << "24.375" << "80" << true
                                           << QList<int>{3, 1, 2} << QList<int>{1, 2};
        QTest::newRow("long size texts stay whole") << "0.000123456 1234567 80 3 1 2" << "0.00012346"
                                                    << "1.2346E+06" << "80" << true << QList<int>{3, 1, 2}
                                                    << QList<int>{1, 2};
        // An index outside a list leaves it without a selection; the first
        // show then gives it its default.
        QTest::newRow("resolution outside the list") << "40 12 80 3 0 7" << "40" << "12" << "80" << true
                                                     << QList<int>{3, 0, -1} << QList<int>{0, 2};
        QTest::newRow("count outside the list") << "40 12 80 12 1 2" << "40" << "12" << "80" << true
                                                << QList<int>{-1, 1, 2} << QList<int>{1, 2};
    }
    // clang-format on

    void preferencesAtStart()
    {
        QFETCH(QString, file);
        QFETCH(QString, horizontal);
        QFETCH(QString, vertical);
        QFETCH(QString, overlap);
        QFETCH(bool, loaded);
        QFETCH(QList<int>, built);
        QFETCH(QList<int>, shown);

        std::optional<QByteArray> contents;
        if (file != QLatin1String("none") && file != QLatin1String("directory"))
            contents = file.toLatin1();
        FormHarness h(contents, nullptr, FormHarness::Build::Later);
        if (file == QLatin1String("directory"))
            QVERIFY(QDir(h.startupDir.path()).mkdir(QStringLiteral("Tessaline.ini")));
        h.build();

        const auto selections = [&h] {
            return QList<int>{h.find<QComboBox>("NumOfScreenComboBox")->currentIndex(),
                              h.find<QComboBox>("ImageAlignComboBox")->currentIndex(),
                              h.find<QComboBox>("ProjectorResComboBox")->currentIndex()};
        };
        QCOMPARE(h.find<QLineEdit>("HorizontalOutEdit")->text(), horizontal);
        QCOMPARE(h.find<QLineEdit>("VerticalOutEdit")->text(), vertical);
        QCOMPARE(h.find<QLineEdit>("OWidthEdit")->text(), overlap);
        QCOMPARE(h.form->state().PreferencesLoaded, loaded);
        QCOMPARE(selections(), built);

        h.showAnsweringNo();
        // The projector count is the first show's calculation to choose.
        QCOMPARE(selections().mid(1), shown);
        QCOMPARE(h.form->planning().OutputSizeH, tess::parseReal(horizontal).value());
        QCOMPARE(h.form->planning().OutputSizeV, tess::parseReal(vertical).value());
        // No box for any preferences file, good or bad.
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void firstShowFillsTheWindowAndOffersTheSearch()
    {
        FormHarness h;
        h.dialogs.answer(false);
        h.form->show();
        QCoreApplication::processEvents();

        const auto questions = h.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].kind, tess::test::ScriptedDialogs::Kind::YesNo);
        QCOMPARE(questions[0].caption,
                 QStringLiteral("VKS - Tessaline :Establish COM port communication with Quorex(s)"));
        QCOMPARE(questions[0].text,
                 QStringLiteral("Tessaline requires connection to Quorex(s) to function. Do you currently have "
                                "Quorex(s) connected to the PC/laptop? Click Yes and Tessaline will search for "
                                "Quorex(s)."));
        QCOMPARE(h.dialogs.takeMessages(),
                 QStringList{QStringLiteral(
                     "When Quorex(s) are connected, go to 'Serial Port->Search for Quorex(s)->Search' menu item "
                     "for the Tessaline to search for Quorex(s).\nPlease refer to Quorex manual for help with "
                     "Tessaline serial connection.")});

        const tess::WindowState &s = h.form->state();
        QCOMPARE(s.SuppressSend, false);
        QCOMPARE(s.OutputFormatWidth, 1280);
        QCOMPARE(s.OutputFormatHeight, 1024);
        QCOMPARE(s.ProjectorBoxRects[0], (tess::BoxRect{5, 5, 115, 99}));
        QCOMPARE(s.ProjectorBoxRects[7], (tess::BoxRect{775, 5, 885, 99}));
        QCOMPARE(s.ProjectorBoxRects[3].toQRect(), QRect(335, 5, 110, 94));
        // The first show calculated the default wall.
        QCOMPARE(h.form->planning().AspectRatio, 3.0);
        QCOMPARE(h.form->planning().OutputSizeH, 30.0);
        QCOMPARE(h.form->planning().OutputSizeV, 10.0);
        QCOMPARE(h.form->planning().OverlapPixels, 384.0);

        // Shown again later: the first show does not run again.
        h.form->hide();
        h.form->show();
        QCoreApplication::processEvents();
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void yesAtTheSearchQuestionSearches()
    {
        // No serial port on this machine: the search finds nothing and says
        // so, instead of the note for later.
        FormHarness h;
        h.dialogs.answer(true);
        h.form->show();
        QCoreApplication::processEvents();
        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        const QStringList shown = h.dialogs.takeMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Quorex(s) not detected.")));
        QVERIFY(!h.form->deviceConnected());
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    // --- page change ---

    void pageChangeWhileNotConnected_data()
    {
        // The controls each page disables while not connected are tested
        // with the pages that build them.
        QTest::addColumn<QString>("page");
        QTest::newRow("Source Setup") << "SourceSetupTabSheet";
        QTest::newRow("Seam Removal") << "SeamRemovalTabSheet";
        QTest::newRow("Information") << "InfoTabSheet";
        QTest::newRow("Display Setup") << "DisplaySetupTabSheet";
    }

    void pageChangeWhileNotConnected()
    {
        QFETCH(QString, page);
        FormHarness h;
        h.showAnsweringNo();
        auto *pages = h.find<QTabWidget>("PhasePageControl");
        pages->setTabVisible(4, true);  // as the service view does
        QWidget *target = pages->findChild<QWidget *>(page);
        QCOMPARE(h.form->statusText(), QStringLiteral("NOTE: Current settings require 1 Quorex."));

        clickTab(pages, qPrintable(page));
        QCOMPARE(pages->currentWidget(), target);
        QCOMPARE(h.form->statusText(), QStringLiteral("Note: No Quorex communication established yet."));
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void pagesCanBeDisabledWhileWaiting()
    {
        FormHarness h;
        auto *pages = h.find<QTabWidget>("PhasePageControl");
        h.form->setPagesEnabled(false);
        QVERIFY(!pages->isEnabled());
        // Enabled once back in the event loop; a wait that begins before
        // then (the next command of a series) keeps the pages disabled.
        h.form->setPagesEnabled(true);
        QVERIFY(!pages->isEnabled());
        h.form->setPagesEnabled(false);
        QCoreApplication::processEvents();
        QVERIFY(!pages->isEnabled());
        h.form->setPagesEnabled(true);
        QCoreApplication::processEvents();
        QVERIFY(pages->isEnabled());
        h.form->setStatusText(QStringLiteral("Sending command...."));
        QCOMPARE(h.find<QStatusBar>("MainStatusBar")->findChild<QLabel *>()->text(),
                 QStringLiteral("Sending command...."));
    }

    // --- typing into the size fields ---

    void sizeFieldsTakeAtMostSixTypedCharacters()
    {
        FormHarness h;
        auto *edit = h.find<QLineEdit>("HorizontalOutEdit");
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("12345678"));
        QCOMPARE(edit->text(), QStringLiteral("123456"));

        // A longer text the program shows stays whole; the user may shorten
        // it but not lengthen it.
        edit->setText(QStringLiteral("0.00012346"));
        QCOMPARE(edit->text(), QStringLiteral("0.00012346"));
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_9);
        QCOMPARE(edit->text(), QStringLiteral("0.00012346"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("0.0001234"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("0.0001"));
        QTest::keyClick(edit, Qt::Key_7);
        QCOMPARE(edit->text(), QStringLiteral("0.0001"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_5);
        QCOMPARE(edit->text(), QStringLiteral("0.0005"));
    }

    void everyWindowOperationIsProvidedByAPage()
    {
        // Reading from the units and the commands that read back run these
        // without knowing the pages; none may be left without its page.
        FormHarness h;
        for (int i = 0; i < tess::RefillCount; ++i)
            QVERIFY2(h.form->refills().provided(tess::Refill(i)), tess::refillName(tess::Refill(i)));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
