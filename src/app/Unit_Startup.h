#pragma once
// The start-up sequence: settings, aliases, locations, first-run checks, title, login, data
// module, main window. The windows reach it through hooks, so the sequence itself runs and
// is tested without a screen.
#include <functional>

class TAppInfo;
class TDM;

struct TStartupWindows {
    std::function<bool()> RunSettings;      // the settings window; true when confirmed
    std::function<bool()> RunScriptImport;  // first-run imports (unset: a failed import)
    std::function<bool()> RunServerImport;
    std::function<bool()> ShowLogin;        // true when the operator logged in
    std::function<void(TDM&)> RunMainWindow; // unset: the run ends after the login
    std::function<void()> CloseLogin;       // the login window's loading note goes away
    std::function<void()> SetTitle;         // the task bar's title
};

// Runs steps 2 to 8 on a settings object made by the caller (step 1). Returns the exit
// code: 0 after a normal end or a cancelled login, 1 after a check that stopped the program.
int RunStartup(TAppInfo& info, const TStartupWindows& windows);
