#pragma once
// The window shown while the program starts: the logo, the title and the
// version. It has no behaviour of its own.
#include <QSplashScreen>

namespace tessarin {

class frmSplash final : public QSplashScreen {
    Q_OBJECT

public:
    frmSplash();
};

} // namespace tessarin
