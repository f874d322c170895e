#pragma once

#include "wall/LightModel.h"

#include <QImage>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <memory>

class QCoreApplication;

namespace tess::sim {
class Simulator;
}

namespace tess::sim::wall {

// The virtual wall: what the simulated units would put on the screen, kept
// up to date while they serve the line. It looks at the units a few times a
// second and draws on a worker thread, so the line is never kept waiting.
class WallWindow : public QWidget {
    Q_OBJECT
public:
    explicit WallWindow(Simulator &sim, QWidget *parent = nullptr);
    ~WallWindow() override;

    // How often it looks at the units.
    static constexpr int PollMs = 200;
    // Looks now: starts a drawing when the wall or the window's size changed.
    void poll();
    // Whether a drawing is under way (tests wait for it to end).
    bool isDrawing() const { return drawing_; }
    const QImage &picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Simulator &sim_;
    QTimer timer_;
    QThreadPool pool_;
    Wall drawn_;
    QSize drawnSize_;
    QImage picture_;
    bool drawing_ = false;
};

// The application quorex-sim needs: widgets for --wall (offscreen for
// --png when no platform is chosen), else none.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

// Writes the wall and its profile as the units have it to a PNG file.
bool writePng(Simulator &sim, const QString &path, QString *error);

}  // namespace tess::sim::wall
