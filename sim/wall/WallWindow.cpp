#include "wall/WallWindow.h"

#include "core/Simulator.h"
#include "wall/WallPicture.h"
#include "wall/WallScene.h"

#include <QApplication>
#include <QPainter>

#include <cstring>

namespace tess::sim::wall {

WallWindow::WallWindow(Simulator &sim, QWidget *parent) : QWidget(parent), sim_(sim)
{
    setWindowTitle(QStringLiteral("quorex-sim: virtual wall"));
    setObjectName(QStringLiteral("WallWindow"));
    resize(1280, 720);
    pool_.setMaxThreadCount(1);
    timer_.setInterval(PollMs);
    connect(&timer_, &QTimer::timeout, this, &WallWindow::poll);
    timer_.start();
}

WallWindow::~WallWindow()
{
    timer_.stop();
    pool_.waitForDone();  // its answer is queued to us and dropped with us
}

void WallWindow::poll()
{
    if (drawing_)
        return;
    Wall now = wallOf(sim_);
    const QSize size = this->size();
    if (!picture_.isNull() && now == drawn_ && size == drawnSize_)
        return;
    drawn_ = now;
    drawnSize_ = size;
    drawing_ = true;
    pool_.start([this, now = std::move(now), size] {
        QImage image = wallPicture(now, size);
        QMetaObject::invokeMethod(
            this,
            [this, image = std::move(image)] {
                picture_ = image;
                drawing_ = false;
                update();
            },
            Qt::QueuedConnection);
    });
}

void WallWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (picture_.isNull()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawImage(rect(), picture_);
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    bool wall = false;
    bool png = false;
    for (int i = 1; i < argc; ++i) {
        wall = wall || std::strcmp(argv[i], "--wall") == 0;
        png = png || std::strcmp(argv[i], "--png") == 0 || std::strncmp(argv[i], "--png=", 6) == 0;
    }
    if (png && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (wall || png)
        return std::make_unique<QApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

bool writePng(Simulator &sim, const QString &path, QString *error)
{
    const QImage image = wallPicture(wallOf(sim), QSize(1600, 900));
    if (image.save(path, "PNG"))
        return true;
    *error = QStringLiteral("--png: cannot write %1").arg(path);
    return false;
}

}  // namespace tess::sim::wall

#include "moc_WallWindow.cpp"
