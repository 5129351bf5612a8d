// The version box.
#include "app/About.h"

#include "app/Main.h"

namespace app {

void ShowAbout(TRorUruvodi& main)
{
    (void)main;
}

std::wstring VersionText(const std::wstring& programPath)
{
    (void)programPath;
    return L"Version 99.99.99";
}

}  // namespace app
