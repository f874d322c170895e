#include "core/Log.h"

namespace tess::sim {

void Log::add(qint64 ms, LogEntry::Kind kind, int unit, const QByteArray &bytes)
{
    entries_.append({ms, kind, unit, bytes});
    if (listener)
        listener(entries_.constLast());
}

QList<QByteArray> Log::of(LogEntry::Kind kind, int unit) const
{
    QList<QByteArray> out;
    for (const LogEntry &e : entries_) {
        if (e.kind == kind && (unit < 0 || e.unit == unit))
            out.append(e.bytes);
    }
    return out;
}

QString Log::escape(const QByteArray &bytes)
{
    QString out;
    for (char c : bytes) {
        const auto b = quint8(c);
        if (c == '\r')
            out += QStringLiteral("\\r");
        else if (c == '\n')
            out += QStringLiteral("\\n");
        else if (c == '\\')
            out += QStringLiteral("\\\\");
        else if (b >= 0x20 && b < 0x7f)
            out += QChar(b);
        else
            out += QStringLiteral("\\x%1").arg(b, 2, 16, QChar('0'));
    }
    return out;
}

QString Log::format(const LogEntry &e)
{
    static const char *const arrows[] = {"<-", "=>", "->", "!!"};
    const QString who = e.unit == 0 ? QStringLiteral("line  ") : QStringLiteral("unit %1").arg(e.unit);
    const QString text = e.kind == LogEntry::Kind::Note ? QString::fromUtf8(e.bytes) : escape(e.bytes);
    return QStringLiteral("%1.%2 %3 %4 %5")
        .arg(e.ms / 1000, 6)
        .arg(e.ms % 1000, 3, 10, QChar('0'))
        .arg(who, QString::fromLatin1(arrows[int(e.kind)]), text);
}

}  // namespace tess::sim
