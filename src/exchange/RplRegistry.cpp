#include "exchange/RplRegistry.h"
#include "app/Unit_GlobalObjects.h"
#include "exchange/StrConst.h"
#include "exchange/WIEDataModule.h"

TImExternalToWorkstation::TImExternalToWorkstation(TAppInfo& info) : TImExternalToWorkstation(info, QStringList()) {}

TImExternalToWorkstation::TImExternalToWorkstation(TAppInfo& info, const QStringList& params)
    : TWstRplThread(info), m_params(TRegistryImportParams::FromList(params))
{
    m_host.OnLog = [this](const QString& m) { Log(m); };
    m_host.OnProgress = [this](int position, int maximum) {
        m_position = position;
        m_maximum = maximum;
        UpdateProgress();
    };
    m_host.OnCheckTerminated = [this] { CheckTerminated(); };
}

TImExternalToWorkstation::~TImExternalToWorkstation() = default;

void TImExternalToWorkstation::InitWindow()
{
    Window().SetTitle(QString::fromUtf8(RplText::RegistryImportTitle));
    Window().ClearLog();
}

void TImExternalToWorkstation::Run(bool wholeExecute)
{
    TRegistryImport import(DataModule().MainDb(), DataModule().Registry(), TRegistryLogin::Of(Info()), m_host, m_params);
    try {
        if (wholeExecute)
            import.Execute();
        else
            import.ImportAll();
    } catch (...) {
        m_count = import.Count();
        throw;
    }
    m_count = import.Count();
}

void TImExternalToWorkstation::Execute()
{
    Run(true);
    m_result = TRplWindow::ResultOK;
}

void TImExternalToWorkstation::ImportAll()
{
    try {
        Run(false);
    } catch (...) {
        DataModule().Disconnect();
        throw;
    }
    DataModule().Disconnect();
}

bool ImportOnePatient(const QString& paspor)
{
    try {
        auto op = TRplThread::Create<TImExternalToWorkstation>(true, *AppInfo(), QStringList{paspor, "1"});
        op->ImportAll();
        return true;
    } catch (const std::exception& e) {
        ShowExceptionMessage(e);
        return false;
    }
}
