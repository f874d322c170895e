// "tessaline-cli send FILE" puts on the line exactly what the window sends
// after opening the same file: the same lines in the same order, with the
// same skips and stops, for walls of every kind and for damaged files.
// Both run in-process here against simulated units (virtual time); the
// e2e test tst_ptycli runs the built program on a terminal, where a read,
// a send of what was read and a second read give the same file.
#include "model/ConfigurationFile.h"
#include "support/CliRig.h"
#include "support/SendAllScenes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tess;
using namespace tess::test;

struct Wall {
    int units;  // 0: one unit directly; else that many behind the controller
    int projectors;
    QList<int> unlocked;
};
Q_DECLARE_METATYPE(Wall)

namespace {

sim::Setup setupOf(const Wall &wall)
{
    if (wall.units == 0)
        return sim::Setup::direct();
    return sim::Setup::controller(wall.units == 1 ? QList<int>{5} : QList<int>{5, 6});
}

constexpr int NoDamage = -1;

// The wall as a file, read from units that hold it, as an installer saves
// one; then damaged as asked.
QString wallFile(const QTemporaryDir &dir, const Wall &wall, int harm)
{
    CliRig reader(setupOf(wall));
    prepareWall(reader.sim, wall.projectors, wall.unlocked);
    const QString path = dir.filePath(QStringLiteral("wall.qxc"));
    if (reader.run({QStringLiteral("read"), QStringLiteral("-o"), path}) != 0)
        qFatal("reading the wall failed: %s", qPrintable(reader.errText()));
    if (harm != NoDamage) {
        SettingsModel model;
        ReadConfigurationFile(model, path);
        damage(model, Damage(harm));
        WriteConfigurationFile(model, path);
    }
    return path;
}

}  // namespace

class CliSendTest : public QObject {
    Q_OBJECT
private slots:
    void sendsWhatTheWindowSends_data()
    {
        QTest::addColumn<Wall>("wall");
        QTest::addColumn<int>("harm");
        QTest::addColumn<int>("exitCode");
        const Wall eight{2, 8, {}};
        const auto harm = [](Damage d) { return int(d); };
        QTest::newRow("3 projectors, direct") << Wall{0, 3, {}} << NoDamage << 0;
        QTest::newRow("6 projectors on two units") << Wall{2, 6, {}} << NoDamage << 0;
        QTest::newRow("8 projectors, channels 2 and 7 unlocked") << Wall{2, 8, {2, 7}} << NoDamage << 0;
        QTest::newRow("one unit behind the controller") << Wall{1, 3, {1}} << NoDamage << 0;
        QTest::newRow("test pattern past the list") << eight << harm(Damage::PatternPastList) << 0;
        QTest::newRow("widths beyond every bound") << eight << harm(Damage::WidthsBeyondBounds) << 0;
        QTest::newRow("contrast that is no number") << eight << harm(Damage::ContrastNaN) << 0;
        QTest::newRow("colours out of bounds") << eight << harm(Damage::ContrastOutOfBounds) << 0;
        QTest::newRow("no curve, no threshold") << eight << harm(Damage::UnitWideUnknown) << 0;
        QTest::newRow("basic gamma that is no number") << eight << harm(Damage::BasicGammaNaN) << 2;
        QTest::newRow("edge gamma infinite") << eight << harm(Damage::EdgeGammaInfinite) << 2;
        QTest::newRow("alignment past its list") << eight << harm(Damage::AlignmentPastList) << 2;
        QTest::newRow("projector count past its list") << eight << harm(Damage::CountPastList) << 2;
    }

    void sendsWhatTheWindowSends()
    {
        QFETCH(Wall, wall);
        QFETCH(int, harm);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString file = wallFile(dir, wall, harm);

        const WindowSend window = windowSendsFile(setupOf(wall), file);
        CliRig cli(setupOf(wall));
        const int code = cli.run({QStringLiteral("send"), file});

        QCOMPARE(code, exitCode);
        const QByteArray first = window.lines.isEmpty() ? QByteArray("PRJ") : window.lines.first();
        QCOMPARE(cli.receivedFrom(first), window.lines);
        if (exitCode == 0)
            QVERIFY(!window.lines.isEmpty());
        // The window's boxes are said on standard error, word for word.
        for (const QString &message : window.messages)
            QVERIFY2(cli.errText().contains(message), qPrintable(message + QStringLiteral(" | ") + cli.errText()));
    }
};

QTEST_MAIN(CliSendTest)
#include "tst_clisend.moc"
