#include "app/TTessalineForm.h"
#include "link/SerialPort.h"
#include "support/FileSizeLimit.h"
#include "support/FormHarness.h"
#include "support/StderrCapture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using tess::test::FileSizeLimit;
using tess::test::FormHarness;
using tess::test::StderrCapture;

namespace {

// A port that only records what the window does with it.
class RecordingPort final : public tess::SerialPort {
public:
    bool portExists(int) const override { return true; }
    void setPortNumber(int number) override { number_ = number; }
    int portNumber() const override { return number_; }
    OpenResult open() override
    {
        open_ = true;
        return {OpenResult::Kind::Opened, {}};
    }
    void close() override
    {
        open_ = false;
        ++closes;
    }
    bool isOpen() const override { return open_; }
    void setBaudRate(int baud) override { baud_ = baud; }
    int baudRate() const override { return baud_; }
    void setParity(Parity parity) override { parity_ = parity; }
    Parity parity() const override { return parity_; }
    void setHardwareFlowControl(bool on) override { flow_ = on; }
    bool hardwareFlowControl() const override { return flow_; }
    void write(const QByteArray &bytes) override { written += bytes; }
    qint64 outputFree() const override { return 4096; }
    void flushInput() override {}
    qint64 bytesAvailable() const override { return 0; }
    QByteArray read(qint64) override { return {}; }

    int closes = 0;
    QByteArray written;

private:
    int number_ = 1;
    bool open_ = true;
    int baud_ = 38400;
    Parity parity_ = Parity::None;
    bool flow_ = true;
};

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Restores the working directory a test changed.
struct WorkingDirectoryGuard {
    QString saved = QDir::currentPath();
    ~WorkingDirectoryGuard() { QDir::setCurrent(saved); }
};

const QString ExitCaption = QStringLiteral("VKS - Tessaline :Confirm Exit");
const QString ExitText = QStringLiteral("Are you sure you want to exit this application?");

}  // namespace

class ClosingTest : public QObject {
    Q_OBJECT
private slots:
    void noAtTheExitQuestionKeepsRunning_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("close button") << false;
        QTest::newRow("File > Exit") << true;
    }

    void noAtTheExitQuestionKeepsRunning()
    {
        QFETCH(bool, fromMenu);
        RecordingPort port;
        FormHarness h(QByteArray("40 12 80 3 1 2"), &port);
        h.showAnsweringNo();
        QSignalSpy closed(h.form.get(), &tess::TTessalineForm::closed);
        h.find<QLineEdit>("HorizontalOutEdit")->setText(QStringLiteral("55"));

        h.dialogs.answer(false);
        if (fromMenu)
            h.form->findChild<QAction *>(QStringLiteral("Exit1"))->trigger();
        else
            QVERIFY(!h.form->close());

        const auto questions = h.dialogs.takeQuestions();
        QCOMPARE(questions.size(), 1);
        QCOMPARE(questions[0].caption, ExitCaption);
        QCOMPARE(questions[0].text, ExitText);
        QVERIFY(h.form->isVisible());
        QCOMPARE(closed.size(), 0);
        QCOMPARE(fileBytes(h.preferencesFile()), QByteArray("40 12 80 3 1 2"));
        QCOMPARE(port.closes, 0);
        QVERIFY(h.clock.blockingPauses().isEmpty());
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void yesWritesThePreferencesAndEnds()
    {
        RecordingPort port;
        FormHarness h(QByteArray("40 12 80 3 1 2"), &port);
        h.showAnsweringNo();
        QSignalSpy closed(h.form.get(), &tess::TTessalineForm::closed);
        // The values in force when the user closes, whatever the first show made of them.
        h.find<QLineEdit>("HorizontalOutEdit")->setText(QStringLiteral("48.25"));
        h.find<QLineEdit>("VerticalOutEdit")->setText(QStringLiteral("12"));
        h.find<QLineEdit>("OWidthEdit")->setText(QStringLiteral("80"));
        h.find<QComboBox>("NumOfScreenComboBox")->setCurrentIndex(3);
        h.find<QComboBox>("ImageAlignComboBox")->setCurrentIndex(1);
        h.find<QComboBox>("ProjectorResComboBox")->setCurrentIndex(2);

        h.dialogs.answer(true);
        QVERIFY(h.form->close());

        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(h.preferencesFile()), QByteArray("48.250000 12.000000 80 3 1 2"));
        QVERIFY(!h.form->isVisible());
        QCOMPARE(h.clock.blockingPauses(), QList<int>{1000});
        QCOMPARE(port.closes, 1);
        QVERIFY(port.written.isEmpty());
        QCOMPARE(closed.size(), 1);
        QVERIFY(h.exit.codes.isEmpty());
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void preferencesGoToTheStartupDirectoryAfterAChdir()
    {
        WorkingDirectoryGuard guard;
        QTemporaryDir elsewhere;
        FormHarness h(QByteArray("40 12 80 3 1 2"));
        QVERIFY(QDir::setCurrent(elsewhere.path()));

        h.dialogs.answer(true);
        QVERIFY(h.form->close());
        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(h.preferencesFile()), QByteArray("40.000000 12.000000 80 3 1 2"));
        QVERIFY(!QFile::exists(QDir(elsewhere.path()).filePath(QStringLiteral("Tessaline.ini"))));
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    // clang-format off
    void aFieldWithoutANumberKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("horizontal letters") << "HorizontalOutEdit" << "abc";
        QTest::newRow("vertical empty") << "VerticalOutEdit" << "";
        QTest::newRow("overlap fraction") << "OWidthEdit" << "6.5";
    }
    // clang-format on

    void aFieldWithoutANumberKeepsTheOldFile()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        const QByteArray old("40 12 80 3 1 2");
        RecordingPort port;
        FormHarness h(old, &port);
        h.showAnsweringNo();
        h.form->findChild<QLineEdit *>(field)->setText(text);

        h.dialogs.answer(true);
        QVERIFY(h.form->close());
        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(h.preferencesFile()), old);
        // The rest of closing goes on.
        QVERIFY(!h.form->isVisible());
        QCOMPARE(port.closes, 1);
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    // A write the disk refuses (a full disk) leaves the old file whole and
    // says so on the standard error stream; closing goes on.
    void preferencesThatCannotBeWrittenKeepTheOldFile()
    {
        const QByteArray old("40 12 80 3 1 2");
        RecordingPort port;
        FormHarness h(old, &port);
        h.showAnsweringNo();
        StderrCapture err;
        QVERIFY(err.ok());
        h.dialogs.answer(true);
        {
            FileSizeLimit limit(0);
            QVERIFY(limit.ok());
            QVERIFY(h.form->close());
        }
        QCOMPARE(err.take(), QByteArray("Cannot open output file.\n"));
        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(h.preferencesFile()), old);
        QCOMPARE(QDir(h.startupDir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("Tessaline.ini")});
        QVERIFY(!h.form->isVisible());
        QCOMPARE(port.closes, 1);
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    // A link in the start folder where the preferences file goes is a file
    // that cannot be opened, at start and at exit: what it points at is
    // neither read nor written.
    void preferencesLinkIsNeitherReadNorWrittenThrough()
    {
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("notes.txt"));
        const QByteArray targetBytes("50 20 90 4 0 0");  // would be accepted if read
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(targetBytes);
        }
        RecordingPort port;
        FormHarness h(std::nullopt, &port, FormHarness::Build::Later);
        QVERIFY(QFile::link(target, h.preferencesFile()));

        StderrCapture atStart;
        QVERIFY(atStart.ok());
        h.build();
        QCOMPARE(atStart.take(), QByteArray("Cannot open output file.\n"));
        QVERIFY(!h.form->state().PreferencesLoaded);
        QCOMPARE(h.find<QLineEdit>("HorizontalOutEdit")->text(), QStringLiteral("30"));
        h.showAnsweringNo();

        StderrCapture atExit;
        QVERIFY(atExit.ok());
        h.dialogs.answer(true);
        QVERIFY(h.form->close());
        QCOMPARE(atExit.take(), QByteArray("Cannot open output file.\n"));
        QCOMPARE(h.dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(target), targetBytes);
        QVERIFY(QFileInfo(h.preferencesFile()).isSymLink());
        QCOMPARE(port.closes, 1);
        VERIFY_DIALOGS_TAKEN(h.dialogs);
    }

    void aLongStartupPathIsReadAndWritten()
    {
        QTemporaryDir root;
        QString deep = root.path();
        while (deep.size() < 300)
            deep += QStringLiteral("/a-rather-long-folder-name-for-a-projector-wall");
        QVERIFY(QDir().mkpath(deep));
        const QString path = QDir(deep).filePath(QStringLiteral("Tessaline.ini"));
        QVERIFY(path.size() > 249);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("40 12 80 3 1 2");
        }

        tess::test::ScriptedDialogs dialogs;
        tess::test::VirtualClock clock;
        tess::test::RecordedExit exit;
        tess::TTessalineForm form(tess::FormServices{dialogs, clock, exit, deep, nullptr});
        QVERIFY(form.state().PreferencesLoaded);
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("HorizontalOutEdit"))->text(), QStringLiteral("40"));

        form.findChild<QLineEdit *>(QStringLiteral("VerticalOutEdit"))->setText(QStringLiteral("13"));
        dialogs.answer(true);
        QVERIFY(form.close());
        QCOMPARE(dialogs.takeQuestions().size(), 1);
        QCOMPARE(fileBytes(path), QByteArray("40.000000 13.000000 80 3 1 2"));
        VERIFY_DIALOGS_TAKEN(dialogs);
    }
};

QTEST_MAIN(ClosingTest)
#include "tst_closing.moc"
