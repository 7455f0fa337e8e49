#include "features/features.h"

#include "window/frmmain.h"
#include "window/platform.h"

void Command3_Click(frmMain &form)
{
    form.platform().printWindow(form);
}
