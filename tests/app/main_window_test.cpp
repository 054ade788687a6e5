// The window as a user meets it: start-up, loading from the menu, the command
// line's road and a drop, refusals, the tree, the clipboard, saving.
#include "file_dialogs.h"
#include "logo_strip.h"
#include "main_window.h"
#include "report_pane.h"
#include "rtf_range.h"
#include "rtf_reader.h"
#include "section_tree_widget.h"

#include "app_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <QSettings>
#include <QUrl>
#include <QDir>

#include <gtest/gtest.h>

namespace tessarin::test {
namespace {

// Answers a file dialog with `file`. Typed into the name field: selectFile()
// leaves the field alone once it has the focus.
void Choose(QFileDialog* dialog, const fs::path& file)
{
    const QString name = QString::fromStdString(file.string());
    dialog->selectFile(name);
    if (auto* field = dialog->findChild<QLineEdit*>("fileNameEdit"))
        field->setText(name);
    static_cast<QDialog*>(dialog)->accept();
}

class Window : public ShownWindow {
protected:
    // Without the logo's object mark.
    QString PaneText() { return window_.RichTextBox()->toPlainText().remove(QChar::ObjectReplacementCharacter); }
    fs::path Edd(const std::string& name, std::vector<std::uint8_t> edid = TestEdid())
    {
        return WriteEdd(folder_ / name, edid);
    }
    bool Load(const fs::path& file) { return window_.LoadEdidFile(QString::fromStdString(file.string())); }
};

TEST_F(Window, StartsWithTheSystemLinesAndNoReport)
{
    // No device component here: both entries hidden, the store's entry in its place.
    const QList<QAction*> read = window_.menuBar()->actions()[2]->menu()->actions();
    ASSERT_EQ(read.size(), 3);
    EXPECT_EQ(read[0]->objectName(), "mnuRegistry");
    EXPECT_FALSE(Action("mnuQorinDrive")->isVisible());
    EXPECT_FALSE(Action("mnuQorinLite")->isVisible());

    EXPECT_TRUE(window_.findChild<QLabel*>("lblOS")->text().endsWith("-bit"));
    EXPECT_TRUE(window_.findChild<QLabel*>("lblMemory")->text().startsWith("Total Memory = "));

    EXPECT_EQ(PaneText(), "");
    EXPECT_EQ(window_.TreeView1()->topLevelItemCount(), 0);
    EXPECT_TRUE(window_.CurrentEDID().empty());
    // Nothing to save or print before a report is shown: it would be a blank document.
    for (const char* name : {"mnuSaveEDD", "mnuSave", "mnuPrint"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_EQ(window_.StatusMessage(), "");
}

TEST_F(Window, CtrlQClosesTheWindow)
{
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    QTest::keyClick(&window_, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window_.isVisible());
}

TEST(LogoStrip, TakesThePalettesColoursOnATransparentGroundAtTheScreensScale)
{
    for (const QColor text : {QColor(Qt::black), QColor(Qt::white)}) {
        QPalette palette;
        palette.setColor(QPalette::WindowText, text);
        const QImage strip = LogoStrip(palette, 2.0).toImage();
        ASSERT_EQ(strip.size(), QSize(600, 142));
        EXPECT_EQ(strip.pixelColor(2, 2).alpha(), 0); // no box around the logo
        // "Tessarin" is drawn in the text colour: the strongest pixel of its area has it.
        int strongest = 0;
        QColor found;
        for (int y = 20; y < 80; ++y)
            for (int x = 170; x < 420; ++x)
                if (strip.pixelColor(x, y).alpha() > strongest) {
                    strongest = strip.pixelColor(x, y).alpha();
                    found = strip.pixelColor(x, y);
                }
        EXPECT_EQ(strongest, 255);
        EXPECT_EQ(found.rgb(), text.rgb());
    }

    // The report's logo in the pane: its white ground goes, the white inside a
    // closed shape stays.
    QImage logo(5, 5, QImage::Format_RGB32);
    logo.fill(Qt::white);
    for (int i = 1; i < 4; ++i)
        logo.setPixel(i, 1, 0), logo.setPixel(i, 3, 0), logo.setPixel(1, i, 0), logo.setPixel(3, i, 0);
    const QImage shown = WithoutWhiteGround(logo);
    EXPECT_EQ(shown.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(shown.pixelColor(4, 2).alpha(), 0);
    EXPECT_EQ(shown.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(shown.pixelColor(1, 1), QColor(Qt::black));
}

TEST(WindowWait, KeepsTheInterfaceAliveForItsPause)
{
    bool ran = false;
    QTimer::singleShot(5, [&] { ran = true; });
    QElapsedTimer clock;
    clock.start();
    frmMain::Wait(60);
    EXPECT_GE(clock.elapsed(), 60);
    EXPECT_TRUE(ran);
}

TEST_F(Window, TreeAndPaneSitAsTheFormHadThemAndTabReachesBoth)
{
    const double twips = window_.logicalDpiX() / 1440.0;
    QWidget* tree = window_.TreeView1();
    QWidget* pane = window_.RichTextBox();
    QWidget* logo = window_.findChild<QLabel*>("PicLogo");
    EXPECT_EQ(tree->width(), qRound(4275 * twips));
    EXPECT_EQ(pane->x(), tree->width());
    EXPECT_EQ(pane->width(), window_.centralWidget()->width() - qRound(200 * twips) - tree->width());
    EXPECT_EQ(logo->geometry().bottomLeft(), QPoint(0, window_.centralWidget()->height() - 1));
    EXPECT_EQ(tree->geometry().bottom() + 1 + qRound(100 * window_.logicalDpiY() / 1440.0), logo->y());
    window_.resize(window_.width() + 150, window_.height() + 40);
    QApplication::processEvents();
    EXPECT_EQ(tree->width(), qRound(4275 * twips));
    EXPECT_EQ(pane->width(), window_.centralWidget()->width() - qRound(200 * twips) - tree->width());

    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), pane);
}

TEST_F(Window, LoadingAnEddFromTheMenuShowsTheReportAndTheTree)
{
    const fs::path edd = Edd("monitor.edd");
    bool asked = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        asked = true;
        Choose(dialog, edd);
    });
    Action("mnuLoadEDD")->trigger();
    ASSERT_TRUE(asked);

    EXPECT_EQ(window_.CurrentEDID(), TestEdid());
    EXPECT_EQ(window_.TreeView1()->topLevelItemCount(), 2);
    // The pane shows exactly what the document reads as.
    EXPECT_EQ(PaneText().toStdString() + "\n",
              ReadRtf(window_.ReportDocument() + "}").PlainText());
    for (const char* name : {"mnuSaveEDD", "mnuSave", "mnuPrint"})
        EXPECT_TRUE(Action(name)->isEnabled()) << name;

    // Cancelling the dialog changes nothing.
    const std::string shown = window_.ReportDocument();
    WhenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    Action("mnuLoadEDD")->trigger();
    EXPECT_EQ(window_.ReportDocument(), shown);
}

TEST_F(Window, ARefusedFileLeavesTheReportAndTheBytesHeld)
{
    const auto shownEdid = TestEdid();
    ASSERT_TRUE(Load(Edd("good.edd", shownEdid)));
    const std::string shown = window_.ReportDocument();
    const int nodes = window_.TreeView1()->topLevelItem(0)->childCount();

    auto noManufacturer = TestEdid("CPQ-227CE6ADB604.bin");
    noManufacturer[8] = 0;
    auto noHeader = TestEdid("CPQ-227CE6ADB604.bin");
    noHeader[1] = 0x12;
    WriteText(folder_ / "bad-token.edd", "EDID DATA\r\n-----------\r\n 00: 00 FF FF FF FF FF FF 00 G1\r\n");
    WriteText(folder_ / "not-an-edid.txt", "hello\n");
    for (const fs::path& file : {Edd("byte8.edd", noManufacturer), Edd("byte1.edd", noHeader),
                                 folder_ / "bad-token.edd", folder_ / "not-an-edid.txt", folder_ / "missing.edd",
                                 folder_.Path(), fs::path("/dev/zero")}) {
        QString why;
        EXPECT_FALSE(window_.LoadEdidFile(QString::fromStdString(file.string()), &why)) << file;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(window_.ReportDocument(), shown) << file;
        EXPECT_EQ(window_.TreeView1()->topLevelItem(0)->childCount(), nodes);
        EXPECT_EQ(window_.CurrentEDID(), shownEdid) << file;
        // Said where the user looks, so the old report does not pass for the refused file.
        EXPECT_EQ(window_.StatusMessage(),
                  QString::fromStdString(file.filename().string()) + " was not loaded: " + why);
    }
    // A later save keeps what is on screen, not the refused file's zeros.
    const fs::path saved = folder_ / "saved.edd";
    ASSERT_TRUE(window_.SaveEdd(QString::fromStdString(saved.string())));
    std::vector<std::uint8_t> reloaded;
    ASSERT_TRUE(LoadDataFile(saved, reloaded));
    EXPECT_EQ(reloaded, shownEdid);
    // The next good load takes the message away.
    ASSERT_TRUE(Load(saved));
    EXPECT_EQ(window_.StatusMessage(), "");
}

TEST_F(Window, RawBinaryAndDroppedFilesGoTheSameRoad)
{
    ASSERT_TRUE(Load(fs::path(TESSARIN_TEST_DATA) / "CPQ-227CE6ADB604.bin"));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid("CPQ-227CE6ADB604.bin")); // 128 bytes, zero-padded
    EXPECT_EQ(window_.TreeView1()->topLevelItemCount(), 1);

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(Edd("dropped.edd").string()))});
    EXPECT_TRUE(DragAndDrop(window_, mime));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid());
    EXPECT_EQ(window_.TreeView1()->topLevelItemCount(), 2);

    // A refused drop says so.
    WriteText(folder_ / "empty.bin", "");
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder_ / "empty.bin").string()))});
    EXPECT_TRUE(DragAndDrop(window_, mime));
    EXPECT_TRUE(window_.StatusMessage().startsWith("empty.bin was not loaded: "));
    EXPECT_EQ(window_.CurrentEDID(), TestEdid());

    // A drop anywhere, the report and the tree included, reaches the window.
    for (QWidget* over : {static_cast<QWidget*>(window_.RichTextBox()->viewport()),
                          static_cast<QWidget*>(window_.TreeView1()->viewport())}) {
        QWidget* target = over;
        while (target != nullptr && !target->acceptDrops())
            target = target->parentWidget();
        EXPECT_EQ(target, &window_) << over->parentWidget()->objectName().toStdString();
    }

    QMimeData text;
    text.setText("not a file");
    EXPECT_FALSE(DragAndDrop(window_, text));
}

// The display line at the top of the pane's viewport.
std::int32_t TopLine(ReportPane& pane)
{
    const int top = pane.cursorForPosition(QPoint(10, 2)).position();
    std::int32_t line = 0;
    while (pane.FirstCharOfLine(line + 1) >= 0 && pane.FirstCharOfLine(line + 1) <= top)
        ++line;
    return line;
}

// Where each node's title lands is checked for every node below; here the
// selection itself, the keyboard, and the next report.
TEST_F(Window, ANodeSelectsItsTitleLineAndAKeyMovesTheReportAsAClickDoes)
{
    ASSERT_TRUE(Load(Edd("monitor.edd")));
    ReportPane& pane = *window_.RichTextBox();
    SectionTreeWidget& tree = *window_.TreeView1();
    const auto click = [&](QTreeWidgetItem* node) {
        emit tree.NodeClicked(QString::fromStdString(SectionTreeWidget::Tag(*node)));
    };
    QTreeWidgetItem* section = tree.topLevelItem(0)->child(3);
    QTreeWidgetItem* next = tree.topLevelItem(0)->child(4);
    click(next);
    const std::int32_t clicked = pane.SelectionStart();
    tree.setCurrentItem(section);
    click(section);
    EXPECT_EQ(pane.textCursor().selectedText(), section->text(0) + ":" + QChar(QChar::ParagraphSeparator));
    tree.setFocus();
    QTest::keyClick(&tree, Qt::Key_Down);
    ASSERT_EQ(tree.currentItem(), next);
    EXPECT_EQ(pane.SelectionStart(), clicked);

    // The next report is shown from its start.
    ASSERT_GT(pane.verticalScrollBar()->value(), 0);
    ASSERT_TRUE(Load(Edd("again.edd")));
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0);
}

// Narrowing the window rewraps the report's lines after its tags were taken:
// a click must still bring its own section's title to the top.
TEST_F(Window, EveryNodeClickShowsItsTitleFirstAtAnyWidth)
{
    ASSERT_TRUE(Load(fs::path(TESSARIN_TEST_DATA) / "SNY-edid-decode-sony-kd55xd-hdmi.bin"));
    ReportPane& pane = *window_.RichTextBox();
    SectionTreeWidget& tree = *window_.TreeView1();
    tree.expandAll();
    std::vector<QTreeWidgetItem*> nodes;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        nodes.push_back(tree.topLevelItem(i));
        for (int k = 0; k < tree.topLevelItem(i)->childCount(); ++k)
            nodes.push_back(tree.topLevelItem(i)->child(k));
    }
    ASSERT_GT(nodes.size(), 15u);

    for (const QSize size : {window_.size(), QSize(640, 600)}) {
        window_.resize(size);
        QApplication::processEvents();
        int block = 0; // titles are found in the document's order
        for (QTreeWidgetItem* node : nodes) {
            const QString title = node->parent() != nullptr ? node->text(0) + ":"
                                  : node == tree.topLevelItem(0) ? QStringLiteral("EDID ( Extended Display")
                                                                 : QStringLiteral("EDID EXTENSION");
            while (block < pane.document()->blockCount() && !pane.document()->findBlockByNumber(block).text().startsWith(title))
                ++block;
            ASSERT_LT(block, pane.document()->blockCount()) << title.toStdString();
            // An extension's root shows the line above its centred title.
            const std::int32_t expected = pane.LinesOfParagraphs(node == tree.topLevelItem(1) ? block - 1 : block);

            tree.scrollToItem(node);
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, tree.visualItemRect(node).center());
            QTextCursor end(pane.document());
            end.movePosition(QTextCursor::End);
            if (!pane.viewport()->rect().contains(pane.cursorRect(end)))
                EXPECT_EQ(TopLine(pane), expected) << title.toStdString() << " at " << size.width();
            else // too near the end to reach the top: in view
                EXPECT_LE(TopLine(pane), expected) << title.toStdString() << " at " << size.width();
            EXPECT_EQ(pane.SelectionStart(), pane.FirstCharOfLine(expected));
        }
    }
}

TEST_F(Window, CopyPutsTheReportButItsLastLineAsRtfAndText)
{
    Action("mnuSelectAndCopy")->trigger();
    const QMimeData* empty = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(empty->text(), "");
    EXPECT_EQ(ReadRtf(empty->data("text/rtf").toStdString()).PlainText(), "\n");

    ASSERT_TRUE(Load(Edd("monitor.edd")));
    ReportPane& pane = *window_.RichTextBox();
    emit pane.customContextMenuRequested(QPoint(20, 20));
    auto* popup = window_.findChild<QMenu*>("mnuPopup");
    EXPECT_TRUE(popup->isVisible());
    popup->actions().first()->trigger();
    popup->close();

    const std::int32_t last = pane.FirstCharOfLine(pane.LineCount() - 1);
    EXPECT_EQ(pane.SelectionStart(), 0);
    EXPECT_EQ(pane.SelectionLength(), last);
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat("text/rtf"));
    const std::string text = copied->text().toStdString();
    const std::string shown = pane.Content().PlainText();
    // Every line but the trailing empty one, each ended.
    EXPECT_EQ(text, shown.substr(0, shown.size() - 1));
    const DocumentModel rtf = ReadRtf(copied->data("text/rtf").toStdString());
    EXPECT_EQ(PlainTextOf(rtf), text);
    EXPECT_EQ(rtf.pictures.size(), 1u); // the logo goes along

    // The keyboard's copy gives the same: RTF, and text without the logo's object mark.
    QGuiApplication::clipboard()->clear();
    pane.setFocus();
    QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* keyed = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(keyed->text().toStdString() == text);
    EXPECT_FALSE(keyed->text().contains(QChar::ObjectReplacementCharacter));
    EXPECT_TRUE(PlainTextOf(ReadRtf(keyed->data("text/rtf").toStdString())) == text);
}

TEST_F(Window, SavingReplacesTheFileWholeOrNotAtAll)
{
    const fs::path rtf = folder_ / "report.rtf";
    WriteText(rtf, "an older report");
    ASSERT_TRUE(Load(Edd("monitor.edd")));
    ASSERT_TRUE(window_.SaveReport(QString::fromStdString(rtf.string())));
    EXPECT_EQ(ReadText(rtf), window_.ReportDocument() + "}");

    // A target that cannot be replaced keeps its content; nothing is left behind.
    const fs::path blocked = folder_ / "blocked.rtf";
    fs::create_directory(blocked);
    EXPECT_FALSE(window_.SaveReport(QString::fromStdString(blocked.string())));
    EXPECT_FALSE(window_.SaveEdd(QString::fromStdString(blocked.string())));
    EXPECT_TRUE(fs::is_directory(blocked));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_.Path()), fs::directory_iterator()), 3);

    // Through the menu: the dialog's texts and proposal, the extension added
    // to a bare name, Qt's question before the file is replaced.
    bool replaceAsked = false;
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->selectedFiles().first().endsWith("/2436.rtf")); // the monitor's name
        WriteText(rtf, "older again");
        WhenModal([&](QWidget* question) {
            replaceAsked = qobject_cast<QMessageBox*>(question) != nullptr;
            ASSERT_TRUE(replaceAsked);
            qobject_cast<QMessageBox*>(question)->button(QMessageBox::Yes)->click();
        });
        Choose(dialog, folder_ / "report");
    });
    Action("mnuSave")->trigger();
    EXPECT_TRUE(replaceAsked);
    EXPECT_EQ(ReadText(rtf), window_.ReportDocument() + "}");

    // The next dialog starts where the last one ended; the ".edd" save
    // proposes the name of the file the report came from.
    WhenModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().absolutePath().toStdString(), fs::canonical(folder_.Path()).generic_string());
        EXPECT_TRUE(dialog->selectedFiles().first().endsWith("/monitor.edd"));
        Choose(dialog, folder_ / "copy");
    });
    Action("mnuSaveEDD")->trigger();
    std::vector<std::uint8_t> reloaded;
    ASSERT_TRUE(LoadDataFile(folder_ / "copy.edd", reloaded));
    EXPECT_EQ(reloaded, window_.CurrentEDID());

    // A raw EDID's own file is not proposed: an ".edd" save would turn it into text.
    ASSERT_TRUE(Load(fs::path(TESSARIN_TEST_DATA) / kExtendedEdid));
    WhenModal([&](QWidget* modal) {
        EXPECT_TRUE(qobject_cast<QFileDialog*>(modal)->selectedFiles().first().endsWith("/2436.edd"));
        qobject_cast<QDialog*>(modal)->reject();
    });
    Action("mnuSaveEDD")->trigger();
}

TEST(FileDialogs, TheFirstStartIsTheUsersFolderAndASaveIsNamedAfterTheMonitor)
{
    QSettings("tessarin", "tessarin").remove("dialogs/folder");
    EXPECT_NE(DialogStartFolder(), QCoreApplication::applicationDirPath());
    EXPECT_TRUE(DialogStartFolder().startsWith(QDir::homePath()));

    CEDIDParser parser;
    std::vector<std::uint8_t> edid = TestEdid();
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(edid));
    EXPECT_EQ(SuggestedFileName(parser), "2436");
    // The name descriptor (tag 0xFC) rewritten: characters no file name holds,
    // a leading dot that would hide the file.
    for (const auto& [name, expected] : {std::pair{"a/b:c*d", "a_b_c_d"}, std::pair{".hidden", "_hidden"}}) {
        for (std::size_t start : {54u, 72u, 90u, 108u})
            if (edid[start + 3] == 0xFC)
                std::copy_n(name, 7, edid.begin() + static_cast<std::ptrdiff_t>(start + 5));
        ASSERT_TRUE(parser.UpdateEDIDDataFromArray(edid));
        EXPECT_EQ(SuggestedFileName(parser), expected);
    }
    // Without a name: the manufacturer and the product IDs.
    for (std::size_t start : {54u, 72u, 90u, 108u})
        if (edid[start + 3] == 0xFC)
            edid[start + 3] = 0xFE;
    ASSERT_TRUE(parser.UpdateEDIDDataFromArray(edid));
    EXPECT_EQ(SuggestedFileName(parser).toStdString(), parser.ManufacturerID() + "-" + parser.IDProductId());
}

} // namespace
} // namespace tessarin::test
