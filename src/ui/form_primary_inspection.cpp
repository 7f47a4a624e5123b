#include "ui/form_primary_inspection.h"
#include "app/Unit_Clock.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Widget_ControlUtils.h"
#include "data/Unit_DataModule.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Widget_DocumentControls.h"
#include "ui_form_primary_inspection.h"
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>

namespace {
const char* const kTitle = "Лист первичного обследования : ";
const char* const kNoMedicine = "Не указан гипотензивный препарат";
const char* const kNoDose = "Не указана дозировка препарата №%1";

constexpr int kPageComplaints = 1;
constexpr int kPageResult = 4;

// A medicine row's identifier in the sheet: not above 0 means none.
constexpr int kNoMedicineId = -1;

// The expert diagnosis boxes and the diagnosis each stands for (10 has no box).
struct TExpertBox {
    QCheckBox* Ui::PrimaryInspectionForm::*box;
    const char* code;
};
const TExpertBox kExpertBoxes[] = {
    {&Ui::PrimaryInspectionForm::chbRes1, "9"},  {&Ui::PrimaryInspectionForm::chbRes2, "11"},
    {&Ui::PrimaryInspectionForm::chbRes3, "12"}, {&Ui::PrimaryInspectionForm::chbRes4, "13"},
    {&Ui::PrimaryInspectionForm::chbRes5, "14"}, {&Ui::PrimaryInspectionForm::chbRes6, "15"},
};

bool InList(const QString& list, const QString& code) { return list.contains(u',' + code + u','); }

// Times a day are counted: a minus sign is no digit either.
int GetCountValue(QLineEdit* edit)
{
    const int v = GetIntValue(edit);
    if (v < 0)
        throw AppException(QStringLiteral("Вводите только цифры!"));
    return v;
}

bool Empty(const QLineEdit* edit) { return edit->text().trimmed().isEmpty(); }
}

TPrimaryInspectionForm::TPrimaryInspectionForm(QWidget* parent)
    : TCommonForm(parent), ui(std::make_unique<Ui::PrimaryInspectionForm>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("PrimaryInspectionForm"));
    ui->edInspectionDate->setDate(TClock::Today());

    for (QLineEdit* e : {ui->edListNo, ui->edListCode, ui->edLpuName, ui->edRegionName, ui->edCity, ui->edCityReg,
                         ui->edStreet, ui->edHouse, ui->edFlat, ui->edPhone})
        SetUpperCaseInput(e);

    for (QCheckBox* b : {ui->chbMotherHyper, ui->chbMoterInfarct, ui->chbMotherInsult, ui->chbMotherDiabet,
                         ui->chbFatherHyper, ui->chbFatherInfarct, ui->chbFatherInsult, ui->chbFatherDiabet})
        MakeTriState(b);
    SetTriStateLegend(ui->chbLegendYes, ui->chbLegendNo, ui->chbLegendUnknown);

    m_smoking = new TOneOfGroup(this);
    m_smoking->Add(ui->chbSmoking0, 0);
    m_smoking->Add(ui->chbSmoking1, 1);
    m_smoking->Add(ui->chbSmoking2, 2);
    m_spirits = new TOneOfGroup(this);
    m_spirits->Add(ui->chbSpirt0, 0);
    m_spirits->Add(ui->chbSpirt1, 1);
    m_spirits->Add(ui->chbSpirt2, 2);
    m_spirits->Add(ui->chbSpirt3, 3);
    m_dispanser = new TOneOfGroup(this);
    m_dispanser->Add(ui->chbDisp1, 0);
    m_dispanser->Add(ui->chbDisp2, 1);
    m_dispanser->Add(ui->chbDisp3, 2);

    m_medicines = new TMedicineBlock(this);
    m_medicines->AddRow(ui->edPrep1, ui->edPrep1Dose, ui->edPrep1DayDoseCount);
    m_medicines->AddRow(ui->edPrep2, ui->edPrep2Dose, ui->edPrep2DayDoseCount);
    connect(ui->chbPreparations, &QCheckBox::toggled, this, &TPrimaryInspectionForm::chbPreparationsToggled);
    ui->pnlPreparations->setVisible(false);

    m_pages = new TDocumentPages(ui->pcMain);
    connect(ui->pcMain, &QTabWidget::currentChanged, this, &TPrimaryInspectionForm::PageChanged);

    m_commits = new TFieldCommits(this);
    WireCommits();
    m_pages->SetLeaveCheck([this] { return m_commits->CommitNow(focusWidget()); });

    connect(ui->btnNew, &QPushButton::clicked, this, &TPrimaryInspectionForm::btnNewClick);
    connect(ui->btnUpdate, &QPushButton::clicked, this, &TPrimaryInspectionForm::btnUpdateClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, [this] { done(NotSaved); });

    m_sheet.SetOnChange([this] { Refresh(); });
}

TPrimaryInspectionForm::~TPrimaryInspectionForm()
{
    DetachWindowHandlers(this);
    // The sheet outlives the controls by a moment; it must not redraw them then.
    m_sheet.SetOnChange(nullptr);
}

// ---- opening ------------------------------------------------------------------------------

int TPrimaryInspectionForm::EditDocument(int prnLID, int docLID)
{
    OpenDocument(prnLID, docLID);
    const int result = exec();
    return result == SavedAsNew || result == SavedOver ? result : NotSaved;
}

void TPrimaryInspectionForm::OpenDocument(int prnLID, int docLID)
{
    m_sheet.Init(); // notifies: the first refresh, which fails on an empty Diagnosis table
    m_sheet.SetDocLID(docLID);
    m_sheet.SetPrnLID(prnLID);
    if (docLID != 0)
        DM()->LoadPrimaryInspection(m_sheet);
    Refresh();
    FillHeader();
}

void TPrimaryInspectionForm::FillHeader()
{
    const TPersonRow& person = DM()->CurrentPerson();
    const TPersonDetails& details = DM()->Details();
    ui->edFName->setText(person.SurName.toString());
    ui->edName->setText(person.Name.toString());
    ui->edSecName->setText(person.SecName.toString());
    const QDate birthday = person.Birthday.toDate();
    ui->edBirthday->setText(birthday.isValid() ? QLocale().toString(birthday, QLocale::ShortFormat) : QString());
    ui->edRegionName->setText(details.RegName.toString());
    ui->edCity->setText(details.City.toString());
    ui->edCityReg->clear();
    ui->edStreet->setText(details.Street.toString());
    ui->edHouse->setText(details.House.toString());
    ui->edFlat->setText(details.Flat.toString());
    ui->edPhone->clear();
    ui->edLpuName->setText(details.LpuName.toString());
    ui->edSection->setText(details.AreaCode.toString());
}

void TPrimaryInspectionForm::showEvent(QShowEvent* event)
{
    TCommonForm::showEvent(event);
    if (event->spontaneous())
        return;
    m_keyPageChange = true; // showing the first page computes nothing
    ui->pcMain->setCurrentIndex(0);
    m_keyPageChange = false;
    ui->pcResult->setCurrentIndex(1);
    SetTitle();
    (m_sheet.DocLID() != 0 ? ui->edADHi : ui->edListNo)->setFocus(Qt::OtherFocusReason);
}

// ---- sheet -> controls --------------------------------------------------------------------

void TPrimaryInspectionForm::Refresh()
{
    ui->edListNo->setText(m_sheet.DocNumber());
    ui->edListCode->setText(m_sheet.DocCode());
    if (m_sheet.DocDate().isValid())
        ui->edInspectionDate->setDate(m_sheet.DocDate().date());

    ui->edADHi->setText(QString::number(m_sheet.ObjCAD()));
    ui->edADLow->setText(QString::number(m_sheet.ObjDAD()));
    const std::pair<QLineEdit*, double> decimals[] = {
        {ui->edHeight, m_sheet.ObjGrowth()},         {ui->edWeight, m_sheet.ObjMass()},
        {ui->edWaistSize, m_sheet.ObjCircWst()},     {ui->edThighSize, m_sheet.ObjCircTh()},
        {ui->edUrAlbumen, m_sheet.AlsUrAlbum()},     {ui->edUrLeucocyte, m_sheet.AlsUrLeucs()},
        {ui->edUrErythrocytes, m_sheet.AlsUrRed()},  {ui->edBloodHb, m_sheet.AlsBlHb()},
        {ui->edBloodCOE, m_sheet.AlsBlCOE()},        {ui->edBloodErythrocytes, m_sheet.AlsBlRed()},
        {ui->edCholesterol, m_sheet.AlsBlChol()},    {ui->edGlucose, m_sheet.AlsBlGluk()},
    };
    for (const auto& [edit, value] : decimals)
        edit->setText(DecimalText(value));

    const std::pair<QCheckBox*, bool> flags[] = {
        {ui->chbHeadach1, m_sheet.HeadacheMorning()}, {ui->chbHeadach2, m_sheet.HeadacheDay()},
        {ui->chbHeadach3, m_sheet.HeadacheEvening()}, {ui->chbGiddine, m_sheet.CmpGiddine()},
        {ui->chbNoise, m_sheet.CmpNoise()},           {ui->chbLowMem, m_sheet.CmpLowerin()},
        {ui->chbHiTire, m_sheet.CmpFatig()},          {ui->chbDifficult, m_sheet.CmpDiffic()},
        {ui->chbHiNerv, m_sheet.CmpIrritab()},        {ui->chbHiUr, m_sheet.CmpUrInc()},
        {ui->chbColicUr, m_sheet.CmpUrStran()},       {ui->chbNightUr, m_sheet.CmpUrNight()},
        {ui->chbColorUr, m_sheet.CmpUrColor()},       {ui->chbBreathFast, m_sheet.CmpBrFast()},
        {ui->chbBreathNormal, m_sheet.CmpBrSlow()},   {ui->chbPreparations, m_sheet.PinPrepAD()},
        {ui->chbEKGTooth, m_sheet.EKGHemChng()},      {ui->chbEKGDepression, m_sheet.EKGDeprSt()},
        {ui->chbEKGNegativeTooth, m_sheet.EKGNegT()}, {ui->chbEyeAngGip, m_sheet.EyeAngGip()},
        {ui->chbEyeAngAter, m_sheet.EyeAngAter()},
    };
    for (const auto& [box, value] : flags)
        box->setChecked(value);

    const std::pair<QCheckBox*, int> heredity[] = {
        {ui->chbMotherHyper, m_sheet.HypMother()},    {ui->chbMoterInfarct, m_sheet.InfMother()},
        {ui->chbMotherInsult, m_sheet.InsMother()},   {ui->chbMotherDiabet, m_sheet.DiabetMother()},
        {ui->chbFatherHyper, m_sheet.HypFather()},    {ui->chbFatherInfarct, m_sheet.InfFather()},
        {ui->chbFatherInsult, m_sheet.InsFather()},   {ui->chbFatherDiabet, m_sheet.DiabetFather()},
    };
    for (const auto& [box, value] : heredity)
        SetTriState(box, value);
    m_smoking->SetValue(m_sheet.Smoking());
    m_spirits->SetValue(m_sheet.Spirits());
    m_dispanser->SetValue(m_sheet.Dispanser());

    // A row's dose and count are shown only beside a medicine; otherwise the edits keep what
    // the operator has typed and not yet left.
    const struct { int gid; double dose; quint32 count; } rows[] = {
        {m_sheet.MprGID1(), m_sheet.MprDose1(), m_sheet.MprFreq1()},
        {m_sheet.MprGID2(), m_sheet.MprDose2(), m_sheet.MprFreq2()},
    };
    for (int row = 1; row <= 2; ++row) {
        const auto& r = rows[row - 1];
        if (r.gid <= 0)
            continue;
        m_medicines->ShowMedicine(row, r.gid);
        if (r.dose != 0) {
            m_medicines->Dose(row)->setText(DecimalText(r.dose));
            m_medicines->Count(row)->setText(QString::number(r.count));
        }
    }
    RefreshConclusion();
}

void TPrimaryInspectionForm::RefreshConclusion()
{
    DM()->CheckDiagnosisTable(); // leaves SQL() on the first Diagnosis row
    QSqlQuery& diagnoses = DM()->SQL();
    QStringList lines;
    do {
        const QString code = diagnoses.value("DiagGID").toString();
        if (InList(m_sheet.AutoDiagnoses(), code))
            lines.append(diagnoses.value("DiagName").toString());
        if (InList(m_sheet.ExpertDiagnoses(), code))
            for (const TExpertBox& e : kExpertBoxes)
                if (code == QLatin1String(e.code))
                    (ui.get()->*e.box)->setChecked(true);
    } while (diagnoses.next());
    ui->edResultAuto->setPlainText(lines.join(u'\n'));
}

// ---- controls -> sheet --------------------------------------------------------------------

void TPrimaryInspectionForm::WireNumber(QLineEdit* edit, std::function<void(int)> setter)
{
    m_commits->OnLeave(edit, [edit, setter] {
        NormalizeEditText(edit);
        CommitIntField(edit, setter);
    });
}

void TPrimaryInspectionForm::WireNumber(QLineEdit* edit, std::function<void(double)> setter)
{
    m_commits->OnLeave(edit, [edit, setter] {
        NormalizeEditText(edit);
        CommitFloatField(edit, setter);
    });
}

void TPrimaryInspectionForm::WireBox(QCheckBox* box, std::function<void(bool)> setter)
{
    m_commits->OnLeave(box, [box, setter] { setter(box->isChecked()); });
}

void TPrimaryInspectionForm::WireGroup(TOneOfGroup* group, std::function<void(int)> setter)
{
    for (QCheckBox* box : group->Boxes())
        m_commits->OnLeave(box, [group, box, setter] {
            if (const auto value = group->ValueOfTicked(box))
                setter(int(*value));
        });
}

void TPrimaryInspectionForm::WireCommits()
{
    TPIList& s = m_sheet;
    m_commits->OnLeave(ui->edListNo, [this] {
        CommitField(ui->edListNo, [this] { m_sheet.SetDocNumber(NormalizeEditText(ui->edListNo)); });
    });
    m_commits->OnLeave(ui->edListCode, [this] {
        CommitField(ui->edListCode, [this] { m_sheet.SetDocCode(NormalizeEditText(ui->edListCode)); });
    });
    m_commits->OnLeave(ui->edInspectionDate, [this] {
        const QTime time = m_sheet.DocDate().isValid() ? m_sheet.DocDate().time() : QTime(0, 0);
        m_sheet.SetDocDate(QDateTime(ui->edInspectionDate->date(), time));
    });

    WireNumber(ui->edADHi, std::function<void(int)>([&s](int v) { s.SetObjCAD(v); }));
    WireNumber(ui->edADLow, std::function<void(int)>([&s](int v) { s.SetObjDAD(v); }));
    using TFloatSetter = void (TPIList::*)(double);
    const std::pair<QLineEdit*, TFloatSetter> decimals[] = {
        {ui->edHeight, &TPIList::SetObjGrowth},        {ui->edWeight, &TPIList::SetObjMass},
        {ui->edWaistSize, &TPIList::SetObjCircWst},    {ui->edThighSize, &TPIList::SetObjCircTh},
        {ui->edUrAlbumen, &TPIList::SetAlsUrAlbum},    {ui->edUrLeucocyte, &TPIList::SetAlsUrLeucs},
        {ui->edUrErythrocytes, &TPIList::SetAlsUrRed}, {ui->edBloodHb, &TPIList::SetAlsBlHb},
        {ui->edBloodCOE, &TPIList::SetAlsBlCOE},       {ui->edBloodErythrocytes, &TPIList::SetAlsBlRed},
        {ui->edCholesterol, &TPIList::SetAlsBlChol},   {ui->edGlucose, &TPIList::SetAlsBlGluk},
        {ui->edPrep1Dose, &TPIList::SetMprDose1},      {ui->edPrep2Dose, &TPIList::SetMprDose2},
    };
    for (const auto& [edit, setter] : decimals)
        WireNumber(edit, std::function<void(double)>([&s, setter = setter](double v) { (s.*setter)(v); }));
    for (auto [edit, setter] : {std::pair{ui->edPrep1DayDoseCount, &TPIList::SetMprFreq1},
                                std::pair{ui->edPrep2DayDoseCount, &TPIList::SetMprFreq2}})
        m_commits->OnLeave(edit, [edit = edit, setter = setter, &s] {
            NormalizeEditText(edit);
            CommitField(edit, [&] { (s.*setter)(quint32(GetCountValue(edit))); });
        });

    using TFlagSetter = void (TPIList::*)(bool);
    const std::pair<QCheckBox*, TFlagSetter> flags[] = {
        {ui->chbHeadach1, &TPIList::SetHeadacheMorning}, {ui->chbHeadach2, &TPIList::SetHeadacheDay},
        {ui->chbHeadach3, &TPIList::SetHeadacheEvening}, {ui->chbGiddine, &TPIList::SetCmpGiddine},
        {ui->chbNoise, &TPIList::SetCmpNoise},           {ui->chbLowMem, &TPIList::SetCmpLowerin},
        {ui->chbHiTire, &TPIList::SetCmpFatig},          {ui->chbDifficult, &TPIList::SetCmpDiffic},
        {ui->chbHiNerv, &TPIList::SetCmpIrritab},        {ui->chbHiUr, &TPIList::SetCmpUrInc},
        {ui->chbColicUr, &TPIList::SetCmpUrStran},       {ui->chbNightUr, &TPIList::SetCmpUrNight},
        {ui->chbColorUr, &TPIList::SetCmpUrColor},       {ui->chbBreathFast, &TPIList::SetCmpBrFast},
        {ui->chbBreathNormal, &TPIList::SetCmpBrSlow},   {ui->chbEKGTooth, &TPIList::SetEKGHemChng},
        {ui->chbEKGDepression, &TPIList::SetEKGDeprSt},  {ui->chbEKGNegativeTooth, &TPIList::SetEKGNegT},
        {ui->chbEyeAngGip, &TPIList::SetEyeAngGip},      {ui->chbEyeAngAter, &TPIList::SetEyeAngAter},
    };
    for (const auto& [box, setter] : flags)
        WireBox(box, [&s, setter = setter](bool v) { (s.*setter)(v); });
    m_commits->OnLeave(ui->chbPreparations, [this] { chbPreparationsExit(); });

    using TTriSetter = void (TPIList::*)(int);
    const std::pair<QCheckBox*, TTriSetter> heredity[] = {
        {ui->chbMotherHyper, &TPIList::SetHypMother},    {ui->chbMoterInfarct, &TPIList::SetInfMother},
        {ui->chbMotherInsult, &TPIList::SetInsMother},   {ui->chbMotherDiabet, &TPIList::SetDiabetMother},
        {ui->chbFatherHyper, &TPIList::SetHypFather},    {ui->chbFatherInfarct, &TPIList::SetInfFather},
        {ui->chbFatherInsult, &TPIList::SetInsFather},   {ui->chbFatherDiabet, &TPIList::SetDiabetFather},
    };
    for (const auto& [box, setter] : heredity)
        m_commits->OnLeave(box, [&s, box = box, setter = setter] { (s.*setter)(TriStateOf(box)); });

    WireGroup(m_smoking, [&s](int v) { s.SetSmoking(v); });
    WireGroup(m_spirits, [&s](int v) { s.SetSpirits(v); });
    WireGroup(m_dispanser, [&s](int v) { s.SetDispanser(qint16(v)); });

    for (const TExpertBox& e : kExpertBoxes) {
        QCheckBox* box = ui.get()->*e.box;
        const QString code = QLatin1String(e.code);
        m_commits->OnLeave(box, [&s, box, code] {
            if (box->isChecked())
                s.AddExpertDiagnosis(code);
            else
                s.RemoveExpertDiagnosis(code);
        });
    }
}

// ---- medicines ----------------------------------------------------------------------------

void TPrimaryInspectionForm::chbPreparationsToggled(bool checked)
{
    ui->pnlPreparations->setVisible(checked);
    if (checked && isVisible())
        ui->edPrep1->setFocus(Qt::OtherFocusReason);
}

void TPrimaryInspectionForm::chbPreparationsExit()
{
    m_sheet.SetPinPrepAD(ui->chbPreparations->isChecked());
    if (m_sheet.PinPrepAD())
        return;
    SetMedicine(1, kNoMedicineId);
    SetMedicine(2, kNoMedicineId);
    m_medicines->ClearAll();
}

void TPrimaryInspectionForm::SetMedicine(int row, int mprGID)
{
    if (row == 1)
        m_sheet.SetMprGID1(mprGID);
    else if (row == 2)
        m_sheet.SetMprGID2(mprGID);
}

void TPrimaryInspectionForm::PickMedicine()
{
    // F10 counts only in a medicine edit, whose row is the current one.
    const int row = m_medicines->RowOf(focusWidget());
    if (const auto gid = m_medicines->PickMedicine(row, this))
        SetMedicine(row, *gid);
}

void TPrimaryInspectionForm::ClearMedicineRow(int row)
{
    m_medicines->ClearRow(row);
    SetMedicine(row, kNoMedicineId);
}

bool TPrimaryInspectionForm::CheckMedicines()
{
    if (!m_sheet.PinPrepAD())
        return true;
    if (Empty(ui->edPrep1) && Empty(ui->edPrep2)) {
        ReportMedicineGap(QString::fromUtf8(kNoMedicine), ui->edPrep1);
        return false;
    }
    bool passed = true;
    for (int row = 1; row <= 2; ++row) {
        QLineEdit* dose = m_medicines->Dose(row);
        QLineEdit* count = m_medicines->Count(row);
        if (!Empty(m_medicines->Name(row)) && (Empty(dose) || Empty(count))) {
            ReportMedicineGap(QString::fromUtf8(kNoDose).arg(row), Empty(dose) ? dose : count);
            passed = false;
        }
    }
    return passed;
}

void TPrimaryInspectionForm::ReportMedicineGap(const QString& text, QWidget* field)
{
    TDialogs::Error(text);
    m_keyPageChange = true; // back to the medicines computes nothing
    ui->pcMain->setCurrentIndex(kPageComplaints);
    m_keyPageChange = false;
    field->setFocus(Qt::OtherFocusReason);
}

// ---- pages, conclusion, keys --------------------------------------------------------------

void TPrimaryInspectionForm::SetTitle()
{
    setWindowTitle(QString::fromUtf8(kTitle) + ui->pcMain->tabText(ui->pcMain->currentIndex()));
}

void TPrimaryInspectionForm::GoToPage(int index)
{
    m_keyPageChange = true;
    const bool switched = m_pages->SwitchTo(index);
    m_keyPageChange = false;
    if (!switched)
        return;
    if (index == kPageResult)
        ComputeConclusion();
    SetTitle();
}

void TPrimaryInspectionForm::PageChanged(int index)
{
    // A page chosen with the mouse; the keys compute on their own, also on the page itself.
    if (!m_keyPageChange && index == kPageResult)
        ComputeConclusion();
}

void TPrimaryInspectionForm::ComputeConclusion()
{
    if (!CheckMedicines())
        return;
    m_sheet.ComputeAutoDiagnoses(DM()->CurrentPerson().Birthday.toDate()); // refreshes the window
}

bool TPrimaryInspectionForm::FormKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const int page = TDocumentPages::PageOfKey(event);
    if (page >= 0 && page <= kPageResult) {
        GoToPage(page);
        if (!(key == Qt::Key_F5 && ctrl))
            return true; // Ctrl+F5 goes on to save
    }
    const int current = ui->pcMain->currentIndex();
    if (current == kPageComplaints && key == Qt::Key_Delete && ctrl) {
        ClearMedicineRow(m_medicines->CurrentRow());
        return true;
    }
    if (current == kPageResult) {
        QWidget* focus = focusWidget();
        if (key == Qt::Key_Escape && focus && ui->pcResult->isAncestorOf(focus)) {
            ui->chbDisp1->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (key == Qt::Key_1 && !ctrl) {
            ui->pcResult->setCurrentIndex(0);
            ui->chbRes1->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (key == Qt::Key_2 && !ctrl) {
            ui->pcResult->setCurrentIndex(1);
            ui->edResultAuto->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods & Qt::ShiftModifier) {
            Common()->FocusNext(false);
            return true;
        }
        break;
    case Qt::Key_Escape:
        if (AskClose(QStringLiteral("Закрыть ЛИСТ ОБСЛЕДОВАНИЯ?")))
            done(NotSaved);
        return true;
    case Qt::Key_F5:
        if (ctrl) {
            btnUpdateClick();
            return true;
        }
        break;
    case Qt::Key_F6:
        if (ctrl) {
            btnNewClick();
            return true;
        }
        break;
    case Qt::Key_F10:
        PickMedicine();
        return true;
    default:
        break;
    }
    return TCommonForm::FormKeyDown(event);
}

// ---- saving -------------------------------------------------------------------------------

bool TPrimaryInspectionForm::Save(QWidget* button, const QString& question)
{
    if (!CheckMedicines() || !AskSave(question))
        return false;
    // Leaving the control being edited commits it; a rejected value keeps the focus there,
    // and a sheet without that value is not what the operator asked to store.
    button->setFocus(Qt::OtherFocusReason);
    return focusWidget() == button || !isActiveWindow();
}

void TPrimaryInspectionForm::btnNewClick()
{
    if (!Save(ui->btnNew, QStringLiteral("Записать как НОВЫЙ ДОКУМЕНТ ?")))
        return;
    DM()->InsertPrimaryInspection(m_sheet);
    done(SavedAsNew);
}

void TPrimaryInspectionForm::btnUpdateClick()
{
    if (!Save(ui->btnUpdate, QStringLiteral("Обновить информацию в Базе Данных ?")))
        return;
    if (m_sheet.DocLID() != 0)
        DM()->UpdatePrimaryInspection(m_sheet);
    else
        DM()->InsertPrimaryInspection(m_sheet);
    done(SavedOver);
}

void RegisterPrimaryInspectionWindow()
{
    ExplorerEntries().EditPrimaryInspection = [](int prnLID, int docLID) {
        TPrimaryInspectionForm form(QApplication::activeWindow());
        return form.EditDocument(prnLID, docLID);
    };
}
