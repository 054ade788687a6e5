// Shows frmSelect over a fake DRM tree of four monitors on two cards and
// prints the index picked: a look at the dialog without any monitor.
#include "drm_monitor_store.h"
#include "fake_drm_tree.h"
#include "select_dialog.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    using tessarin::test::ReadBytes;
    tessarin::test::FakeDrmTree tree("demo");
    const std::string data = TESSARIN_TEST_DATA;
    tree.AddConnector("card0-eDP-1", ReadBytes(data + "/AOC-1C42FD9DA200.bin"), "disconnected");
    tree.AddConnector("card0-HDMI-A-1", ReadBytes(data + "/GSM-7045A2DA2452.bin"));
    tree.AddConnector("card0-DP-1", {}, "disconnected");
    tree.AddConnector("card1-DP-2", ReadBytes(data + "/DWE-BA7CED78EA62.bin"), "disconnected");
    tree.AddConnector("card1-DP-3", ReadBytes(data + "/SAM-0D66531D4F35.bin"));
    const tessarin::DrmMonitorStore store(tree.Root());
    std::printf("%d\n", tessarin::frmSelect::SelectMonitor(store, false));
    return 0;
}
