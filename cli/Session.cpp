#include "cli/Session.h"

#include "cli/Interrupt.h"
#include "device/Commands.h"
#include "device/ReadAll.h"
#include "device/StatusQueries.h"
#include "link/DeviceSearch.h"
#include "link/Link.h"
#include "link/LinkJournal.h"
#include "link/PortMap.h"
#include "link/QtSerialPort.h"
#include "platform/Journal.h"
#include "platform/Clock.h"
#include "platform/JournalDialogs.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tess::cli {
namespace {

// How long the exchange in progress may take to end after Ctrl+C before
// the line is cut under it.
constexpr int GraceMs = 1000;

}  // namespace

Session::Session(Environment &env, const Options &options, Terminal &terminal, Journal *journal)
    : env_(env), options_(options), terminal_(terminal), dialogs_(terminal, options.answer)
{
    if (journal)
        journalDialogs_ = std::make_unique<JournalDialogs>(dialogs_, *journal);
    port_ = env.port;
    if (!port_) {
        ownPort_ = std::make_unique<QtSerialPort>();
        port_ = ownPort_.get();
    }
    link_ = std::make_unique<Link>(*port_, env.clock, boxes(), exit_, host_);
    search_ = std::make_unique<DeviceSearch>(*link_, host_);
    queries_ = std::make_unique<StatusQueries>(*link_, model_, host_);
    commands_ = std::make_unique<Commands>(*link_, model_, state_, host_, *queries_, refills_);
    readAll_ = std::make_unique<ReadAll>(*link_, *search_, *queries_, state_, host_, refills_, boxes());
    if (journal) {
        linkJournal_ = new LinkJournal(*link_, *journal, [this](int id) {
            for (int unit = 1; unit <= 2; ++unit) {
                if (host_.unitId(unit) == id)
                    return unit;
            }
            return 0;
        });
    }

    connect(link_.get(), &Link::written, this, &Session::lineWritten);
    connect(link_.get(), &Link::exchangeEnded, this, &Session::exchangeEnded);
    grace_ = env.clock.createTimer();
    connect(grace_.get(), &ClockTimer::timeout, this, &Session::cutLine);
    if (env.interrupt)
        connect(env.interrupt, &Interrupt::requested, this, &Session::onInterrupt);
    exit_.onExit = [this] { cutLine(); };
    host_.onUnitsDetected = [this](int count) {
        // The controller's count was one exchange; each unit read is nine.
        readTotal_ = (link_->ControllerMode ? 1 : 0) + 9 * (count == 2 ? 2 : 1);
    };
}

Session::~Session()
{
    // The port closes with its owner; a port handed in is closed here.
    if (link_ && port_->isOpen())
        link_->closePort();
}

Dialogs &Session::boxes()
{
    if (journalDialogs_)
        return *journalDialogs_;
    return dialogs_;
}

void Session::onInterrupt()
{
    if (interrupted_) {
        cutLine();  // a second Ctrl+C does not wait
        return;
    }
    interrupted_ = true;
    dialogs_.silence();
    terminal_.say(QStringLiteral("interrupted: ending the exchange in progress"));
    // Nothing on its way: the line is closed at once. Otherwise the
    // exchange in progress may end (and be accounted for), for a moment.
    if (!link_->exchangeWaiting())
        cutLine();
    else
        grace_->start(GraceMs);
}

void Session::cutLine()
{
    grace_->stop();
    if (port_->isOpen())
        link_->closePort();
}

bool Session::lineFailed() const
{
    return dialogs_.gaveUp() || exit_.requested || !port_->isOpen() || link_->lineLost();
}

QString Session::connectionText() const
{
    const int number = port_->portNumber();
    QString device = QStringLiteral("simulated");
    if (!env_.port) {
        // A port-map entry is a link: name what it points at too.
        device = PortMap::devicePath(number);
        const QFileInfo entry(device);
        if (entry.isSymLink())
            device += QStringLiteral(" \u2192 ") + entry.symLinkTarget();
    }
    return QStringLiteral("COM%1 (%2), %3")
        .arg(number)
        .arg(device)
        .arg(link_->ControllerMode ? QStringLiteral("through the VKS Controller") : QStringLiteral("directly"));
}

QString Session::notFoundText() const
{
    const QString where =
        options_.port ? QStringLiteral("COM%1").arg(*options_.port) : QStringLiteral("COM1 or COM2");
    QString text;
    if (!options_.controller)
        text = QStringLiteral("Neither a Quorex nor a VKS Controller answered on %1.").arg(where);
    else if (*options_.controller)
        text = QStringLiteral("No VKS Controller answered on %1.").arg(where);
    else
        text = QStringLiteral("No Quorex answered directly on %1.").arg(where);
    for (int number : {1, 2}) {
        if (options_.port && *options_.port != number)
            continue;
        const QString problem = port_->portProblem(number);
        if (!problem.isEmpty())
            text += u'\n' + problem;
        else if (!port_->portExists(number))
            text += QStringLiteral("\nCOM%1: there is no device %2.")
                        .arg(number)
                        .arg(env_.port ? QStringLiteral("for it") : PortMap::devicePath(number));
    }
    return text;
}

bool Session::findUnits()
{
    // Found units are read by the command that asked for them, not here;
    // and no planning stands in the way of the search.
    host_.projectors = 0;
    host_.projectorSelection = -1;
    if (!options_.port && !options_.controller) {
        search_->SearchAllClick();
        return link_->DeviceConnected && port_->isOpen() && !interrupted_;
    }
    const QList<bool> modes = options_.controller ? QList<bool>{*options_.controller} : QList<bool>{false, true};
    for (const bool controller : modes) {
        const Link::SearchScope scope(*link_);
        search_->RS485CheckBoxClick(controller);
        bool found = false;
        if (options_.port) {
            link_->PromptWaitTicks = 10;
            found = link_->TryPort(*options_.port);
            link_->PromptWaitTicks = Link::DefaultPromptWaitTicks;
            if (!found)
                link_->closePort();
        } else {
            found = search_->ConnectToPorts() == 1;
        }
        if (interrupted_)
            return false;
        if (found) {
            link_->SetDeviceConnected(true);
            if (controller)
                link_->SendAndWaitPrompt(QByteArrayLiteral("debug 0\r"));
            link_->ExchangeFailed = false;
            return port_->isOpen() && !interrupted_;
        }
    }
    link_->SetDeviceConnected(false);
    terminal_.say(notFoundText());
    return false;
}

bool Session::countUnits()
{
    if (!link_->ControllerMode) {
        state_.UnitCount = 1;
        return true;
    }
    state_.UnitCount = search_->CountUnits();
    return state_.UnitCount >= 1 && !interrupted_;
}

Session::ReadResult Session::read()
{
    const int skippedBefore = dialogs_.screensSkipped();
    reading_ = true;
    readDone_ = 0;
    readTotal_ = 0;
    const bool read = readAll_->ReadfromQuorexs1Click();
    reading_ = false;
    terminal_.endProgress();
    if (!read || interrupted_ || !port_->isOpen())
        return ReadResult::Failed;
    return dialogs_.screensSkipped() > skippedBefore ? ReadResult::NotWhole : ReadResult::Whole;
}

void Session::showProgress(int done, int total, int unit, const QString &what)
{
    const int width = int(QString::number(total).size());
    terminal_.progress(QStringLiteral("[%1/%2] unit %3: %4").arg(done, width).arg(total).arg(unit).arg(what));
}

void Session::lineWritten(const QByteArray &bytes)
{
    if (!reading_)
        return;
    // Which query went out, and to which unit.
    static const QRegularExpression query(QStringLiteral("(?:\\*(\\d+))?(SYINFOQX|IINFOQX|OINFOQX|NQX)\\s*(\\d?)"));
    const QRegularExpressionMatch m = query.match(QString::fromLatin1(bytes));
    if (!m.hasMatch())
        return;
    queryWaiting_ = true;
    const QString keyword = m.captured(2);
    if (keyword == QLatin1String("NQX")) {
        readUnit_ = 0;
        readStep_ = QStringLiteral("counting the units");
    } else {
        readUnit_ = 1;
        if (!m.captured(1).isEmpty() && host_.unitId(2) == m.captured(1).toInt()
            && host_.unitId(1) != host_.unitId(2))
            readUnit_ = 2;
        readStep_ = keyword == QLatin1String("SYINFOQX")  ? QStringLiteral("system information")
                    : keyword == QLatin1String("IINFOQX") ? QStringLiteral("input %1").arg(m.captured(3))
                                                          : QStringLiteral("output %1").arg(m.captured(3));
    }
    const int total = std::max(readTotal_, readDone_ + 1);
    if (readUnit_ == 0)
        terminal_.progress(QStringLiteral("[%1/%2] %3").arg(readDone_).arg(total).arg(readStep_));
    else
        showProgress(readDone_, total, readUnit_, readStep_);
}

void Session::exchangeEnded()
{
    if (interrupted_) {
        // The exchange in progress when Ctrl+C came has ended: nothing more
        // goes out.
        cutLine();
        return;
    }
    if (reading_ && queryWaiting_) {
        queryWaiting_ = false;
        ++readDone_;
    }
}

}  // namespace tess::cli

#include "moc_Session.cpp"
