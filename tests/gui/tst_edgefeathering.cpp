// The Display Setup page's edge feathering (basic and advanced) and halo
// removal, driven as a user drives them, against two simulated units behind
// the controller. Expected names, texts and commands are the program's own,
// written out here rather than taken from the page.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "fields/TypedLength.h"
#include "model/SettingsModel.h"
#include "pages/ServiceView.h"
#include "pages/display/DisplaySetupPage.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>

using namespace tess;
using tess::test::WindowRig;

namespace {

// Every screen of both units has its edges set apart: left gamma 2.2, right
// gamma 2.4, both off; widths 100 + screen (left) and 120 + screen (right),
// offsets the screen number (left) and 10 + screen (right).
void giveUnitsEdges(sim::Simulator &sim, bool advanced)
{
    for (int unit = 1; unit <= 2; ++unit) {
        sim.unit(unit).settings.wide.advancedMode = advanced ? 1 : 0;
        for (int s = 1; s <= 4; ++s) {
            sim::ScreenSettings &screen = sim.unit(unit).settings.screens[std::size_t(s - 1)];
            screen.leftGamma = 22;
            screen.rightGamma = 24;
            screen.gammaLeftWidth = 100 + s;
            screen.gammaLeftOffset = s;
            screen.gammaRightWidth = 120 + s;
            screen.gammaRightOffset = 10 + s;
        }
    }
}

// Puts the screen tab of screen k in front, laid out down to its innermost
// groups before anything on it is clicked.
void showTabOf(WindowRig &rig, int k)
{
    rig.find<QTabWidget>(QStringLiteral("ScreenPageControl"))->setCurrentIndex(k <= 4 ? 0 : 1);
    for (int round = 0; round < 4; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QCoreApplication::processEvents();
}

// Connected and read, the Display Setup page in front with eight screens
// and the service view on, in the mode the units hold.
struct Rig : WindowRig {
    explicit Rig(bool advanced = true)
    {
        giveUnitsEdges(sim, advanced);
        showAndConnect();
        openDisplaySetup();
        form().planning().MaxOverlapWidth = 200;
    }
    DisplaySetupPage &page() { return form().pages().displaySetup(); }
    QLineEdit *edit(const QString &name) { return find<QLineEdit>(name); }
    void showScreensOf(int k) { showTabOf(*this, k); }
    // Types into a field and leaves it with Tab.
    void enter(const QString &field, const QString &text, int screen)
    {
        showScreensOf(screen);
        typeInto(edit(field), text);
        pressKey(Qt::Key_Tab);
    }
};

QRadioButton *curveItem(WindowRig &rig, const char *text)
{
    for (QRadioButton *item :
         rig.find<QGroupBox>(QStringLiteral("FeatherRadioGroup"))->findChildren<QRadioButton *>()) {
        if (item->text() == QLatin1String(text))
            return item;
    }
    qFatal("no curve item %s", text);
}

}  // namespace

class EdgeFeatheringTest : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void edgeControlsByScreenAndSide_data()
    {
        QTest::addColumn<QString>("enable");
        QTest::addColumn<QString>("enableText");
        QTest::addColumn<QString>("gamma");
        QTest::addColumn<QString>("gammaSpin");
        QTest::addColumn<QString>("gammaLabel");
        QTest::addColumn<QString>("gammaLabelText");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<int>("widthLength");
        QTest::addColumn<int>("offsetLength");
        // Tags: screen and side.
        QTest::newRow("1 R") << "EdgeFeathering1CheckBox" << "Enable (R)" << "Gamma1Edit" << "Gamma1UpDown"
                             << "GammaLabel1" << "Gamma(R)" << "GammaWidth1Edit" << "GammaOffset1Edit" << 4 << 3;
        QTest::newRow("1 L") << "LEdgeFeathering1CheckBox" << "Enable (L)" << "LGamma1Edit" << "LGamma1UpDown"
                             << "Label75" << "Gamma(L)" << "LGammaWidth1Edit" << "LGammaOffset1Edit" << 4 << 3;
        QTest::newRow("2 R") << "REdgeFeathering2CheckBox" << "Enable (R)" << "RGamma2Edit" << "RGamma2UpDown"
                             << "GammaLabel2_2" << "Gamma(R)" << "RGammaWidth2Edit" << "RGammaOffset2Edit" << 3 << 4;
        QTest::newRow("5 L") << "LEdgeFeathering5CheckBox" << "Enable (L)" << "LGamma5Edit" << "LGamma5UpDown"
                             << "GammaLabel5_1" << "Gamma(L)" << "LGammaWidth5Edit" << "LGammaOffset5Edit" << 3 << 4;
        QTest::newRow("7 R") << "REdgeFeathering7CheckBox" << "Enable (R)" << "RGamma7Edit" << "RGamma7UpDown"
                             << "GammaLabel7_2" << "Gamma(R)" << "RGammaWidth7Edit" << "RGammaOffset7Edit" << 3 << 4;
        QTest::newRow("8 L") << "EdgeFeathering8CheckBox" << "Enable (L)" << "Gamma8Edit" << "Gamma8UpDown"
                             << "GammaLabel8" << "Gamma(L)\n" << "LGammaWidth8Edit" << "LGammaOffset8Edit" << 3 << 4;
    }
    // clang-format on

    void edgeControlsByScreenAndSide()
    {
        QFETCH(QString, enable);
        QFETCH(QString, enableText);
        QFETCH(QString, gamma);
        QFETCH(QString, gammaSpin);
        QFETCH(QString, gammaLabel);
        QFETCH(QString, gammaLabelText);
        QFETCH(QString, width);
        QFETCH(QString, offset);
        QFETCH(int, widthLength);
        QFETCH(int, offsetLength);
        WindowRig rig;
        rig.show();
        auto *box = rig.find<QCheckBox>(enable);
        QCOMPARE(box->text(), enableText);
        QVERIFY(!box->isChecked());
        QCOMPARE(rig.find<QLineEdit>(gamma)->text(), QStringLiteral("2.2"));
        QCOMPARE(typedLengthLimit(rig.find<QLineEdit>(gamma)), -1);
        QCOMPARE(rig.find<SpinButton>(gammaSpin)->repeatInterval(), 100);
        QCOMPARE(rig.find<QLabel>(gammaLabel)->text(), gammaLabelText);
        QCOMPARE(rig.find<QLineEdit>(width)->text(), QStringLiteral("0"));
        QCOMPARE(rig.find<QLineEdit>(offset)->text(), QStringLiteral("0"));
        QCOMPARE(typedLengthLimit(rig.find<QLineEdit>(width)), widthLength);
        QCOMPARE(typedLengthLimit(rig.find<QLineEdit>(offset)), offsetLength);
        // The width and offset sit in the caption-less group the service
        // view shows, inside the screen's advanced group.
        const QString k = QString::fromLatin1(QTest::currentDataTag()).left(1);
        auto *adv = rig.find<QGroupBox>(QStringLiteral("EdgeAdv%1GroupBox").arg(k));
        auto *feather = rig.find<QGroupBox>(QStringLiteral("EdgeFeather%1GroupBox").arg(k));
        QCOMPARE(feather->title(), QStringLiteral("Edge Feathering (Advanced)"));
        QVERIFY(adv->title().isEmpty());
        QCOMPARE(rig.find<QLineEdit>(width)->parentWidget(), adv);
        QCOMPARE(box->parentWidget(), feather);
    }

    void outerEdgesHaveNoControls()
    {
        WindowRig rig;
        for (const char *absent : {"RGamma1Edit", "REdgeFeathering8CheckBox", "RGamma8Edit", "RGammaWidth8Edit",
                                   "GammaWidth8Edit", "LHaloWidth1Edit", "RHaloWidth8Edit", "LHaloWidth8Edit"})
            QVERIFY2(!rig.form().findChild<QWidget *>(QLatin1String(absent)), absent);
        for (const char *present : {"HaloWidth1Edit", "HaloOffset1UpDown", "HaloWidth8Edit", "RHaloOffset7Edit",
                                    "LHaloWidth2UpDown", "HaloWidth3_2Label", "HaloOffset6_2Label"})
            QVERIFY2(rig.form().findChild<QWidget *>(QLatin1String(present)), present);
        QCOMPARE(rig.find<QLabel>(QStringLiteral("HaloWidth4_2Label"))->text(), QStringLiteral("Width(R)"));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("HaloOffset4_2Label"))->text(), QStringLiteral("Offset(R)"));
        for (int k = 1; k <= 8; ++k) {
            auto *halo = rig.find<QGroupBox>(QStringLiteral("Halo%1GroupBox").arg(k));
            QCOMPARE(halo->title(), QStringLiteral("Halo Removal"));
            QVERIFY(halo->isHidden());
        }
    }

    void pageWideControls()
    {
        // As built, before the first show's calculation plans a wall.
        WindowRig rig;
        QCOMPARE(rig.find<QGroupBox>(QStringLiteral("EdgeFeatherBasicGroupBox"))->title(),
                 QStringLiteral("Edge Feathering Basic Mode"));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("Gamma"));
        auto *gamma = rig.find<QLineEdit>(QStringLiteral("BasicGammaEdit"));
        QCOMPARE(gamma->text(), QStringLiteral("2.2"));
        QCOMPARE(typedLengthLimit(gamma), 4);
        QCOMPARE(rig.find<SpinButton>(QStringLiteral("BasicGammaUpDown"))->repeatInterval(), 106);
        auto *enable = rig.find<QCheckBox>(QStringLiteral("BasicEdgeFeatheringCheckBox"));
        QCOMPARE(enable->text(), QStringLiteral("Enable "));
        QVERIFY(!enable->isEnabled());
        QVERIFY(!enable->isChecked());
        auto *mode = rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox"));
        QCOMPARE(mode->text(), QStringLiteral("Edge Feathering Advanced Mode"));
        QVERIFY(mode->isHidden());
        auto *curve = rig.find<QGroupBox>(QStringLiteral("FeatherRadioGroup"));
        QVERIFY(curve->isHidden());
        QStringList items;
        for (QRadioButton *item : curve->findChildren<QRadioButton *>()) {
            items << item->text();
            QVERIFY(!item->isChecked());
        }
        QCOMPARE(items, (QStringList{"S-Curve", "Linear"}));

        // The first show plans a wall of three: the basic group takes input.
        rig.show();
        QVERIFY(enable->isEnabled());
        QVERIFY(!rig.find<QGroupBox>(QStringLiteral("EdgeFeatherBasicGroupBox"))->isHidden());
    }

    void visibilityFollowsTheWallTheModeAndTheServiceView()
    {
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup(5, false);
        auto hidden = [&](const char *name) { return rig.find<QWidget>(QLatin1String(name))->isHidden(); };
        // Screen 5 is the last: its right-hand controls go, screen 4 keeps them.
        for (const char *name :
             {"REdgeFeathering5CheckBox", "GammaLabel5_2", "RGamma5Edit", "RGamma5UpDown", "HaloWidth5_2Label",
              "RHaloWidth5Edit", "RHaloWidth5UpDown", "HaloOffset5_2Label", "RHaloOffset5Edit", "RHaloOffset5UpDown"})
            QVERIFY2(hidden(name), name);
        for (const char *name : {"REdgeFeathering4CheckBox", "RGamma4Edit", "RHaloOffset4Edit", "LGamma5Edit"})
            QVERIFY2(!hidden(name), name);
        QVERIFY(!hidden("EdgeFeatherBasicGroupBox"));
        QVERIFY(!hidden("AdvanceModeCheckBox"));
        QVERIFY(hidden("EdgeFeather2GroupBox"));

        // Advanced mode while not connected only switches what is shown.
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox")));
        QVERIFY(hidden("EdgeFeatherBasicGroupBox"));
        for (int k = 1; k <= 8; ++k)
            QVERIFY(!rig.find<QGroupBox>(QStringLiteral("EdgeFeather%1GroupBox").arg(k))->isHidden());
        QVERIFY(rig.sim.log().received().isEmpty());
        QCOMPARE(int(rig.form().settings().output(1, 1).AdvancedMode), 0);
        QCOMPARE(rig.form().state().HandlerBusy, 0);

        // The service view shows the widths, offsets and the curve.
        QVERIFY(hidden("EdgeAdv3GroupBox"));
        QVERIFY(hidden("FeatherRadioGroup"));
        rig.form().serviceView().setOn(true);
        QVERIFY(!hidden("EdgeAdv3GroupBox"));
        QVERIFY(!hidden("FeatherRadioGroup"));
        rig.form().serviceView().setOn(false);
        QVERIFY(hidden("EdgeAdv3GroupBox"));

        // Back to basic; a one-projector wall has nothing to feather.
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox")));
        QVERIFY(!hidden("EdgeFeatherBasicGroupBox"));
        QVERIFY(hidden("EdgeFeather1GroupBox"));
        rig.form().pages().displaySetup().showScreens(1);
        QVERIFY(hidden("EdgeFeatherBasicGroupBox"));
        QVERIFY(hidden("AdvanceModeCheckBox"));
    }

    // What a user does to one edge, and the one command it sends.
    // clang-format off
    void anEdgeIsSentAsItsControlsShowIt_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");  // empty: click the box or spin
        QTest::addColumn<QByteArray>("command");  // "unit:command"
        QTest::newRow("Enable (R) of screen 3") << 3 << "REdgeFeathering3CheckBox" << ""
                                                << QByteArray("1:PEFT 3 R 1  2.4 123 13");
        QTest::newRow("left gamma of screen 5") << 5 << "LGamma5Edit" << "2.5" << QByteArray("2:PEFT 1 L 0  2.5 101 1");
        QTest::newRow("screen 8 is unit 2 screen 4") << 8 << "EdgeFeathering8CheckBox" << ""
                                                     << QByteArray("2:PEFT 4 L 1  2.2 104 4");
        QTest::newRow("screen 1 left width") << 1 << "LGammaWidth1Edit" << "80"
                                             << QByteArray("1:PEFT 1 L 0  2.2 80 1");
        QTest::newRow("screen 1 right offset 511") << 1 << "GammaOffset1Edit" << "511"
                                                   << QByteArray("1:PEFT 1 R 0  2.4 121 511");
        QTest::newRow("width at MaxOverlapWidth") << 7 << "RGammaWidth7Edit" << "200"
                                                  << QByteArray("2:PEFT 3 R 0  2.4 200 511");
        QTest::newRow("gamma spin down 2.2 to 2.1") << 6 << "LGamma6UpDown" << ""
                                                    << QByteArray("2:PEFT 2 L 0  2.1 102 2");
        QTest::newRow("offset spin sends the pair") << 2 << "RGammaOffset2UpDown" << ""
                                                    << QByteArray("1:PEFT 2 R 0  2.4 122 13");
    }
    // clang-format on

    void anEdgeIsSentAsItsControlsShowIt()
    {
        QFETCH(int, screen);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QByteArray, command);
        Rig rig;
        if (control == QLatin1String("RGammaWidth7Edit"))
            rig.edit(QStringLiteral("RGammaOffset7Edit"))->setText(QStringLiteral("511"));
        rig.showScreensOf(screen);
        if (control.endsWith(QLatin1String("UpDown")))
            rig.clickSpin(rig.find<SpinButton>(control), control.contains(QLatin1String("Offset")));
        else if (control.endsWith(QLatin1String("CheckBox")))
            rig.clickInto(rig.find<QCheckBox>(control));
        else
            rig.enter(control, typed, screen);
        QCOMPARE(rig.takeCommandsInOrder(), QList<QByteArray>{command});
        // A per-edge send leaves the model to the next status read.
        const OutputRecord &record = rig.form().settings().projectorOutput(screen);
        QCOMPARE(record.RightFeather, std::int16_t(0));
        QCOMPARE(record.LeftFeather, std::int16_t(0));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // A refused value sends nothing and keeps the typed text.
    // clang-format off
    void edgeFieldErrors_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("focusBack");
        QTest::newRow("offset 512") << 4 << "RGammaOffset4Edit" << "512"
                                    << "Error! Offset out of bounds. (0 - 511)" << true;
        QTest::newRow("width below 64") << 2 << "LGammaWidth2Edit" << "63" << "Error! Gamma width out of bounds."
                                        << true;
        QTest::newRow("width above MaxOverlapWidth") << 1 << "GammaWidth1Edit" << "201"
                                                     << "Error! Gamma width out of bounds." << true;
        QTest::newRow("width no number") << 6 << "RGammaWidth6Edit" << "6x"
                                         << "Error! '6x' is not a valid width value." << true;
        QTest::newRow("offset no number") << 8 << "LGammaOffset8Edit" << "-"
                                          << "Error! '-' is not a valid offset value." << true;
        QTest::newRow("gamma out of bounds") << 3 << "LGamma3Edit" << "5.1"
                                             << "Error! Value out of bounds! (1.0 - 5.0)" << true;
        QTest::newRow("gamma no number") << 7 << "RGamma7Edit" << "2,5"
                                         << "Error! '2,5' is not a valid Edge Feathering Gamma value." << true;
        QTest::newRow("screen 1 left gamma: the generic message")
            << 1 << "LGamma1Edit" << "abc" << "'abc' is not a valid floating point value" << false;
    }
    // clang-format on

    void edgeFieldErrors()
    {
        QFETCH(int, screen);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(bool, focusBack);
        Rig rig;
        auto model = [&] {
            QByteArray bytes;
            for (int unit = 1; unit <= 2; ++unit)
                bytes += QByteArray(reinterpret_cast<const char *>(&rig.form().settings().outputBlock(unit)),
                                    sizeof(UnitOutputBlock));
            return bytes;
        };
        const QByteArray modelBefore = model();
        rig.enter(field, typed, screen);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{message});
        QCOMPARE(rig.edit(field)->text(), typed);
        QCOMPARE(QApplication::focusWidget() == rig.edit(field), focusBack);
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(model(), modelBefore);
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void aRefusedWidthTravelsWithTheEdgesNextSend()
    {
        Rig rig;
        rig.enter(QStringLiteral("RGammaWidth3Edit"), QStringLiteral("40"), 3);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Gamma width out of bounds."});
        QCOMPARE(rig.edit(QStringLiteral("RGammaWidth3Edit"))->text(), QStringLiteral("40"));
        // The gamma's spin (which takes no focus) sends the edge with the
        // width as it stands.
        rig.clickSpin(rig.find<SpinButton>(QStringLiteral("RGamma3UpDown")), true);
        QCOMPARE(rig.takeCommandsInOrder(), QList<QByteArray>{"1:PEFT 3 R 0  2.5 40 13"});
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void anEdgeFieldHoldingNoNumberStopsTheSend()
    {
        Rig rig;
        rig.edit(QStringLiteral("LGamma4Edit"))->setText(QStringLiteral("x"));
        rig.enter(QStringLiteral("LGammaOffset4Edit"), QStringLiteral("9"), 4);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"'x' is not a valid floating point value"});
        rig.edit(QStringLiteral("LGamma4Edit"))->setText(QStringLiteral("3.0"));
        rig.edit(QStringLiteral("LGammaWidth4Edit"))->setText(QStringLiteral(""));
        rig.form().pages().displaySetup().SendLeftFeather(4);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"'' is not a valid integer value"});
        QVERIFY(rig.takeCommands().isEmpty());
    }

    // clang-format off
    void spinsStopAtTheirBounds_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("spin");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("sends");
        QTest::newRow("width 64 up to 65") << "GammaWidth1Edit" << "GammaWidth1UpDown" << true << "64" << "65" << 1;
        QTest::newRow("width at MaxOverlapWidth") << "GammaWidth1Edit" << "GammaWidth1UpDown" << true << "65"
                                                  << "65" << 0;
        QTest::newRow("gamma at 1.0") << "RGamma2Edit" << "RGamma2UpDown" << false << "1.0" << "1.0" << 0;
        QTest::newRow("gamma at 5.0") << "RGamma2Edit" << "RGamma2UpDown" << true << "5.0" << "5.0" << 0;
        QTest::newRow("offset at 511") << "LGammaOffset2Edit" << "LGammaOffset2UpDown" << true << "511" << "511"
                                       << 0;
        QTest::newRow("basic gamma 1.1 down") << "BasicGammaEdit" << "BasicGammaUpDown" << false << "1.1" << "1.0"
                                              << 2;
    }
    // clang-format on

    void spinsStopAtTheirBounds()
    {
        QFETCH(QString, field);
        QFETCH(QString, spin);
        QFETCH(bool, up);
        QFETCH(QString, from);
        QFETCH(QString, shown);
        QFETCH(int, sends);
        Rig rig(field != QLatin1String("BasicGammaEdit"));
        rig.form().planning().MaxOverlapWidth = 65;
        rig.edit(field)->setText(from);
        rig.clickSpin(rig.find<SpinButton>(spin), up);
        QCOMPARE(rig.edit(field)->text(), shown);
        QCOMPARE(rig.takeCommands().size(), sends);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // clang-format off
    void haloPairs_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<bool>("left");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("64 and 255, one command") << 1 << false << "64" << "255" << QByteArray("1:HALO 1 R 64 255") << "";
        QTest::newRow("screen 8 is unit 2 screen 4 L") << 8 << true << "3" << "7" << QByteArray("2:HALO 4 L 3 7") << "";
        QTest::newRow("screen 6 right") << 6 << false << "0" << "0" << QByteArray("2:HALO 2 R 0 0") << "";
        QTest::newRow("65 refused before the offset") << 3 << true << "65" << "zz" << QByteArray()
                                                       << "Error! Halo width out of bounds. (0 - 64)";
        QTest::newRow("offset no number") << 2 << false << "10" << "1e" << QByteArray()
                                          << "Error! '1e' is not a valid Halo offset value.";
        QTest::newRow("offset 256") << 7 << true << "10" << "256" << QByteArray()
                                    << "Error! Halo offset out of bounds. (0 - 255)";
        QTest::newRow("width no number") << 4 << false << "w" << "1" << QByteArray()
                                         << "Error! 'w' is not a valid Halo width value.";
    }
    // clang-format on

    void haloPairs()
    {
        QFETCH(int, screen);
        QFETCH(bool, left);
        QFETCH(QString, width);
        QFETCH(QString, offset);
        QFETCH(QByteArray, command);
        QFETCH(QString, message);
        Rig rig;
        const bool single = screen == 1 || screen == 8;
        const QString prefix = single ? QString() : left ? QStringLiteral("L") : QStringLiteral("R");
        // The halo fields never show: the program fills them and calls
        // their check.
        rig.edit(prefix + QStringLiteral("HaloWidth%1Edit").arg(screen))->setText(width);
        rig.edit(prefix + QStringLiteral("HaloOffset%1Edit").arg(screen))->setText(offset);
        rig.page().HaloWidthEditExit(screen, left ? Side::Left : Side::Right);
        const OutputRecord &record = rig.form().settings().projectorOutput(screen);
        if (command.isEmpty()) {
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{message});
            QVERIFY(rig.takeCommands().isEmpty());
            QCOMPARE(left ? record.HaloLeftWidth : record.HaloRightWidth, 0);
        } else {
            QCOMPARE(rig.takeCommandsInOrder(), QList<QByteArray>{command});
            QCOMPARE(left ? record.HaloLeftWidth : record.HaloRightWidth, width.toInt());
            QCOMPARE(left ? record.HaloLeftOffset : record.HaloRightOffset, offset.toInt());
        }
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void basicGammaGoesToBothUnitsInTurn()
    {
        Rig rig(false);
        rig.enter(QStringLiteral("BasicGammaEdit"), QStringLiteral("3.0"), 1);
        QCOMPARE(rig.takeCommandsInOrder(), (QList<QByteArray>{"1:EFTB 1  3.0", "2:EFTB 1  3.0"}));
        for (int unit = 1; unit <= 2; ++unit) {
            QCOMPARE(rig.form().settings().output(unit, 1).BasicGamma, 3.0f);
            QCOMPARE(rig.form().settings().output(unit, 1).BasicFeather, std::int16_t(1));
        }
        // The enable box sends its new state with the gamma as it stands,
        // bounds not checked again.
        rig.edit(QStringLiteral("BasicGammaEdit"))->setText(QStringLiteral("7"));
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("BasicEdgeFeatheringCheckBox")));
        QCOMPARE(rig.takeCommandsInOrder(), (QList<QByteArray>{"1:EFTB 0  7.0", "2:EFTB 0  7.0"}));
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void basicGammaOutOfBoundsRefillsTheBasicControls()
    {
        Rig rig(false);
        auto *enable = rig.find<QCheckBox>(QStringLiteral("BasicEdgeFeatheringCheckBox"));
        rig.form().settings().output(1, 1).BasicGamma = 2.6f;
        enable->setChecked(false);  // the model still holds it on
        rig.enter(QStringLiteral("BasicGammaEdit"), QStringLiteral("5.5"), 1);
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"Error! Value out of bounds! (1.0 - 5.0)"});
        QCOMPARE(rig.edit(QStringLiteral("BasicGammaEdit"))->text(), QStringLiteral("2.6"));
        QVERIFY(enable->isChecked());
        QVERIFY(rig.takeCommands().isEmpty());
        QVERIFY(!rig.form().state().SuppressSend);
    }

    void basicEnableWithNoNumberSendsNothing()
    {
        Rig rig(false);
        rig.edit(QStringLiteral("BasicGammaEdit"))->setText(QStringLiteral("abc"));
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("BasicEdgeFeatheringCheckBox")));
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{"'abc' is not a valid floating point value"});
        QVERIFY(rig.takeCommands().isEmpty());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void curveGoesToBothUnits()
    {
        Rig rig;
        rig.clickInto(curveItem(rig, "Linear"));
        QCOMPARE(rig.takeCommandsInOrder(), (QList<QByteArray>{"1:FEATHER L", "2:FEATHER L"}));
        QCOMPARE(rig.form().settings().output(1, 1).FeatherCurve, std::uint8_t('L'));
        QCOMPARE(rig.form().state().HandlerBusy, 0);
    }

    void modeBoxTellsTheUnitsAndShowsWhatTheyHold_data()
    {
        QTest::addColumn<bool>("advanced");  // what the box turns on
        QTest::newRow("advanced on") << true;
        QTest::newRow("advanced off") << false;
    }

    void modeBoxTellsTheUnitsAndShowsWhatTheyHold()
    {
        QFETCH(bool, advanced);
        Rig rig(!advanced);
        // The units hold something else by now.
        sim::ScreenSettings &held = rig.sim.unit(2).settings.screens[2];  // projector 7
        held.leftGamma = 31;
        held.leftFeather = 1;
        held.rightGamma = 25;
        held.gammaLeftWidth = 150;
        held.gammaLeftOffset = 300;
        held.gammaRightWidth = 99;
        held.gammaRightOffset = 0;
        rig.sim.unit(1).settings.screens[0].rightGamma = 22;
        rig.sim.unit(1).settings.wide.featherCurve = 'L';
        rig.sim.unit(1).settings.wide.basicGamma = 31;
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox")));

        // Each unit is told, then read back screen by screen.
        const QByteArray mode = advanced ? "1" : "0";
        QCOMPARE(rig.takeCommandsInOrder(),
                 (QList<QByteArray>{"1:QXCTRL " + mode, "1:OINFOQX 1", "1:OINFOQX 2", "1:OINFOQX 3", "1:OINFOQX 4",
                                    "2:QXCTRL " + mode, "2:OINFOQX 1", "2:OINFOQX 2", "2:OINFOQX 3", "2:OINFOQX 4"}));
        QCOMPARE(rig.sim.unit(2).settings.wide.advancedMode, quint8(advanced));
        QCOMPARE(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox"))->isChecked(), advanced);
        QCOMPARE(rig.find<QGroupBox>(QStringLiteral("EdgeFeatherBasicGroupBox"))->isHidden(), advanced);
        QCOMPARE(rig.find<QGroupBox>(QStringLiteral("EdgeFeather7GroupBox"))->isHidden(), !advanced);

        const QList<std::pair<const char *, const char *>> shown{
            {"LGamma7Edit", "3.09999990463257"}, {"RGamma7Edit", "2.5"},     {"LGammaWidth7Edit", "150"},
            {"LGammaOffset7Edit", "300"},        {"RGammaWidth7Edit", "99"}, {"RGammaOffset7Edit", "0"},
            {"Gamma1Edit", "2.20000004768372"},  {"BasicGammaEdit", "3.1"},
        };
        for (const auto &[name, text] : shown)
            QCOMPARE(rig.edit(QLatin1String(name))->text(), QLatin1String(text));
        // A narrow field shows the long text from its start ("2.2000"), not
        // its last digits.
        QCOMPARE(rig.edit(QStringLiteral("Gamma1Edit"))->cursorPosition(), 0);
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("LEdgeFeathering7CheckBox"))->isChecked());
        QVERIFY(!rig.find<QCheckBox>(QStringLiteral("REdgeFeathering7CheckBox"))->isChecked());
        QVERIFY(curveItem(rig, "Linear")->isChecked());
        QCOMPARE(rig.form().state().HandlerBusy, 0);
        QVERIFY(!rig.form().state().SuppressSend);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    // clang-format off
    void enterMovesAlongTheEdges_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("successor");
        QTest::newRow("right gamma of 1") << "Gamma1Edit" << "TestPattern1ComboBox";
        QTest::newRow("left gamma of 1") << "LGamma1Edit" << "Gamma1Edit";
        QTest::newRow("right gamma of 4") << "RGamma4Edit" << "TestPattern4ComboBox";
        QTest::newRow("gamma of 8") << "Gamma8Edit" << "TestPattern8ComboBox";
        QTest::newRow("left width of 8") << "LGammaWidth8Edit" << "LGammaOffset8Edit";
        QTest::newRow("left offset of 1") << "LGammaOffset1Edit" << "GammaWidth1Edit";
        QTest::newRow("left offset of 3") << "LGammaOffset3Edit" << "RGammaWidth3Edit";
        QTest::newRow("left offset of 8") << "LGammaOffset8Edit" << "TestPattern8ComboBox";
        QTest::newRow("right offset of 1") << "GammaOffset1Edit" << "TestPattern1ComboBox";
        QTest::newRow("right width of 6") << "RGammaWidth6Edit" << "RGammaOffset6Edit";
    }
    // clang-format on

    void enterMovesAlongTheEdges()
    {
        QFETCH(QString, field);
        QFETCH(QString, successor);
        WindowRig rig;
        rig.show();
        rig.openDisplaySetup(8, true);
        rig.form().planning().MaxOverlapWidth = 200;
        rig.clickInto(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox")));
        auto *edit = rig.find<QLineEdit>(field);
        const int k = field.at(field.size() - 5).digitValue();
        showTabOf(rig, k);
        // Good widths, so that leaving any of them refuses nothing.
        for (QLineEdit *width :
             rig.form().findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^[LR]?GammaWidth\\dEdit$"))))
            width->setText(QStringLiteral("100"));
        rig.clickInto(edit);
        rig.pressKey(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), successor);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }

    void fillFromTheModelShowsEveryEdgeAndSendsNothing()
    {
        Rig rig(false);
        SettingsModel &model = rig.form().settings();
        for (int k = 1; k <= 8; ++k) {
            OutputRecord &record = model.projectorOutput(k);
            record.HaloLeftWidth = 10 + k;
            record.HaloLeftOffset = 20 + k;
            record.HaloRightWidth = 30 + k;
            record.HaloRightOffset = 40 + k;
            record.LeftGamma = 2.5f;
            record.RightGamma = 1.0f + float(k);
            record.LeftFeather = std::int16_t(k % 2);
            record.RightFeather = std::int16_t(-1);
            record.GammaLeftWidth = 64 + k;
            record.GammaLeftOffset = k;
            record.GammaRightWidth = 200 + k;
            record.GammaRightOffset = 500 + k;
        }
        OutputRecord &unitWide = model.output(1, 1);
        unitWide.AdvancedMode = 1;
        unitWide.BasicGamma = 2.4375f;
        unitWide.BasicFeather = 0;
        unitWide.FeatherCurve = 'S';
        {
            const SuppressSendScope quiet(rig.form().state());
            rig.form().refills().run(Refill::DisplaySetup);
        }
        QVERIFY(rig.takeCommands().isEmpty());

        const QList<std::pair<const char *, const char *>> shown{
            {"HaloWidth1Edit", "31"},   {"HaloOffset1Edit", "41"},  {"LHaloWidth2Edit", "12"},
            {"LHaloOffset2Edit", "22"}, {"RHaloWidth2Edit", "32"},  {"RHaloOffset2Edit", "42"},
            {"HaloWidth8Edit", "18"},   {"HaloOffset8Edit", "28"},  {"LGamma1Edit", "2.5"},
            {"Gamma1Edit", "2"},        {"GammaWidth1Edit", "201"}, {"LGammaOffset1Edit", "1"},
            {"RGamma6Edit", "7"},       {"LGammaWidth6Edit", "70"}, {"RGammaOffset6Edit", "506"},
            {"Gamma8Edit", "2.5"},      {"LGammaWidth8Edit", "72"}, {"BasicGammaEdit", "2.44"},
        };
        for (const auto &[name, text] : shown)
            QCOMPARE(rig.edit(QLatin1String(name))->text(), QLatin1String(text));
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("LEdgeFeathering1CheckBox"))->isChecked());
        QVERIFY(!rig.find<QCheckBox>(QStringLiteral("LEdgeFeathering2CheckBox"))->isChecked());
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("REdgeFeathering5CheckBox"))->isChecked());
        QVERIFY(!rig.find<QCheckBox>(QStringLiteral("EdgeFeathering8CheckBox"))->isChecked());
        QVERIFY(!rig.find<QCheckBox>(QStringLiteral("BasicEdgeFeatheringCheckBox"))->isChecked());
        QVERIFY(rig.find<QCheckBox>(QStringLiteral("AdvanceModeCheckBox"))->isChecked());
        QVERIFY(!rig.find<QGroupBox>(QStringLiteral("EdgeFeather4GroupBox"))->isHidden());
        QVERIFY(rig.find<QGroupBox>(QStringLiteral("EdgeFeatherBasicGroupBox"))->isHidden());
        QVERIFY(curveItem(rig, "S-Curve")->isChecked());

        // A letter that is neither leaves the curve as it was.
        unitWide.FeatherCurve = 'X';
        {
            const SuppressSendScope quiet(rig.form().state());
            rig.form().refills().run(Refill::DisplaySetup);
        }
        QVERIFY(curveItem(rig, "S-Curve")->isChecked());
        QVERIFY(rig.takeCommands().isEmpty());
    }
};

QTEST_MAIN(EdgeFeatheringTest)
#include "tst_edgefeathering.moc"
