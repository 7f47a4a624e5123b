#include "app/Unit_Startup.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "data/Unit_DataModule.h"
#include <memory>

int RunStartup(TAppInfo& info, const TStartupWindows& windows)
{
    info.Hooks.RunSettings = windows.RunSettings;
    info.Hooks.RunScriptImport = windows.RunScriptImport;
    info.Hooks.RunServerImport = windows.RunServerImport;
    try {
        info.CheckAliases();
        if (!info.CheckLocations())
            return 1;
    } catch (const std::exception& e) {
        // The settings file or the alias registry cannot be written.
        ShowExceptionMessage(e);
        return 1;
    }
    if (!info.CheckFirstRun())
        return 1;
    TDialogs::SetTitle(QString::fromUtf8(kAppTitle));
    if (windows.SetTitle)
        windows.SetTitle();

    if (!windows.ShowLogin || !windows.ShowLogin())
        return 0;

    std::unique_ptr<TDM> dm;
    try {
        dm = std::make_unique<TDM>(info);
    } catch (const std::exception& e) {
        if (windows.CloseLogin)
            windows.CloseLogin();
        ShowExceptionMessage(e);
        return 1;
    }
    if (windows.RunMainWindow)
        windows.RunMainWindow(*dm);
    else if (windows.CloseLogin)
        windows.CloseLogin();
    return 0;
}
