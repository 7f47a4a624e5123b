#pragma once
// The demo polyclinic's screening documents. Each is filled into a sheet or card object through
// its validating setters and saved by the document storage, so it holds what a save from the
// windows holds (answers, medicines, laboratory values, the computer and the doctor's
// conclusions, row stamps); a share of them is edited again later.
#include <QDateTime>
#include <QRandomGenerator>

class TDM;

struct TDemoPatient {
    int PrnLID = 0;
    QDate Born;
    bool Male = false;
    QDateTime Registered; // no document is older
    int PosLID = -1;
};

// Writes the patient's documents (none, one or two) dated between the registration (or two years
// back) and now, moving the clock to each save; the clock is given back as it was.
// medicines: how many rows MedPreparat has (identifiers 1..medicines). Returns the count written.
int WriteDemoDocuments(TDM& dm, QRandomGenerator& rnd, const TDemoPatient& patient, const QDateTime& now,
                       int medicines);
