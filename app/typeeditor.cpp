#include "app/frmmain.h"

#include "store/form1.h"

void frmMain::newtype_Click()
{
    hide();
    Form1 &editor = typeEditor();
    editor.show();
    editor.raise();
    editor.activateWindow();
}

void frmMain::showMainWindow()
{
    show();
    raise();
    activateWindow();
}

Form1 &frmMain::typeEditor()
{
    // A child of the main window, so it goes when the main window goes.
    if (!mForm1)
        mForm1 = new Form1(*this, this);
    return *mForm1;
}
