// The settings dialog.
#include "app/OptionDlg.h"

#include "app/Main.h"

namespace app {

void ShowOptionDlg(TRorUruvodi& main)
{
    (void)main;
}

}  // namespace app
