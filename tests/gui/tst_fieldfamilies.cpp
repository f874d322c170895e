// Every family of numeric fields walked the same
// way through the real window against simulated units: both bounds, one
// past each, a text that is no number, Enter, and the spin halves. One
// representative field per family; what reached the units, the settings
// model, the field and the messages is checked each time. Expected texts
// and commands are the program's own, written out here.
#include "app/TTessalineForm.h"
#include "fields/SpinButton.h"
#include "model/SettingsModel.h"
#include "pages/Pages.h"
#include "pages/ServiceView.h"
#include "pages/planning/PlanningPage.h"
#include "pages/source/SeamRemovalPage.h"
#include "pages/source/SourceSetupPage.h"
#include "support/WindowRig.h"

#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>

#include <functional>
#include <vector>

using namespace tess;
using tess::test::WindowRig;

namespace {

enum class Page { Display, Source, Seam, Planning };

struct Family {
    const char *name;
    Page page;
    bool advanced;  // the edge feathering mode the units hold
    int screen;     // the screen tab the field sits on (Display Setup)
    const char *edit;
    const char *spin;  // nullptr: the field has no spin button
    // Both bounds, one step inside the lower, and one past each. A field
    // with no upper bound has a large good value as `upper` and no
    // `aboveUpper`.
    const char *lower, *upper, *aboveLower, *belowLower, *aboveUpper;
    const char *boundsMessage;
    // What the field shows after a bounds error once the upper bound was
    // taken: the value put back from the settings model; nullptr: the typed
    // text stays.
    const char *refilledTo;
    const char *notValidMessage;  // for "abc"
    // What a spin click on "abc" shows: the field's own message (the focus
    // then goes into the field) or the general conversion message.
    const char *spinNotValidMessage;
    // Where an empty field is allowed: leaving it does nothing, and the up
    // half writes this; nullptr: an empty field is no number.
    const char *spinUpFromEmpty;
    // What a good value sends: "unit:command" lines, %1 the value as sent.
    QStringList sent;
    // Where Enter on a good value puts the focus; empty: Enter does nothing.
    const char *enterSuccessor;
    // The field on another page that shows a good value as typed; nullptr:
    // none.
    const char *mirror;
    // The settings model's (or the planning's) value, where a good value
    // reaches it at once; empty: the model waits for the next status read.
    std::function<double(TTessalineForm &)> model;
};

const std::vector<Family> &families()
{
    // The halo removal width and offset fields are never shown to a user, so
    // no walk reaches them.
    // clang-format off
    static const std::vector<Family> table = {
        {"black level", Page::Display, true, 2, "Black2Edit", "Black2UpDown", "0", "255", "1", "-1", "256",
         "Error! Value out of bounds! (0 - 255)", "255", "Error! 'abc' is not a valid Black Level.",
         "'abc' is not a valid integer value", nullptr, {"1:BLKGN 2 %1"}, "", nullptr,
         [](TTessalineForm &f) { return double(f.settings().projectorOutput(2).BlackLevel); }},
        {"edge gamma", Page::Display, true, 3, "RGamma3Edit", "RGamma3UpDown", "1.0", "5.0", "1.1", "0.9", "5.1",
         "Error! Value out of bounds! (1.0 - 5.0)", nullptr, "Error! 'abc' is not a valid Edge Feathering Gamma value.",
         "'abc' is not a valid floating point value", nullptr, {"1:PEFT 3 R 0  %1 123 13"}, "TestPattern3ComboBox",
         nullptr, {}},
        {"edge width", Page::Display, true, 3, "RGammaWidth3Edit", "RGammaWidth3UpDown", "64", "200", "65", "63", "201",
         "Error! Gamma width out of bounds.", nullptr, "Error! 'abc' is not a valid width value.",
         "'abc' is not a valid integer value", nullptr, {"1:PEFT 3 R 0  2.4 %1 13"}, "RGammaOffset3Edit", nullptr, {}},
        {"edge offset", Page::Display, true, 6, "LGammaOffset6Edit", "LGammaOffset6UpDown", "0", "511", "1", "-1", "512",
         "Error! Offset out of bounds. (0 - 511)", nullptr, "Error! 'abc' is not a valid offset value.",
         "'abc' is not a valid integer value", nullptr, {"2:PEFT 2 L 0  2.2 102 %1"}, "RGammaWidth6Edit", nullptr, {}},
        {"basic gamma", Page::Display, false, 1, "BasicGammaEdit", "BasicGammaUpDown", "1.0", "5.0", "1.1", "0.9", "5.1",
         "Error! Value out of bounds! (1.0 - 5.0)", "5", "Error! 'abc' is not a valid Edge Feathering Gamma value.",
         "'abc' is not a valid floating point value", nullptr, {"1:EFTB 1  %1", "2:EFTB 1  %1"}, "OWidthEdit", nullptr,
         [](TTessalineForm &f) { return double(f.settings().output(2, 1).BasicGamma); }},
        {"overlap width", Page::Display, false, 1, "OWidthEdit", "OWidthUpDown", "64", "200", "65", "63", "201",
         "Error! Overlap Width value out of bounds!", "200", "Error! 'abc' is not a valid Overlap Width.",
         "'abc' is not a valid integer value", nullptr, {"1:DISP 1 %1", "2:DISP 1 %1"}, "TestPattern1ComboBox",
         "OWidthPlanningEdit", {}},
        {"display bridge threshold", Page::Display, false, 1, "DisplaySetupBridgeThresholdEdit",
         "DisplaySetupBridgeThresholdUpDown", "0", "255", "1", "-1", "256",
         "Error! Bridge Threshold value out of bounds! (0 - 255)", nullptr,
         "Error! 'abc' is not a valid Bridge Threshold value.", "'abc' is not a valid integer value", "17",
         {"1:BRTHRS %1", "2:BRTHRS %1"}, "BasicGammaEdit", "BridgeThresholdEdit",
         [](TTessalineForm &f) { return double(f.settings().output(1, 1).BridgeThreshold); }},
        {"phase", Page::Source, false, 0, "PhaseEdit", "PhaseUpDown", "-16", "15", "-15", "-17", "16",
         "Error! Phase Offset value out of bounds! (-16 - +15)", "15", "Error! 'abc' is not a valid Phase Value.",
         "Error! 'abc' is not a valid Phase Value.", nullptr, {"1:ICPHOQX 1 M %1"}, "HPositionEdit", nullptr,
         [](TTessalineForm &f) { return double(f.settings().channelInput(1).Phase); }},
        {"H position", Page::Source, false, 0, "HPositionEdit", "HPositionUpDown", "72", "317", "73", "71", "318",
         "Error! H Position value out of bounds! (72 - 317)", "317", "Error! 'abc' is not a valid H Position Value.",
         "Error! 'abc' is not a valid H Position Value.", nullptr, {"1:IRSPQX 1 M H %1"}, "VPositionEdit", nullptr,
         [](TTessalineForm &f) { return double(f.settings().channelInput(1).HPosition); }},
        {"V position", Page::Source, false, 0, "VPositionEdit", "VPositionUpDown", "14", "39", "15", "13", "40",
         "Error! V Position value out of bounds! ", "39", "Error! 'abc' is not a valid V Position Value.",
         "Error! 'abc' is not a valid V Position Value.", nullptr, {"1:IRSPQX 1 M V %1"}, "PhaseEdit", nullptr,
         [](TTessalineForm &f) { return double(f.settings().channelInput(1).VPosition); }},
        {"colour balance", Page::Source, false, 0, "LeftRBrightnessEdit", "LeftRBrightnessUpDown", "-25.0", "25.0",
         "-24.9", "-25.1", "25.1", "Error! Value out of bounds! (-25 - +25)", "25",
         "Error! 'abc' is not a valid Brightness Level.", "'abc' is not a valid floating point value", nullptr,
         {"1:IBRTQX 1 R %1"}, "LeftGContrastEdit", nullptr,
         [](TTessalineForm &f) { return double(f.settings().channelInput(1).BrightnessR); }},
        {"seam gain", Page::Seam, false, 0, "SeamGain3Edit", "SeamGain3UpDown", "0", "255", "1", "-1", "256",
         "Error! Seam Position value out of bounds! (0 - 255)", "255", "Error! 'abc' is not a valid Seam Gain Value.",
         "'abc' is not a valid integer value", nullptr, {"1:MANSEAM 1 -4 10 20 %1 40 50 60 70 80"}, "SeamGain4Edit",
         nullptr,
         [](TTessalineForm &f) { return double(f.settings().channelOutput(1).SeamGain3); }},
        {"seam bridge threshold", Page::Seam, false, 0, "BridgeThresholdEdit", "BridgeThresholdUpDown", "0", "255",
         "1", "-1", "256", "Error! Bridge Threshold value out of bounds! (0 - 255)", "255",
         "Error! 'abc' is not a valid Bridge Threshold value.", "'abc' is not a valid integer value", "17",
         {"1:BRTHRS %1", "2:BRTHRS %1"}, "SeamGain1Edit", "DisplaySetupBridgeThresholdEdit",
         [](TTessalineForm &f) { return double(f.settings().output(1, 1).BridgeThreshold); }},
        // No upper bound, no spin, nothing sent: the magnification the lens
        // throw was last worked out with is what a good value changes.
        {"lens magnification", Page::Planning, false, 0, "LensMagEdit", nullptr, "0", "99.9", nullptr, "-0.1", nullptr,
         "Error! Lens Magnification value must be greater than 0.", nullptr,
         "Error! 'abc' is not a valid Lens Magnification value.", nullptr, nullptr, {}, "HorizontalOutEdit", nullptr,
         [](TTessalineForm &f) { return f.planning().LensThrow / f.planning().ProjectedWidth; }},
    };
    // clang-format on
    return table;
}

// The lines a good value sends, joined as sent() joins them.
QByteArray sentFor(const Family &family, const QString &value)
{
    QList<QByteArray> lines;
    for (const QString &line : family.sent)
        lines << line.arg(value).toLatin1();
    return lines.join('|');
}

// Connected and read, the family's page in front; for the Display Setup
// page eight screens and the service view on. Every edge of both units
// differs: left gamma 2.2, right 2.4; widths 100 + screen (left), 120 +
// screen (right); offsets the screen (left), 10 + screen (right); all off.
struct Rig : WindowRig {
    explicit Rig(const Family &family)
    {
        for (int unit = 1; unit <= 2; ++unit) {
            sim.unit(unit).settings.wide.advancedMode = family.advanced ? 1 : 0;
            sim.unit(unit).settings.wide.basicFeather = 1;
            for (int s = 1; s <= 4; ++s) {
                sim::ScreenSettings &screen = sim.unit(unit).settings.screens[std::size_t(s - 1)];
                screen.blackLevel = 40;
                screen.leftGamma = 22;
                screen.rightGamma = 24;
                screen.gammaLeftWidth = 100 + s;
                screen.gammaLeftOffset = s;
                screen.gammaRightWidth = 120 + s;
                screen.gammaRightOffset = 10 + s;
            }
        }
        showAndConnect();
        switch (family.page) {
        case Page::Source: {
            // Channel 1's position bounds, as filling the page sets them:
            // H from 200 - 128 = 72 up to its limit 1344 - 1024 - 2 = 318
            // less one, 317; V from 30 - 16 = 14 up to its limit 40 less
            // one, 39.
            InputRecord &record = lockChannel(1);
            record.HPositionRef = 200;
            record.HTotal = 1344;
            record.HActive = 1024;
            record.HPositionMax = -1;
            record.VPositionRef = 30;
            record.VPositionMax = 40;
            openPage(&form().pages().sourceSetup());
            break;
        }
        case Page::Seam: {
            // Channel 1 (unit 1, screen 1) holds gains 10, 20, ... 80.
            OutputRecord &record = form().settings().channelOutput(1);
            for (std::size_t i = 0; i < SeamGainFields.size(); ++i)
                record.*SeamGainFields[i] = std::uint8_t(10 * (i + 1));
            form().serviceView().setOn(true);
            openPage(&form().pages().seamRemoval());
            break;
        }
        case Page::Planning:
            openPage(&form().pages().planning());
            break;
        case Page::Display:
            openDisplaySetup();
            form().planning().MaxOverlapWidth = 200;
            find<QTabWidget>(QStringLiteral("ScreenPageControl"))->setCurrentIndex(family.screen <= 4 ? 0 : 1);
            break;
        }
        for (int round = 0; round < 4; ++round)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        edit = find<QLineEdit>(QLatin1String(family.edit));
        if (family.spin)
            spin = find<SpinButton>(QLatin1String(family.spin));
        takeCommandsInOrder();
    }
    QLineEdit *edit = nullptr;
    SpinButton *spin = nullptr;
    // Types into the field and leaves it with `key`. What leaving the
    // control that had the focus sent (another field's own exit check) is
    // not this field's, and is dropped.
    void enter(const QString &text, Qt::Key key = Qt::Key_Tab)
    {
        typeInto(edit, text);
        takeCommandsInOrder();
        pressKey(key);
    }
    // What reached the units since the last look, "unit:command" joined by |.
    QByteArray sent() { return takeCommandsInOrder().join('|'); }
};

}  // namespace

class FieldFamiliesTest : public QObject {
    Q_OBJECT
private slots:
    void everyFamilyWalksTheSameWay_data()
    {
        QTest::addColumn<int>("family");
        for (std::size_t i = 0; i < families().size(); ++i)
            QTest::newRow(families()[i].name) << int(i);
    }

    void everyFamilyWalksTheSameWay()
    {
        QFETCH(int, family);
        const Family &f = families()[std::size_t(family)];
        Rig rig(f);

        // Both bounds are taken, sent as typed and kept in the field.
        for (const char *good : {f.lower, f.upper}) {
            rig.enter(QLatin1String(good));
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList());
            QCOMPARE(rig.sent(), sentFor(f, QLatin1String(good)));
            QCOMPARE(rig.edit->text(), QLatin1String(good));
            if (f.model)
                QCOMPARE(float(f.model(rig.form())), QByteArray(good).toFloat());
            if (f.mirror)
                QCOMPARE(rig.shownText(QLatin1String(f.mirror)), QLatin1String(good));
        }

        // One past either bound: the message, nothing sent, the focus back,
        // the field refilled from the model where the family refills.
        for (const char *bad : {f.belowLower, f.aboveUpper}) {
            if (!bad)
                continue;
            const double modelNow = f.model ? f.model(rig.form()) : 0;
            rig.enter(QLatin1String(bad));
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{QLatin1String(f.boundsMessage)});
            QCOMPARE(rig.sent(), QByteArray());
            QCOMPARE(QApplication::focusWidget(), rig.edit);
            QCOMPARE(rig.edit->text(), QLatin1String(f.refilledTo ? f.refilledTo : bad));
            QCOMPARE(rig.form().state().LastErrorText, QLatin1String(f.boundsMessage));
            if (f.model)
                QCOMPARE(f.model(rig.form()), modelNow);
        }

        // No number: its own message, the text kept, nothing sent.
        rig.enter(QStringLiteral("abc"));
        QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{QLatin1String(f.notValidMessage)});
        QCOMPARE(rig.edit->text(), QStringLiteral("abc"));
        QCOMPARE(QApplication::focusWidget(), rig.edit);
        QCOMPARE(rig.sent(), QByteArray());

        // Enter on a good value moves on (the move runs the exit check) or,
        // with no successor in view, does nothing.
        rig.enter(QLatin1String(f.lower), Qt::Key_Return);
        if (*f.enterSuccessor) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(f.enterSuccessor));
            QCOMPARE(rig.sent(), sentFor(f, QLatin1String(f.lower)));
        } else {
            QCOMPARE(QApplication::focusWidget(), rig.edit);
            QCOMPARE(rig.sent(), QByteArray());
        }

        if (rig.spin) {
            // The spin halves: down at the lower bound stays, up steps once
            // and sends the new value.
            rig.edit->setText(QLatin1String(f.lower));
            rig.clickSpin(rig.spin, false);
            QCOMPARE(rig.edit->text(), QLatin1String(f.lower));
            QCOMPARE(rig.sent(), QByteArray());
            rig.clickSpin(rig.spin, true);
            QCOMPARE(rig.edit->text(), QLatin1String(f.aboveLower));
            QCOMPARE(rig.sent(), sentFor(f, QLatin1String(f.aboveLower)));
            if (f.model)
                QCOMPARE(float(f.model(rig.form())), QByteArray(f.aboveLower).toFloat());
            // A spin click on a text that is no number sends nothing.
            rig.edit->setText(QStringLiteral("abc"));
            rig.clickSpin(rig.spin, true);
            QCOMPARE(rig.edit->text(), QStringLiteral("abc"));
            QCOMPARE(rig.sent(), QByteArray());
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList{QLatin1String(f.spinNotValidMessage)});
            if (QByteArray(f.spinNotValidMessage) == f.notValidMessage)
                QCOMPARE(QApplication::focusWidget(), rig.edit);
        }

        if (f.spinUpFromEmpty) {
            // An empty field is left alone; the up half starts from a
            // value of its own.
            rig.enter(QString());
            QCOMPARE(rig.h.dialogs.takeMessages(), QStringList());
            QCOMPARE(rig.sent(), QByteArray());
            rig.edit->clear();
            rig.clickSpin(rig.spin, true);
            QCOMPARE(rig.edit->text(), QLatin1String(f.spinUpFromEmpty));
            QCOMPARE(rig.sent(), sentFor(f, QLatin1String(f.spinUpFromEmpty)));
        }

        QCOMPARE(rig.form().state().HandlerBusy, 0);
        VERIFY_DIALOGS_TAKEN(rig.h.dialogs);
    }
};

QTEST_MAIN(FieldFamiliesTest)
#include "tst_fieldfamilies.moc"
