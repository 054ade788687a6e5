// tessarin [FILE]: the window, showing FILE's report when one is given.
#include "logo_strip.h"
#include "main_window.h"
#include "program_info.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>

namespace {

struct Options {
    QCommandLineOption help;
    QCommandLineOption version;
};

Options Describe(QCommandLineParser& line)
{
    line.setApplicationDescription(tessarin::ProgramDescription().simplified());
    // Qt's own options are single-dash words (-style, -stylesheet): read as
    // letters, "-stylesheet" would hold -h.
    line.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    line.addPositionalArgument(QStringLiteral("file"), QStringLiteral("An .edd file or a raw binary EDID to show."),
                               QStringLiteral("[FILE]"));
    return {line.addHelpOption(), line.addVersionOption()};
}

} // namespace

int main(int argc, char* argv[])
{
    // As --version names the program.
    QCoreApplication::setApplicationName(QStringLiteral("tessarin"));
    QCoreApplication::setApplicationVersion(tessarin::ProgramVersion());
    {
        // --help and --version need no screen, yet a QApplication without a
        // display aborts: answer them before there is one.
        QCoreApplication plain(argc, argv);
        QCommandLineParser line;
        const Options options = Describe(line);
        line.parse(QCoreApplication::arguments()); // the window's own options (-style) are not known here
        if (line.isSet(QStringLiteral("help-all")))
            line.process(plain); // prints it and exits
        if (line.isSet(options.help))
            line.showHelp(0);
        if (line.isSet(options.version))
            line.showVersion();
    }

    QApplication application(argc, argv);
    // The user's cache folder (~/.cache/Tessarin) is named after it.
    QApplication::setApplicationName(tessarin::ProgramTitle());
    QApplication::setWindowIcon(tessarin::ProgramIcon());
    QCommandLineParser line;
    Describe(line);
    line.process(application);

    tessarin::frmMain window;
    window.StartUp();
    window.show();
    if (!line.positionalArguments().isEmpty()) {
        const QString file = line.positionalArguments().first();
        // Once the window has its size: the report's lines depend on it. A
        // refusal shows in the status bar as well.
        QTimer::singleShot(0, &window, [&window, file] {
            QString why;
            if (!window.LoadEdidFile(file, &why))
                std::fprintf(stderr, "tessarin: %s: %s\n", qUtf8Printable(file), qUtf8Printable(why));
        });
    }
    return QApplication::exec();
}
