// velta: the workstation. Wires the windows into the start-up sequence.
#include "access/form_login.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "app/Unit_Startup.h"
#include "app/Widget_Application.h"
#include "app/Widget_DialogPresenter.h"
#include "ui/Replications.h"
#include "ui/Unit_RegistryEntries.h"
#include "ui/form_SetSettings.h"
#include "ui/form_explorer.h"
#include "ui/form_ScriningCard.h"
#include "ui/form_primary_inspection.h"
#include "ui/form_Reports.h"
#include <QLocale>
#include <memory>

namespace {
// The system's locale, except that a C/POSIX locale falls back to Russian.
void SetLocale()
{
    QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        system = QLocale(QLocale::Russian, QLocale::Russia);
    QLocale::setDefault(system);
}
}

int main(int argc, char** argv)
{
    TVeltaApplication app(argc, argv);
    SetLocale();
    InstallWidgetDialogs();
    RegisterPrimaryInspectionWindow();
    RegisterScriningCardWindow();
    RegisterExchangeEntries();
    RegisterRegistryEntries();
    RegisterReportWizard();

    std::unique_ptr<TAppInfo> info;
    try {
        info = std::make_unique<TAppInfo>(TFileLocations::For(QCoreApplication::applicationFilePath()));
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
        return 1;
    }
    SetAppInfo(info.get());

    std::unique_ptr<TLoginForm> login;
    TStartupWindows windows;
    windows.RunSettings = [] { return RunSettings(); };
    windows.RunScriptImport = [] { return RunScriptImport(); };
    windows.RunServerImport = [] { return RunServerImport(); };
    // The boxes carry the application title (the start-up gives it to the dialog seam). The
    // application display name is not set: the toolkit would append it to every window title.
    windows.SetTitle = [] { QGuiApplication::setDesktopFileName(QStringLiteral("velta")); };
    windows.ShowLogin = [&] {
        login = std::make_unique<TLoginForm>();
        return login->ShowLogin();
    };
    windows.CloseLogin = [&] { login.reset(); };
    windows.RunMainWindow = [&](TDM& dm) {
        TExplorerForm explorer(dm, *info);
        if (explorer.TerminationRequested()) {
            login.reset();
            return;
        }
        explorer.SetOnFirstShown([&] { login.reset(); });
        explorer.showMaximized();
        QApplication::exec();
    };
    const int code = RunStartup(*info, windows);
    login.reset();
    SetAppInfo(nullptr);
    return code;
}
