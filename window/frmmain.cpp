#include "window/frmmain.h"

#include "canvas/vellum.h"
#include "store/form1.h"
#include "store/screenfit.h"
#include "window/appicon.h"
#include "window/platform.h"

#include <QCloseEvent>

#include <cmath>

frmMain::frmMain(Platform *platform)
    : mPlatform(platform)
{
    if (!mPlatform) {
        mOwnedPlatform = std::make_unique<Platform>();
        mPlatform = mOwnedPlatform.get();
    }
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Platform::title());
    setWindowIcon(ambrookIcon());
    buildControls();
    // The canvas's own messages (a file it could not read or write) go to the user.
    Vellum->setMessageHandler([this](const QString &text) { mPlatform->message(text); });
    resize(1280, 800);
    fitOnScreen(*this);
}

frmMain::~frmMain() = default;

Platform &frmMain::platform() const
{
    return *mPlatform;
}

int frmMain::twipsX(int twips) const
{
    return int(std::lround(twips * logicalDpiX() / 1440.0));
}

int frmMain::twipsY(int twips) const
{
    return int(std::lround(twips * logicalDpiY() / 1440.0));
}

QLineEdit *frmMain::textField(int n) const
{
    const std::array<QLineEdit *, 18> fields = {Text1,  Text2,  Text3,  Text4,  Text5,  Text6,
                                                Text7,  Text8,  Text9,  Text10, Text11, Text12,
                                                Text13, Text14, Text15, Text16, Text17, Text18};
    return n >= 1 && n <= 18 ? fields[size_t(n - 1)] : nullptr;
}

Form1 &frmMain::typeEditor()
{
    // A child of the main window, so it goes when the main window goes.
    if (!mForm1)
        mForm1 = new Form1(*this, this);
    return *mForm1;
}

void frmMain::showMainWindow()
{
    show();
    raise();
    activateWindow();
}

bool frmMain::closeForGood()
{
    if (mForm1)
        mForm1->close();
    mQuitting = true;
    const bool closed = close();
    if (!closed)
        mQuitting = false;
    return closed;
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Only the quit button ends the program: it is the one way that saves the work.
    if (mQuitting)
        event->accept();
    else
        event->ignore();
}
