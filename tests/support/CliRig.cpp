#include "support/CliRig.h"

namespace tess::test {

CliRig::CliRig(const sim::Setup &setup) : sim(setup) {}

int CliRig::run(const QStringList &arguments)
{
    out.clear();
    err.clear();
    cli::Environment env{
        {[this](const QByteArray &bytes) { out += bytes; }, [this](const QByteArray &bytes) { err += bytes; },
         [this]() -> std::optional<QByteArray> {
             if (typed.isEmpty())
                 return std::nullopt;
             return typed.takeFirst();
         },
         errIsTerminal, true},
        clock,
        &port,
        &interrupt};
    return cli::run(QStringList{QStringLiteral("tessaline-cli")} + arguments, env);
}

QList<QByteArray> linesFrom(const QList<QByteArray> &lines, const QByteArray &from)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (from.isEmpty() || lines.at(i).contains(from))
            return lines.mid(i);
    }
    return {};
}

QList<QByteArray> CliRig::receivedFrom(const QByteArray &from) const
{
    return linesFrom(const_cast<sim::Simulator &>(sim).log().received(), from);
}

}  // namespace tess::test
