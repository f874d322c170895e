#include "app/AboutBox.h"
#include "app/TConnectionHelpForm.h"
#include "app/TInfoForm.h"
#include "app/TTessalineForm.h"
#include "support/FormHarness.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using tess::test::FormHarness;

namespace {

QStringList lines(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QList<QWidget *> topLevels(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            found << w;
    return found;
}

}  // namespace

class AuxWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void waitWindowStaysOnTopWithoutButtons()
    {
        FormHarness h;
        h.form->createAuxiliaryWindows();
        tess::TInfoForm &wait = h.form->infoForm();
        QCOMPARE(wait.objectName(), QStringLiteral("InfoForm"));
        QCOMPARE(wait.windowTitle(), QStringLiteral("Vekslan - Tessaline Info"));
        const Qt::WindowFlags flags = wait.windowFlags();
        QVERIFY(flags & Qt::WindowStaysOnTopHint);
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags
                  & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                     | Qt::WindowSystemMenuHint)));
        QVERIFY(wait.findChildren<QPushButton *>().isEmpty());
        QCOMPARE(wait.size(), QSize(383, 34));
        QVERIFY(!wait.isVisible());

        QCOMPARE(wait.InfoLabel->objectName(), QStringLiteral("InfoLabel"));
        QCOMPARE(wait.InfoLabel->text(), QStringLiteral("Auto Color Balance in progress. Please wait...."));
        QCOMPARE(wait.InfoLabel->geometry(), QRect(6, 7, 347, 20));
        QCOMPARE(wait.InfoLabel->alignment(), Qt::AlignCenter);
        // The face drawn is the one asked for, "Comic Sans MS" when the
        // system has it; never one the font matching put in its place.
        for (const QLabel *label : {wait.InfoLabel, wait.InfoProgressLabel}) {
            const QString asked = label->font().family();
            QCOMPARE(QFontInfo(label->font()).family(), asked);
            QVERIFY(QFontDatabase::families().contains(asked));
            QCOMPARE(asked == QStringLiteral("Comic Sans MS"),
                     QFontDatabase::families().contains(QStringLiteral("Comic Sans MS")));
            QVERIFY(!QFontDatabase::isFixedPitch(asked));
        }
        QCOMPARE(wait.InfoLabel->font().pixelSize(), 15);
        QCOMPARE(wait.InfoProgressLabel->objectName(), QStringLiteral("InfoProgressLabel"));
        QCOMPARE(wait.InfoProgressLabel->text(), QString());
        QCOMPARE(wait.InfoProgressLabel->geometry(), QRect(352, 7, 41, 20));
    }

    void waitWindowPaintsBeforeTheCallerGoesOn()
    {
        FormHarness h;
        tess::TInfoForm &wait = h.form->infoForm();
        bool ranDuringShow = false;
        QMetaObject::invokeMethod(
            &wait, [&] { ranDuringShow = true; }, Qt::QueuedConnection);
        wait.show();
        // Its show handler processed the pending events.
        QVERIFY(ranDuringShow);
        wait.hide();
        QVERIFY(!wait.isVisible());
    }

    void helpWindowShownTwiceIsOneWindow()
    {
        FormHarness h;
        h.form->createAuxiliaryWindows();
        auto *item = h.form->findChild<QAction *>(QStringLiteral("HelpwithTessalineSerialconnection1"));
        item->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&h.form->connectionHelpForm()));
        const QPoint placed = h.form->connectionHelpForm().pos();
        item->trigger();
        const auto windows = topLevels(QStringLiteral("ConnectionHelpForm"));
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows.first()->isVisible());
        QVERIFY(!windows.first()->isModal());
        QCOMPARE(windows.first()->pos(), placed);

        // Closed with its own button, it can be shown again.
        windows.first()->close();
        QVERIFY(!windows.first()->isVisible());
        item->trigger();
        QVERIFY(windows.first()->isVisible());
        QCOMPARE(topLevels(QStringLiteral("ConnectionHelpForm")).size(), 1);
    }

    void helpWindowClosesWithEsc()
    {
        FormHarness h;
        h.form->createAuxiliaryWindows();
        tess::TConnectionHelpForm &help = h.form->connectionHelpForm();
        help.showHelp();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QTest::keyClick(help.windowHandle(), Qt::Key_Escape);
        QVERIFY(!help.isVisible());
        help.showHelp();  // and it comes back
        QVERIFY(help.isVisible());
    }

    void helpWindowContent()
    {
        tess::TConnectionHelpForm help;
        QCOMPARE(help.windowTitle(), QStringLiteral("Vekslan - Tessaline : Connection Help"));
        QCOMPARE(help.size(), QSize(792, 400));
        QCOMPARE(help.minimumSize(), help.maximumSize());
        QVERIFY(!(help.windowFlags() & Qt::WindowMaximizeButtonHint));

        auto *settings = help.findChild<QGroupBox *>(QStringLiteral("GroupBox1"));
        QCOMPARE(settings->title(), QStringLiteral("Default Quorex/Tessaline Serial settings"));
        QCOMPARE(lines(settings->findChild<QListWidget *>(QStringLiteral("ListBox3"))),
                 (QStringList{QStringLiteral("\u00B7   Baud Rate          38.4K"),
                              QStringLiteral("\u00B7   Data Bit                     8"),
                              QStringLiteral("\u00B7   Stop Bit                     1"),
                              QStringLiteral("\u00B7   Parity                  NONE")}));
        QCOMPARE(help.findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("For figures and further assistance, please refer to Quorex manual."));
        QCOMPARE(help.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Tessaline with Controller"));
        QVERIFY(help.findChild<QLabel *>(QStringLiteral("Label1"))->font().bold());
        QCOMPARE(help.findChild<QLabel *>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("Tessaline without Controller"));

        const QStringList with = lines(help.findChild<QListWidget *>(QStringLiteral("ListBox1")));
        QCOMPARE(with.size(), 14);
        QCOMPARE(with[1], QString());
        QCOMPARE(with[6], QStringLiteral("Quorex ID must be set to 8."));
        QCOMPARE(with[11],
                 QStringLiteral("the number of Quorex(s) that are connected to the Panorel Plus chassis. "));
        QCOMPARE(with[13], QStringLiteral("At this time. click on the \"Serial Port->Search for Quorex(s)->Search\" "
                                          "menu and establish connection to the Quorex(s)."));
        const QStringList without = lines(help.findChild<QListWidget *>(QStringLiteral("ListBox2")));
        QCOMPARE(without.size(), 5);
        QCOMPARE(without[3], QStringLiteral("serial port.  If this connection is used, the Quorex's serial port must "
                                            "be configured for RS-232 operation and the serial port settings of the "
                                            "Quorex must "));
        // Static text: nothing in it can be selected.
        for (const auto *list : help.findChildren<QListWidget *>())
            QCOMPARE(list->selectionMode(), QAbstractItemView::NoSelection);
    }

    void aboutBoxIsModalAndClosesWithOk()
    {
        FormHarness h;
        h.form->findChild<QAction *>(QStringLiteral("About1"))->trigger();
        auto *box = h.form->findChild<tess::AboutBox *>(QStringLiteral("AboutBox"));
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(box->isModal());
        QCOMPARE(box->windowTitle(), QStringLiteral("About Tessaline"));
        const auto text = [box](const char *name) { return box->findChild<QLabel *>(QLatin1String(name))->text(); };
        QCOMPARE(text("AboutProductLabel"), QStringLiteral("Vekslan : Tessaline"));
        QCOMPARE(box->findChild<QLabel *>(QStringLiteral("AboutProductLabel"))->font().pointSize(), 19);
        QCOMPARE(text("AboutVersionLabel"), QStringLiteral("Version 1.04"));
        QCOMPARE(text("AboutDescriptionLabel"),
                 QStringLiteral("Minimum resolution required is 1024x768.\n\nFor the most current version of "
                                "Tessaline, and Quorex documentation, please visit our website "
                                "(https://tessaline.example.org)"));
        QVERIFY(text("AboutContactLabel").contains(QStringLiteral("support@tessaline.example.org")));
        QVERIFY(!box->findChild<QLabel *>(QStringLiteral("AboutIcon"))->pixmap().isNull());

        QPointer<tess::AboutBox> alive(box);
        QTest::mouseClick(box->findChild<QPushButton *>(QStringLiteral("AboutOkButton")), Qt::LeftButton);
        QVERIFY(!box->isVisible());
        QTRY_VERIFY(alive.isNull());  // built anew each time
    }
};

QTEST_MAIN(AuxWindowsTest)
#include "tst_auxwindows.moc"
