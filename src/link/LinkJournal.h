#pragma once

#include "link/Link.h"

#include <QByteArray>
#include <QObject>
#include <functional>

namespace tess {

class Journal;

// Writes the serial line into the journal: every line sent (with the unit
// it addresses), how every exchange ended (the reply's kind and length, or
// the time-out or the controller's error), and the connection coming and
// going. Only listens; the link runs as it would without it.
class LinkJournal final : public QObject {
    Q_OBJECT
public:
    // `unitOf` tells the unit (1 or 2) an RS-485 ID addresses, 0 for none.
    LinkJournal(Link &link, Journal &journal, std::function<int(int id)> unitOf);

private:
    void written(const QByteArray &bytes);
    void ended(Link::Ending ending);
    void connection(bool connected);
    void sendLine();

    Link &link_;
    Journal &journal_;
    std::function<int(int)> unitOf_;
    QByteArray pending_;  // a frame written in pieces, until its line end
};

}  // namespace tess
