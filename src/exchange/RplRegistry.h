#pragma once
// The exchange operation that takes patients over from the polyclinic's registry, for the
// whole registry or for one key (the body is TRegistryImport). ImportOnePatient runs it for
// one patient without the exchange window, in the calling thread.
#include "exchange/RplThreads.h"
#include "exchange/Unit_RegistryImport.h"
#include <QStringList>

class TImExternalToWorkstation : public TWstRplThread {
    Q_OBJECT
public:
    explicit TImExternalToWorkstation(TAppInfo& info);
    // params: {registry key or empty for the whole registry, "1" to update present patients}.
    TImExternalToWorkstation(TAppInfo& info, const QStringList& params);
    ~TImExternalToWorkstation() override;

    const TRegistryImportParams& Params() const { return m_params; }
    // The patients added or updated by the last ImportAll.
    int Count() const { return m_count; }
    // ImportAll in the calling thread; raises its error.
    void ImportAll();

protected:
    void InitWindow() override;
    void Execute() override;

private:
    void Run(bool wholeExecute);

    TRegistryImportParams m_params;
    TRegistryImportCallbacks m_host;
    int m_count = 0;
};

// The single-patient import of the external search: true on success; an error is shown in
// an error box and gives false.
bool ImportOnePatient(const QString& paspor);
