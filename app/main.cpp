// tessarin [FILE]: the window, showing FILE's report when one is given.
#include "main_window.h"
#include "program_info.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(tessarin::ProgramTitle());
    QApplication::setApplicationVersion(tessarin::ProgramVersion());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tessarin/tessarin-128.png")));

    QCommandLineParser line;
    line.setApplicationDescription(tessarin::ProgramDescription());
    line.addHelpOption();
    line.addVersionOption();
    line.addPositionalArgument(QStringLiteral("file"), QStringLiteral("An .edd file or a raw binary EDID to show."),
                               QStringLiteral("[FILE]"));
    line.process(application);

    tessarin::frmMain window;
    window.StartUp();
    window.show();
    if (!line.positionalArguments().isEmpty()) {
        const QString file = line.positionalArguments().first();
        // Once the window has its size: the report's lines depend on it.
        QTimer::singleShot(0, &window, [&window, file] {
            QString why;
            if (!window.LoadEdidFile(file, &why))
                std::fprintf(stderr, "tessarin: %s: %s\n", qUtf8Printable(file), qUtf8Printable(why));
        });
    }
    return QApplication::exec();
}
