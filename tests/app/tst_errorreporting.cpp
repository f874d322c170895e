#include "app/TessalineApplication.h"
#include "support/ScriptedDialogs.h"

#include <QTest>
#include <stdexcept>

namespace {

// Throws from its event handler, as a handler with an uncaught error does.
class Faulty final : public QObject {
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("'x7' is not a valid integer value");
        return QObject::event(event);
    }
};

}  // namespace

class ErrorReportingTest : public QObject {
    Q_OBJECT
private slots:
    void anEscapedErrorIsShownAndTheLoopGoesOn()
    {
        auto *app = qobject_cast<tess::TessalineApplication *>(QCoreApplication::instance());
        QVERIFY(app);
        tess::test::ScriptedDialogs dialogs;
        app->setErrorDialogs(&dialogs);
        Faulty faulty;
        QCoreApplication::postEvent(&faulty, new QEvent(QEvent::User));
        bool later = false;
        QMetaObject::invokeMethod(
            &faulty, [&later] { later = true; }, Qt::QueuedConnection);
        QCoreApplication::processEvents();
        QCOMPARE(dialogs.takeMessages(), QStringList{QStringLiteral("'x7' is not a valid integer value")});
        QVERIFY(later);
        app->setErrorDialogs(nullptr);
        VERIFY_DIALOGS_TAKEN(dialogs);
    }
};

int main(int argc, char **argv)
{
    tess::TessalineApplication app(argc, argv);
    ErrorReportingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorreporting.moc"
