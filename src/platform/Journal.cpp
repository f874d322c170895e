#include "platform/Journal.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <cstdio>

namespace tess {

Journal::Journal(const QString &path, Clock &clock, Complaint complain)
    : path_(path), clock_(clock), complain_(std::move(complain)), file_(path), startMs_(clock.nowMs())
{
    if (!complain_) {
        complain_ = [](const QString &text) {
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            std::fflush(stderr);
        };
    }
    // Unbuffered: every line reaches the file as it is written.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        fail(file_.errorString());
}

Journal::~Journal() = default;

void Journal::fail(const QString &why)
{
    complain_(QStringLiteral("The journal %1 cannot be written (%2); it is off from here on.").arg(path_, why));
    file_.close();
}

void Journal::write(const QString &event, const QString &details)
{
    if (!file_.isOpen())
        return;
    QString line = QString::number(clock_.nowMs() - startMs_) + u' ' + event;
    if (!details.isEmpty())
        line += u' ' + details;
    line += u'\n';
    const QByteArray bytes = line.toUtf8();
    if (file_.write(bytes) != bytes.size())
        fail(file_.errorString());
}

void Journal::writeStart(const QString &program, const QString &version, const QString &details)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QString time = now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODateWithMs);
    QString text = QStringLiteral("program=%1 version=%2 time=%3").arg(program, version, time);
    if (!details.isEmpty())
        text += u' ' + details;
    write(QStringLiteral("start"), text);
}

QString Journal::quote(const QByteArray &bytes)
{
    QString out = QStringLiteral("\"");
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        default:
            if (b >= 0x20 && b < 0x7f)
                out += QChar(b);
            else
                out += QStringLiteral("\\x%1").arg(b, 2, 16, QChar(u'0'));
        }
    }
    return out + u'"';
}

}  // namespace tess
