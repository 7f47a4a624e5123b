#pragma once
// The demo polyclinic: a workstation database with its reference books, a few hundred
// patients with documents over the last two years, the folders of a workstation, and the
// settings file and alias registry of the given executable pointing at all of it.
#include <QString>

struct TDemoResult {
    int Patients = 0;
    int Documents = 0;
    QString SettingsFile; // the settings file written (see TFileLocations)
};

// folder: where main/, poly/, import/ and export/ go. executable: the workstation program
// whose settings file and alias registry (where TFileLocations puts them) are written. Refuses
// (EFileError) when folder/main already holds a database.
TDemoResult CreateDemoPolyclinic(const QString& folder, const QString& executable, int patients = 300);

// The demo's operators, as the README documents them.
inline constexpr const char* kDemoAdminName = "ADMIN";
inline constexpr const char* kDemoAdminPassword = "ADMIN";
inline constexpr const char* kDemoNurseName = "NURSE";
inline constexpr const char* kDemoNursePassword = "1111";
