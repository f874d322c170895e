// The terminal view's font: "Terminal", 12 pixels high, where the system
// has a font of that name. The test gives the system one: a fontconfig
// setup of its own, made before the font database is, in which the
// system's monospaced font is known as "Terminal".
#include "pages/info/TerminalView.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace tess;

namespace {

// The font that stands in for "Terminal", as fontconfig names it.
const char *const StandIn = "DejaVu Sans Mono";

bool writeFontSetup(const QTemporaryDir &dir)
{
    QFile file(dir.filePath(QStringLiteral("fonts.conf")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <cachedir>%1</cachedir>
  <match target="scan">
    <test name="family"><string>%2</string></test>
    <edit name="family" mode="assign" binding="same"><string>Terminal</string></edit>
  </match>
</fontconfig>
)")
                   .arg(dir.filePath(QStringLiteral("cache")), QLatin1String(StandIn))
                   .toUtf8());
    return file.error() == QFileDevice::NoError;
}

}  // namespace

class TerminalFontTest : public QObject {
    Q_OBJECT
private slots:
    void terminalIsWrittenInTheTerminalFontWhereInstalled()
    {
        if (!QFontDatabase::families().contains(QStringLiteral("Terminal")))
            QSKIP("no font here can stand in for \"Terminal\" (DejaVu Sans Mono is not installed)");
        TerminalView view;
        QCOMPARE(view.font().family(), QStringLiteral("Terminal"));
        QCOMPARE(view.font().pixelSize(), 12);
        // The font really drawn with is that one, not a substitute.
        QCOMPARE(QFontInfo(view.font()).family(), QStringLiteral("Terminal"));
    }
};

int main(int argc, char **argv)
{
    QTemporaryDir fonts;
    if (fonts.isValid() && writeFontSetup(fonts))
        qputenv("FONTCONFIG_FILE", QFile::encodeName(fonts.filePath(QStringLiteral("fonts.conf"))));
    QApplication app(argc, argv);
    TerminalFontTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_terminalfont.moc"
