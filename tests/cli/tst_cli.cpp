// tessaline-cli in-process, against simulated units in virtual time: its
// arguments and help, show and diff of files, reading into a file exactly
// what the window saves (and nothing unless the read was whole), bad input
// of every kind, the questions and their answers, Ctrl+C in the middle of
// an exchange, the progress line and the journal.
#include "app/Version.h"
#include "model/ConfigurationFile.h"
#include "model/SettingNames.h"
#include "support/CliRig.h"
#include "support/SendAllScenes.h"
#include "support/WindowRig.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

namespace {

const QString UnitsCommand = QStringLiteral("units");

// The wall the window's fixture gives its units: 3 projectors, centred,
// overlap 384.
void windowsWall(sim::Simulator &sim)
{
    for (int unit = 1; unit <= sim.unitCount(); ++unit) {
        sim.unit(unit).settings.wide.totalProjectors = 3;
        sim.unit(unit).settings.wide.justification = 1;
        sim.unit(unit).settings.wide.overlapWidth = 384;
    }
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Runs `what` once the simulator has received a line holding `text`.
void onceReceived(sim::Simulator &sim, const QByteArray &text, std::function<void()> what)
{
    auto done = std::make_shared<bool>(false);
    sim.log().listener = [text, what, done](const sim::LogEntry &entry) {
        if (!*done && entry.kind == sim::LogEntry::Kind::Received && entry.bytes.contains(text)) {
            *done = true;
            what();
        }
    };
}

}  // namespace

class CliTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString path(const char *name) const { return dir_.filePath(QLatin1String(name)); }

    // A file of `model`.
    QString file(const char *name, const SettingsModel &model) const
    {
        const QString at = path(name);
        if (WriteConfigurationFile(model, at) != ConfigurationFileResult::Done)
            qFatal("cannot write %s", qPrintable(at));
        return at;
    }

private slots:
    void usageErrorsSayWhatIsWrong_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("said");
        QTest::newRow("no command") << QStringList{} << "a command is missing";
        QTest::newRow("unknown command") << QStringList{"frobnicate"} << "\"frobnicate\" is not a command";
        QTest::newRow("unknown option") << QStringList{"ports", "--frob"} << "Unknown option 'frob'";
        QTest::newRow("send without a file") << QStringList{"send"} << "send takes one argument";
        QTest::newRow("diff with one side") << QStringList{"diff", "a.qxc"} << "diff takes two arguments";
        QTest::newRow("read with an argument") << QStringList{"read", "x.qxc"} << "read takes no arguments";
        QTest::newRow("a port that is none") << QStringList{"search", "--port", "COM3"} << "\"COM3\" is not a port";
        QTest::newRow("a mode that is none") << QStringList{"search", "--mode", "usb"} << "\"usb\" is not a mode";
        QTest::newRow("two answers") << QStringList{"search", "--yes", "--no"} << "give one of them";
        QTest::newRow("-o elsewhere") << QStringList{"show", "a.qxc", "-o", "b.qxc"} << "-o is for read only";
        QTest::newRow("help on no command") << QStringList{"help", "frobnicate"} << "\"frobnicate\" is not a command";
    }

    void usageErrorsSayWhatIsWrong()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, said);
        CliRig cli;
        QCOMPARE(cli.run(arguments), 2);
        QVERIFY2(cli.errText().startsWith(QLatin1String("tessaline-cli: ")) && cli.errText().contains(said),
                 qPrintable(cli.errText()));
        QVERIFY(cli.out.isEmpty());
        QVERIFY(cli.sim.log().received().isEmpty());
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("shown");
        QTest::newRow("--help") << QStringList{"--help"} << "Exit codes:\n  0    done";
        QTest::newRow("help send") << QStringList{"help", "send"} << "Usage: tessaline-cli send FILE";
        QTest::newRow("read --help") << QStringList{"read", "--help"} << "Usage: tessaline-cli read [-o FILE]";
        QTest::newRow("diff -h") << QStringList{"diff", "-h"} << "name: A \u2192 B";
        QTest::newRow("--version") << QStringList{"--version"}
                                   << QStringLiteral("tessaline-cli %1\n").arg(QLatin1String(ProgramVersion));
    }

    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, shown);
        CliRig cli;
        QCOMPARE(cli.run(arguments), 0);
        QVERIFY2(cli.outText().contains(shown), qPrintable(cli.outText()));
        QVERIFY(cli.err.isEmpty());
    }

    void showNamesEverySettingOfAFile()
    {
        SettingsModel model;
        model.projectorOutput(3).BlackLevel = 200;
        model.output(1, 1).FeatherCurve = 'L';
        const QString wall = file("shown.qxc", model);
        CliRig cli;
        QCOMPARE(cli.run({QStringLiteral("show"), wall}), 0);
        const QStringList lines = cli.outText().split(u'\n');
        QVERIFY(lines.contains(QStringLiteral("projector3.black-level = 200")));
        QVERIFY(lines.contains(QStringLiteral("unit1.feather-curve = linear")));
        QVERIFY(lines.contains(QStringLiteral("# Projector 3")));
        int named = 0;
        for (const QString &line : lines) {
            if (line.isEmpty() || line.startsWith(QLatin1String("# ")))
                continue;
            QVERIFY2(line.contains(QLatin1String(" = ")), qPrintable(line));
            ++named;
        }
        QCOMPARE(named, int(settingnames::describe(model).size()));

        QCOMPARE(cli.run({QStringLiteral("show"), wall, QStringLiteral("--json")}), 0);
        const QJsonObject json = QJsonDocument::fromJson(cli.out).object();
        QCOMPARE(json[QStringLiteral("source")].toString(), wall);
        const QJsonArray settings = json[QStringLiteral("settings")].toArray();
        QCOMPARE(settings.size(), named);
        bool found = false;
        for (const QJsonValue &s : settings) {
            if (s[QStringLiteral("name")].toString() == QLatin1String("projector3.black-level"))
                found = s[QStringLiteral("raw")].toInt() == 200 && s[QStringLiteral("value")].toString() == "200";
        }
        QVERIFY(found);
        QVERIFY(cli.sim.log().received().isEmpty());
    }

    void diffSaysOnlyWhatDiffers()
    {
        SettingsModel model;
        model.channelInput(2).ContrastC = 100;
        const QString a = file("a.qxc", model);
        CliRig cli;
        QCOMPARE(cli.run({QStringLiteral("diff"), a, a}), 0);
        QVERIFY(cli.out.isEmpty());

        model.channelInput(2).ContrastC = 102.5f;
        const QString b = file("b.qxc", model);
        QCOMPARE(cli.run({QStringLiteral("diff"), a, b}), 1);
        QCOMPARE(cli.outText(), QStringLiteral("channel2.contrast: 100 \u2192 102.5\n"));
        QCOMPARE(cli.run({QStringLiteral("diff"), a, b, QStringLiteral("--json")}), 1);
        const QJsonArray found = QJsonDocument::fromJson(cli.out).object()[QStringLiteral("differences")].toArray();
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0][QStringLiteral("b")].toString(), QStringLiteral("102.5"));

        // Bytes no setting names (record 0, padding) still make the files
        // differ, and say so.
        QByteArray image = ConfigurationFileImage(model);
        image[5] = 'x';
        const QString c = path("c.qxc");
        writeBytes(c, image);
        QCOMPARE(cli.run({QStringLiteral("diff"), b, c}), 1);
        QCOMPARE(cli.outText(), QStringLiteral("# 1 bytes that no setting names differ (records 0 or padding)\n"));
    }

    // A wall saved by the window, one field changed in the window as a
    // user changes it, saved again: diff names that one setting and only it.
    void diffShowsTheOneFieldChangedInTheWindow()
    {
        WindowRig window;
        window.sim.unit(1).settings.screens[1].blackLevel = 12;
        window.showAndConnect();
        window.h.dialogs.takeMessages();
        const QString before = path("window-before.qxc");
        window.h.dialogs.chooseFile(before);
        window.chooseMenu("SaveConfigurationtoFile1");

        window.openDisplaySetup();
        window.typeInto(window.find<QLineEdit>(QStringLiteral("Black2Edit")), QStringLiteral("40"));
        window.pressKey(Qt::Key_Tab);
        QCOMPARE(window.takeCommands(1), QList<QByteArray>{"BLKGN 2 40"});
        const QString after = path("window-after.qxc");
        window.h.dialogs.chooseFile(after);
        window.chooseMenu("SaveConfigurationtoFile1");
        VERIFY_DIALOGS_TAKEN(window.h.dialogs);

        CliRig cli;
        QCOMPARE(cli.run({QStringLiteral("diff"), before, before}), 0);
        QCOMPARE(cli.outText(), QString());
        QCOMPARE(cli.run({QStringLiteral("diff"), before, after}), 1);
        QCOMPARE(cli.outText(), QStringLiteral("projector2.black-level: 12 \u2192 40\n"));
    }

    // clang-format off
    void badFilesAreRefusedWithTheWindowsWords_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("said");
        const QString small = QStringLiteral("Error! File corrupted. File size invalid. (1719 bytes");
        const QString missing = QStringLiteral("Error! Unable to open Configuration file. Check if file exist? (there is no");
        const QString folder = QStringLiteral("Error! Unable to open Configuration file. Check if file exist? (it is a folder)");
        for (const char *command : {"send", "show", "diff"}) {
            QTest::addRow("%s a file one byte short", command) << command << "short.qxc" << small;
            QTest::addRow("%s a missing file", command) << command << "missing.qxc" << missing;
            QTest::addRow("%s a folder", command) << command << "folder.qxc" << folder;
        }
    }
    // clang-format on

    void badFilesAreRefusedWithTheWindowsWords()
    {
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, said);
        writeBytes(path("short.qxc"), QByteArray(ConfigurationFileSize - 1, '\0'));
        QDir(dir_.path()).mkpath(QStringLiteral("folder.qxc"));
        const QString bad = dir_.filePath(name);
        CliRig cli;
        QStringList arguments{command, bad};
        if (command == QLatin1String("diff"))
            arguments << UnitsCommand;
        QCOMPARE(cli.run(arguments), 2);
        QVERIFY2(cli.errText().contains(bad + QStringLiteral(": ") + said), qPrintable(cli.errText()));
        // Refused before anything went out on the line.
        QVERIFY(cli.sim.log().received().isEmpty());
    }

    // A read writes the bytes the window's "Save Configuration to File"
    // writes after the same read.
    void readWritesWhatTheWindowSaves_data()
    {
        QTest::addColumn<bool>("controller");
        QTest::newRow("two units behind the controller") << true;
        QTest::newRow("one unit directly") << false;
    }

    void readWritesWhatTheWindowSaves()
    {
        QFETCH(bool, controller);
        const sim::Setup setup = controller ? sim::Setup::controller({5, 6}) : sim::Setup::direct();
        CliRig cli(setup);
        windowsWall(cli.sim);
        cli.sim.unit(1).settings.screens[2].blackLevel = 17;
        const QString read = path("cli-read.qxc");
        QCOMPARE(cli.run({QStringLiteral("read"), QStringLiteral("-o"), read}), 0);

        WindowRig window(setup);
        window.sim.unit(1).settings.screens[2].blackLevel = 17;
        window.showAndConnect();
        window.h.dialogs.takeMessages();
        const QString saved = path("window-saved.qxc");
        window.h.dialogs.chooseFile(saved);
        window.chooseMenu("SaveConfigurationtoFile1");
        VERIFY_DIALOGS_TAKEN(window.h.dialogs);

        QCOMPARE(contents(read).size(), ConfigurationFileSize);
        QCOMPARE(contents(read), contents(saved));

        // Without -o it shows what it read, versions included.
        QCOMPARE(cli.run({QStringLiteral("read")}), 0);
        QVERIFY(cli.outText().contains(QLatin1String("\nprojector3.black-level = 17\n")));
        QVERIFY(cli.outText().contains(QLatin1String("\nunit1.version = 2.40\n")));
    }

    // A screen that could not be read (the user may go on past it) or a
    // line that dies mid-read leaves the file as it was.
    // clang-format off
    void aReadThatIsNotWholeWritesNothing_data()
    {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<QByteArray>("at");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("said");
        QTest::newRow("screen not read, gone on past") << QStringList{"--yes"} << QByteArray("IINFOQX 3")
                                                       << "drop 1" << "the read was not whole";
        QTest::newRow("screen not read, stopped") << QStringList{} << QByteArray("IINFOQX 3") << "drop 1"
                                                  << "Quorex communication error! Please check Serial connections "
                                                     "and try again (-4)";
        QTest::newRow("the line dies") << QStringList{} << QByteArray("OINFOQX 2") << "vanish"
                                       << "nothing was written to";
    }
    // clang-format on

    void aReadThatIsNotWholeWritesNothing()
    {
        QFETCH(QStringList, answer);
        QFETCH(QByteArray, at);
        QFETCH(QString, fault);
        QFETCH(QString, said);
        const QString target = path("kept.qxc");
        writeBytes(target, "an older wall");
        CliRig cli;
        onceReceived(cli.sim, at, [&cli, fault] { cli.port.control(fault); });
        QCOMPARE(cli.run(QStringList{QStringLiteral("read"), QStringLiteral("-o"), target} + answer), 3);
        QVERIFY2(cli.errText().contains(said), qPrintable(cli.errText()));
        QCOMPARE(contents(target), QByteArray("an older wall"));
        QVERIFY(!QDir(dir_.path()).entryList().join(u' ').contains(QLatin1String("kept.qxc.")));  // no temporary left
    }

    // clang-format off
    void noUnitsNoPort_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QList<int>>("ports");
        QTest::addColumn<QString>("said");
        QTest::newRow("nothing answers") << QStringList{"search"} << QList<int>{} << "Quorex(s) not detected.";
        QTest::newRow("the port asked for is missing")
            << QStringList{"read", "--port", "COM2"} << QList<int>{1} << "COM2: there is no device";
        QTest::newRow("no controller on the port")
            << QStringList{"status", "--port", "COM1", "--mode", "direct"} << QList<int>{1, 2}
            << "No Quorex answered directly on COM1.";
    }
    // clang-format on

    void noUnitsNoPort()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QList<int>, ports);
        QFETCH(QString, said);
        CliRig cli;
        cli.port.setExistingPorts(ports);
        QCOMPARE(cli.run(arguments), 3);
        QVERIFY2(cli.errText().contains(said), qPrintable(cli.errText()));
        QVERIFY(cli.out.isEmpty());
    }

    void portsSaysWhatEachCanDo()
    {
        CliRig cli;
        cli.port.setExistingPorts({1, 2});
        cli.port.setOpenFailure(2, sim::SimSerialPort::OpenFailure::PermissionDenied);
        QCOMPARE(cli.run({QStringLiteral("ports")}), 0);
        QVERIFY2(cli.outText().contains(QLatin1String("COM1  (simulated)\n      can be opened\n")),
                 qPrintable(cli.outText()));
        QVERIFY(cli.outText().contains(QLatin1String("Note: COM Port #2 cannot be opened: permission")));
        cli.port.setExistingPorts({});
        QCOMPARE(cli.run({QStringLiteral("ports")}), 3);
        QVERIFY(cli.outText().contains(QLatin1String("does not exist")));
        // Nothing is sent to find out.
        QVERIFY(cli.sim.log().received().isEmpty());
    }

    void searchSaysWhatItFound()
    {
        CliRig cli;
        QCOMPARE(cli.run({QStringLiteral("search")}), 0);
        QCOMPARE(cli.outText(), QStringLiteral("port: COM1 (simulated)\nmode: controller\nunits: 2\nunit1.id: 5\n"
                                               "unit2.id: 6\n"));
        CliRig direct(sim::Setup::direct());
        QCOMPARE(direct.run({QStringLiteral("search")}), 0);
        QCOMPARE(direct.outText(), QStringLiteral("port: COM1 (simulated)\nmode: direct\nunits: 1\n"));
    }

    void statusShowsEveryScreen()
    {
        CliRig cli;
        windowsWall(cli.sim);
        QCOMPARE(cli.run({QStringLiteral("status")}), 0);
        const QString out = cli.outText();
        QVERIFY(
            out.startsWith(QLatin1String("QX: 2 (through the VKS Controller)\nUnit 1, RS-485 ID 5: Version : 2.40\n"
                                         "Unit 2, RS-485 ID 6: Version : 2.40\n")));
        QCOMPARE(out.count(QLatin1String("  Input Information: ")), 8);
        QVERIFY(out.contains(QLatin1String("    Justification       Center\n")));
        // The wall's three projectors, centred with an overlap of 384.
        QVERIFY(out.contains(QLatin1String("  Projector 1: 384 - 1664\n  Projector 2: 1280 - 2560\n")));
        QVERIFY(out.contains(QLatin1String("  Projector 4: N/A - N/A\n")));
    }

    // "Keep trying?": No by default; --yes tries again a few times, then
    // gives up, so a dead line always ends the run.
    void aDeadLineEndsTheRun_data()
    {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<int>("yes");
        QTest::newRow("the default") << QStringList{} << 0;
        QTest::newRow("--yes") << QStringList{"--yes"} << 3;
    }

    void aDeadLineEndsTheRun()
    {
        QFETCH(QStringList, answer);
        QFETCH(int, yes);
        SettingsModel model;
        model.output(1, 1).TotalProjectors = 3;
        const QString wall = file("dead.qxc", model);
        CliRig cli;
        onceReceived(cli.sim, "DDBL", [&cli] { cli.port.control(QStringLiteral("silence on")); });
        QCOMPARE(cli.run(QStringList{QStringLiteral("send"), wall} + answer), 3);
        const QString err = cli.errText();
        QCOMPARE(err.count(QLatin1String("Answered Yes (--yes)")), yes);
        QCOMPARE(err.count(QLatin1String("Answered No")), 1);
        QVERIFY2(err.contains(QLatin1String("the line failed: nothing more was sent.\n  Sent: ")), qPrintable(err));
        QVERIFY(err.contains(QLatin1String("Not sent: ")));
        // The line after the one that met the silence (whose answer was
        // already on its way) went out again and again, and nothing after.
        const QByteArray written = cli.port.written();
        const QList<QByteArray> frames = written.mid(written.indexOf("PASS *5DDBL")).split('\r');
        QList<QByteArray> sent;
        for (const QByteArray &frame : frames) {
            if (!frame.isEmpty())
                sent << frame;
        }
        QCOMPARE(sent.size(), 1 + 3 * (yes + 1));
        QVERIFY(sent.first().startsWith("PASS *5DDBL"));
        for (const QByteArray &frame : sent.mid(1))
            QVERIFY2(frame.startsWith("PASS *6DDBL"), frame.constData());
    }

    // A wall of more than four projectors to one unit directly: asked as
    // the window asks; No (the default, or typed) sends nothing.
    void aQuestionIsAskedOnlyWhenAllowed_data()
    {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<QList<QByteArray>>("typed");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("the default") << QStringList{} << QList<QByteArray>{} << 3;
        QTest::newRow("--yes") << QStringList{"--yes"} << QList<QByteArray>{} << 0;
        QTest::newRow("--ask, y typed") << QStringList{"--ask"} << QList<QByteArray>{"y"} << 0;
        QTest::newRow("--ask, nothing typed") << QStringList{"--ask"} << QList<QByteArray>{} << 3;
    }

    void aQuestionIsAskedOnlyWhenAllowed()
    {
        QFETCH(QStringList, answer);
        QFETCH(QList<QByteArray>, typed);
        QFETCH(int, exitCode);
        SettingsModel model;
        model.output(1, 1).TotalProjectors = 6;
        const QString wall = file("six.qxc", model);
        CliRig cli(sim::Setup::direct());
        cli.typed = typed;
        QCOMPARE(cli.run(QStringList{QStringLiteral("send"), wall} + answer), exitCode);
        QVERIFY(cli.errText().contains(QLatin1String("Do you wish to continue and control only Quorex #1?")));
        QCOMPARE(cli.sim.log().commands(1).contains("PRJ 0 6"), exitCode == 0);
        if (exitCode != 0)
            QVERIFY(cli.errText().contains(QLatin1String("nothing was sent")));
    }

    // Ctrl+C ends the exchange in progress and nothing goes out after it;
    // the run says what was and was not sent.
    void ctrlCEndsTheExchangeInProgress_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("at");
        QTest::newRow("send") << "send" << QByteArray("BLKGN 3");
        QTest::newRow("read") << "read" << QByteArray("OINFOQX 1");
    }

    void ctrlCEndsTheExchangeInProgress()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, at);
        SettingsModel model;
        model.output(1, 1).TotalProjectors = 8;
        const QString wall = file("ctrlc.qxc", model);
        const QString target = path("ctrlc-read.qxc");
        CliRig cli;
        onceReceived(cli.sim, at, [&cli] { cli.interrupt.request(); });
        const QStringList arguments = command == QLatin1String("send")
                                          ? QStringList{command, wall}
                                          : QStringList{command, QStringLiteral("-o"), target};
        QCOMPARE(cli.run(arguments), 130);
        QCOMPARE(cli.receivedFrom(at).size(), 1);
        const QString err = cli.errText();
        QVERIFY(err.contains(QLatin1String("interrupted")));
        if (command == QLatin1String("send")) {
            QVERIFY2(err.contains(QLatin1String("Sent: "))
                         && err.contains(QLatin1String("(the last: unit 1, projector 3: black level)")),
                     qPrintable(err));
            QVERIFY(err.contains(QLatin1String("Not sent: "))
                    && err.contains(QLatin1String("from unit 1, projector 4: black level on.")));
        } else {
            QVERIFY(!QFile::exists(target));
        }
    }

    void progressOnlyOnATerminal_data()
    {
        QTest::addColumn<bool>("terminal");
        QTest::addColumn<bool>("quiet");
        QTest::newRow("terminal") << true << false;
        QTest::newRow("terminal, --quiet") << true << true;
        QTest::newRow("not a terminal") << false << false;
    }

    void progressOnlyOnATerminal()
    {
        QFETCH(bool, terminal);
        QFETCH(bool, quiet);
        SettingsModel model;
        model.output(1, 1).TotalProjectors = 3;
        const QString wall = file("progress.qxc", model);
        CliRig cli;
        cli.errIsTerminal = terminal;
        QStringList arguments{QStringLiteral("send"), wall};
        if (quiet)
            arguments << QStringLiteral("--quiet");
        QCOMPARE(cli.run(arguments), 0);
        const bool shown = terminal && !quiet;
        QCOMPARE(cli.errText().contains(QLatin1String("\r[")), shown);
        if (shown) {
            QVERIFY(cli.errText().contains(QLatin1String("unit 2: projector 6: black level\x1b[K")));
            // Cleared at the end, before the last note.
            QVERIFY(cli.errText().contains(QLatin1String("\r\x1b[Ktessaline-cli: sent ")));
        }
        QCOMPARE(cli.errText().contains(QLatin1String("tessaline-cli: sent")), !quiet);
    }

    void theJournalOfARun()
    {
        SettingsModel model;
        model.output(1, 1).TotalProjectors = 3;
        const QString wall = file("journal.qxc", model);
        const QString journal = path("run.journal");
        CliRig cli;
        QCOMPARE(cli.run({QStringLiteral("send"), wall, QStringLiteral("--journal"), journal}), 0);
        const QStringList lines = QString::fromUtf8(contents(journal)).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY(lines.first().startsWith(QLatin1String("0 start program=tessaline-cli version=")));
        QVERIFY(lines.first().endsWith(QLatin1String(" command=send port=search mode=search")));
        const QString text = lines.join(u'\n');
        QVERIFY(text.contains(QLatin1String(" file-opened \"") + QDir::toNativeSeparators(wall) + u'"'));
        QVERIFY(text.contains(QLatin1String(" connected port=COM1 ")));
        QVERIFY(text.contains(QLatin1String(" send unit=2 \"PASS *6PRJ 1 3!")));
        QVERIFY(lines.last().endsWith(QLatin1String(" end exit=0")));
        // A journal that cannot be written is said once; the run goes on.
        QCOMPARE(cli.run({QStringLiteral("send"), wall, QStringLiteral("--journal"), path("no/such/folder/j.log")}),
                 0);
        QCOMPARE(cli.errText().count(QLatin1String("cannot be written")), 1);
    }
};

QTEST_MAIN(CliTest)
#include "tst_cli.moc"
