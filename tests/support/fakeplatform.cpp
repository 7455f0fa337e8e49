#include "support/fakeplatform.h"

bool FakePlatform::printWindow(QWidget &)
{
    if (!printerInstalled) {
        message(QStringLiteral("There is no printer installed, so the window cannot be "
                               "printed."));
        return false;
    }
    ++prints;
    return true;
}
