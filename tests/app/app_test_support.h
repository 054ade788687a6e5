#pragma once
// What the window's tests share: real EDIDs, files made from them, and a way
// to answer a modal dialog.
#include "edd_file.h"
#include "edid_parser.h"
#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "test_files.h"

namespace tessarin::test {

namespace fs = std::filesystem;

// A real EDID with a CEA-861 extension: a long report, two tree roots.
inline const char* kExtendedEdid = "AOC-1C42FD9DA200.bin";

inline void WriteText(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

inline std::vector<std::uint8_t> TestEdid(const char* name = kExtendedEdid)
{
    std::vector<std::uint8_t> edid = ReadBytes(fs::path(TESSARIN_TEST_DATA) / name);
    edid.resize(CEDIDParser::EDIDSize, 0);
    return edid;
}

// `edid` as an ".edd" file.
inline fs::path WriteEdd(const fs::path& path, const std::vector<std::uint8_t>& edid)
{
    CEDIDParser parser;
    parser.UpdateEDIDDataFromArray(edid);
    WriteText(path, FormatDataFile(edid, parser, '.'));
    return path;
}

// A window for tests: no splash pause, and no device components unless a
// test gives it a folder of its own.
// The view's settings in a file of the test run's own, so the user's are
// never read or changed; the complete decode off unless a test turns it on,
// so the report shown is the standard one.
inline frmMain::Options TestOptions(bool completeDecode = false)
{
    frmMain::Options options;
    options.splashPause = std::chrono::milliseconds(0);
    options.devicesFolder = QStringLiteral("/nonexistent-tessarin-devices");
    const fs::path settings =
        fs::temp_directory_path() / ("tessarin-app-settings-" + std::to_string(QCoreApplication::applicationPid()) + ".ini");
    WriteText(settings, std::string("[View]\nCompleteDecode=") + (completeDecode ? "true" : "false") + "\n");
    options.settingsFile = QString::fromStdString(settings.string());
    return options;
}

// A folder of its own for each test, removed afterwards.
class TempFolder {
public:
    TempFolder()
        : path_(fs::temp_directory_path() /
                ("tessarin-app-" + std::to_string(QCoreApplication::applicationPid()) + "-" +
                 std::to_string(counter_++)))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& Path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

// The window started and shown, as a user first sees it, with a folder of
// the test's own for the files it writes.
class ShownWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window_.StartUp();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }
    QAction* Action(const char* name) { return window_.findChild<QAction*>(QLatin1String(name)); }

    TempFolder folder_;
    frmMain window_{TestOptions()};
};

// Drags `mime` over `window` and, when the drag is taken, drops it there.
inline bool DragAndDrop(QWidget& window, const QMimeData& mime)
{
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return true;
}

// Runs `answer` on the next modal window (a dialog or message box opened by
// the code under test) once it is up. Fails the test if none comes.
inline void WhenModal(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            answer(modal);
        } else if (clock->elapsed() > 10000) {
            timer->stop();
            ADD_FAILURE() << "no modal window came up";
        } else {
            return;
        }
        timer->deleteLater();
        delete clock;
    });
    timer->start();
}

} // namespace tessarin::test
