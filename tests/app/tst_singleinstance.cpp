#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/TInfoForm.h"
#include "support/RecordedExit.h"
#include "support/ScriptedDialogs.h"
#include "support/VirtualClock.h"

#include <QDir>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using tess::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void theSecondInstanceIsRefusedAndAsksTheFirstToShow()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);

        SingleInstance second(dir.path());
        QVERIFY(!second.claim());
        QVERIFY(second.askRunningInstanceToShow());
        QTRY_COMPARE(shown.size(), 1);
    }

    void theLockIsFreeAgainWhenTheFirstEnds()
    {
        QTemporaryDir dir;
        {
            SingleInstance first(dir.path());
            QVERIFY(first.claim());
        }
        SingleInstance next(dir.path());
        QVERIFY(next.claim());
    }

    void aLockLeftByAProgramThatIsGoneIsTakenOver()
    {
        QTemporaryDir dir;
        // A lock as a crashed instance leaves it: written by this process,
        // then made to name a process that does not run.
        const QString lockPath = QDir(dir.path()).filePath(QStringLiteral("tessaline.lock"));
        {
            QLockFile crashed(lockPath);
            QVERIFY(crashed.tryLock(0));
            QFile file(lockPath);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QByteArray content = file.readAll();
            file.close();
            content.replace(0, content.indexOf('\n'), "2147483646");
            crashed.unlock();
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        QFile socket(QDir(dir.path()).filePath(QStringLiteral("tessaline.socket")));
        QVERIFY(socket.open(QIODevice::WriteOnly));
        socket.close();

        SingleInstance instance(dir.path());
        QVERIFY(instance.claim());
        QSignalSpy shown(&instance, &SingleInstance::showRequested);
        SingleInstance later(dir.path());
        QVERIFY(!later.claim());
        QVERIFY(later.askRunningInstanceToShow());
        QTRY_COMPARE(shown.size(), 1);
    }

    void startUpStopsWithTheMessageWhenAnotherRuns()
    {
        QTemporaryDir dir;
        SingleInstance running(dir.path());
        QVERIFY(running.claim());
        QSignalSpy shown(&running, &SingleInstance::showRequested);

        tess::test::ScriptedDialogs dialogs;
        tess::test::VirtualClock clock;
        tess::test::RecordedExit exit;
        QTemporaryDir workDir;
        tess::StartedProgram program =
            tess::startTessaline({dialogs, clock, exit, workDir.path(), nullptr, dir.path()});
        QVERIFY(!program.form);
        QCOMPARE(dialogs.takeMessages(),
                 QStringList{QStringLiteral(
                     "Error! Already have an instance of the Tessaline running. Exiting application.")});
        QCOMPARE(tess::runTessaline(program), 0);
        QTRY_COMPARE(shown.size(), 1);
        VERIFY_DIALOGS_TAKEN(dialogs);
    }

    void startUpBuildsTheWindowsWhenAlone()
    {
        QTemporaryDir dir;
        tess::test::ScriptedDialogs dialogs;
        tess::test::VirtualClock clock;
        tess::test::RecordedExit exit;
        QTemporaryDir workDir;
        tess::StartedProgram program =
            tess::startTessaline({dialogs, clock, exit, workDir.path(), nullptr, dir.path()});
        QVERIFY(program.form);
        QVERIFY(!program.form->isVisible());
        QCOMPARE(program.form->preferencesPath(), QDir(workDir.path()).filePath(QStringLiteral("Tessaline.ini")));
        QVERIFY(!program.form->infoForm().isVisible());
        QVERIFY(!QApplication::windowIcon().isNull());

        // A later start brings the window to the front.
        program.form->show();
        program.form->showMinimized();
        dialogs.answer(false);
        QCoreApplication::processEvents();
        dialogs.takeQuestions();
        dialogs.takeMessages();
        SingleInstance later(dir.path());
        QVERIFY(!later.claim());
        QVERIFY(later.askRunningInstanceToShow());
        QTRY_VERIFY(!program.form->isMinimized());
        VERIFY_DIALOGS_TAKEN(dialogs);
    }
};

QTEST_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
