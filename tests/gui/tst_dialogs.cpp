// The real message boxes: which answer Enter takes.
#include "app/WidgetDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using tess::WidgetDialogs;

class DialogsTest : public QObject {
    Q_OBJECT

    // Runs `ask` and reads the open box's default button, then presses
    // Enter on it; the answer must be that button's.
    template <typename Ask>
    QMessageBox::StandardButton defaultOf(Ask ask, bool *answer)
    {
        QMessageBox::StandardButton found = QMessageBox::NoButton;
        QTimer::singleShot(0, this, [&found] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (box->defaultButton())
                found = box->standardButton(box->defaultButton());
            QTest::keyClick(box, Qt::Key_Return);
        });
        *answer = ask();
        return found;
    }

private slots:
    // clang-format off
    void questionsDefaultToTheirSafeAnswer_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("yesByDefault");

        QTest::newRow("exit") << "VKS - Tessaline :Confirm Exit" << "Are you sure you want to exit this application?"
                              << false;
        QTest::newRow("factory reset") << "Tessaline - Factory Reset Verification"
                                       << "Resetting the Quorex(s) will reset settings to default values. Are you "
                                          "sure you want to reset the Quorex(s)?"
                                       << false;
        QTest::newRow("seam gains") << "Tessaline - Reset Seam Gain Verification"
                                    << "Resetting Seam Gains will reset all seam gain values back to 128 for the "
                                       "current channel. Are you sure you want to reset the Seam Gains?"
                                    << false;
        QTest::newRow("read error") << "VKS - Tessaline :Error reading from Quorex(s)"
                                    << "Tessaline unable to read Input Status on Screen 1. Do you still wish to "
                                       "continue? Click Yes to continue (NOTE: Tessaline settings on Screen 1 will "
                                       "be invalid)"
                                    << false;
        QTest::newRow("one unit of two")
            << "VKS - Tessaline :Establish COM port communication with Quorex(s)"
            << "Quorex total # of projectors settings indicate that 2 Quorexs are required.To access 2 Quorexs, "
               "Tessaline requires the use of an VKS Controller.\nDo you wish to continue and control only Quorex #1?"
            << false;
        QTest::newRow("search at start")
            << "VKS - Tessaline :Establish COM port communication with Quorex(s)"
            << "Tessaline requires connection to Quorex(s) to function. Do you currently have Quorex(s) connected to "
               "the PC/laptop? Click Yes and Tessaline will search for Quorex(s)."
            << true;
        QTest::newRow("read after connecting")
            << "Tessaline - Query Quorex settings verification"
            << "Serial communication established. Do you wish to query the Quorex's settings and update the "
               "Tessaline?"
            << true;
    }
    // clang-format on
    void questionsDefaultToTheirSafeAnswer()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(bool, yesByDefault);
        WidgetDialogs dialogs;
        bool answer = !yesByDefault;
        const auto button = defaultOf([&] { return dialogs.askYesNo(caption, text); }, &answer);
        QCOMPARE(button, yesByDefault ? QMessageBox::Yes : QMessageBox::No);
        QCOMPARE(answer, yesByDefault);
    }

    void retryIsTheDefaultOfTheLineQuestion()
    {
        WidgetDialogs dialogs;
        bool answer = false;
        const auto button = defaultOf(
            [&] {
                return dialogs.askOkCancel(QStringLiteral("COM Port error"),
                                           QStringLiteral("Error! COM Port communication with Quorex has failed."));
            },
            &answer);
        QCOMPARE(button, QMessageBox::Ok);
        QVERIFY(answer);
    }
};

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
