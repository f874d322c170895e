#include "support/FormHarness.h"

#include <QFile>
#include <QTest>

namespace tess::test {

FormHarness::FormHarness(const std::optional<QByteArray> &preferences, SerialPort *port, Build when)
    : port_(port ? port : &noPorts)
{
    noPorts.existing.clear();
    if (preferences) {
        QFile file(preferencesFile());
        if (file.open(QIODevice::WriteOnly))
            file.write(*preferences);
    }
    if (when == Build::Now)
        build();
}

void FormHarness::build()
{
    form = std::make_unique<TTessalineForm>(FormServices{dialogs, clock, exit, startupDir.path(), port_});
}

FormHarness::~FormHarness()
{
    // No exit question while the window goes away with the test.
    form.reset();
}

QString FormHarness::preferencesFile() const
{
    return startupDir.filePath(QStringLiteral("Tessaline.ini"));
}

void FormHarness::showAnsweringNo()
{
    dialogs.answer(false);
    form->show();
    QCoreApplication::processEvents();
    const auto questions = dialogs.takeQuestions();
    QCOMPARE(questions.size(), 1);
    QCOMPARE(questions.first().caption,
             QStringLiteral("VKS - Tessaline :Establish COM port communication with Quorex(s)"));
    const QStringList notes = dialogs.takeMessages();
    QCOMPARE(notes.size(), 1);
    QVERIFY(notes.first().startsWith(QStringLiteral("When Quorex(s) are connected")));
}

}  // namespace tess::test
