#pragma once
// The rows of the screening card window that more than one of its sources walk: the disease
// rows of page 2 (refresh, commit, the checks before saving) and the objective data edits of
// page 7 (commit, refresh, the decimal-separator key, the checks before saving).
#include "documents/Class_ScriningCard.h"
#include "ui_form_ScriningCard.h"
#include <vector>

namespace ScrCardRows {

struct TDisease {
    QCheckBox* Box;
    QLineEdit* Year;
    int (TScriningCard::*State)() const;
    void (TScriningCard::*SetState)(int);
    int (TScriningCard::*YearOf)() const;
    void (TScriningCard::*SetYear)(int);
};

#define VELTA_DISEASE(Control, Member)                                                             \
    TDisease{ui.chb##Control, ui.ed##Control, &TScriningCard::Member, &TScriningCard::Set##Member,   \
             &TScriningCard::Member##Date, &TScriningCard::Set##Member##Date}

// In the order of the page, which is the order of the checks before saving.
inline std::vector<TDisease> Diseases(const Ui::ScrCardForm& ui)
{
    return {VELTA_DISEASE(Hyper, Hyper),          VELTA_DISEASE(ADHi, ADHi),
            VELTA_DISEASE(Stenokardia, Stenokardia), VELTA_DISEASE(Infarkt, Infarct),
            VELTA_DISEASE(Insult, Insult),        VELTA_DISEASE(Diabet, Diabet),
            VELTA_DISEASE(Pielonefrit, Pielonefrit), VELTA_DISEASE(Pochki, Pochki),
            VELTA_DISEASE(PochkiBerem, PochkiBerem), VELTA_DISEASE(MochekamBolez, MochekamBolez),
            VELTA_DISEASE(PochkiSol, PochkiSol),  VELTA_DISEASE(Yazva, Yazva),
            VELTA_DISEASE(Gepatit, Gepatit)};
}
#undef VELTA_DISEASE

// A numeric edit of page 7 and its member; integer members read and show whole numbers.
struct TMeasure {
    QLineEdit* Edit;
    double (TScriningCard::*Real)() const = nullptr;
    void (TScriningCard::*SetReal)(double) = nullptr;
    int (TScriningCard::*Whole)() const = nullptr;
    void (TScriningCard::*SetWhole)(int) = nullptr;
};

#define VELTA_REAL(Control, Member) TMeasure{ui.Control, &TScriningCard::Member, &TScriningCard::Set##Member}
#define VELTA_WHOLE(Control, Member)                                                               \
    TMeasure{ui.Control, nullptr, nullptr, &TScriningCard::Member, &TScriningCard::Set##Member}

// The seventeen entry edits of page 7 in the order of the page.
inline std::vector<TMeasure> Measures(const Ui::ScrCardForm& ui)
{
    return {VELTA_REAL(edHeight, Rost),         VELTA_REAL(edWeight, Massa),
            VELTA_REAL(edGrudSize, SizeGrud),   VELTA_REAL(edTaliaSize, SizeTalia),
            VELTA_REAL(edBedraSize, SizeBedra), VELTA_WHOLE(edAD1Hi, AD1Hi),
            VELTA_WHOLE(edAD1Low, AD1Low),      VELTA_WHOLE(edAd2Hi, AD2Hi),
            VELTA_WHOLE(edAD2Low, AD2Low),      VELTA_WHOLE(edPuls, Puls),
            VELTA_REAL(edBloodGluk, BloodGluk), VELTA_REAL(edHolesterin, Holest),
            VELTA_REAL(edHolesterinLPVP, HolestLPVP), VELTA_REAL(edTriglecirid, Trigliceridy),
            VELTA_REAL(edGemoglobin, Gemoglobin), VELTA_REAL(edEritrocity, Eritrocity),
            VELTA_REAL(edCOE, COE)};
}
#undef VELTA_REAL
#undef VELTA_WHOLE

} // namespace ScrCardRows
