// The report wizard from the keyboard: its design-time state, the two exclusivity rules, the
// city picker on F10, the three validation messages, a run with its parameters, Esc while a
// report is shown, closing after a report, the settings restored on reopening, and the
// print preview with its "save as PDF".
#include "ReportFixture.h"
#include "app/Unit_Dialogs.h"
#include "data/Unit_DataModule.h"
#include "reports/Unit_ReportBase.h"
#include "ui/FormWait.h"
#include "ui/Unit_ExplorerEntries.h"
#include "ui/Widget_ReportPreview.h"
#include "ui/form_Reports.h"
#include "ui/form_reference.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace TestSupport;

namespace {

const char* const kNoCity = "Укажите населенный пункт или включите опцию \"все\"";
const char* const kNoArea = "Не указан терапевтический участок.";

// Screenshots for the docs, when VELTA_SCREENSHOTS names a folder.
void Shot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("VELTA_SCREENSHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + "/" + name + ".png");
}

// A workstation with a few patients, the data module over it, and an open wizard.
struct TWizard {
    TReportFixture f;
    std::unique_ptr<TDM> dm;
    std::unique_ptr<TReportWizardForm> form;
    std::vector<QStringList> previews; // the title band texts of every preview shown

    TWizard()
    {
        f.Person(1, "ИВАНОВ", 1, "1970-01-01", 1, 1);
        f.Sheet(1, "2026-12-01", {{"ObjCAD", 150}, {"ObjDAD", 95}, {"PinPrepAD", 1}});
        f.Person(2, "ПЕТРОВА", 0, "1960-01-01", 2, 2);
        f.Card(2, "2026-12-02", {{"ADSredHi", 120}, {"ADSredLow", 80}, {"Preparat", 0}});
        dm = std::make_unique<TDM>(f.ws.Info());
        ReportHooks().CloseWait = [] { ShowWait(false); };
        ReportHooks().Preview = [this](const TReportLayout& layout) { previews.push_back({layout.Title()}); };
        Open();
    }
    ~TWizard()
    {
        form.reset();
        ReportHooks() = TReportHooks();
    }
    void Open()
    {
        form = std::make_unique<TReportWizardForm>();
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        TDialogs::ClearAsked();
    }
    void Reopen()
    {
        form->close();
        Open();
    }
    template <class T> T* C(const char* name) { return Child<T>(form.get(), name); }
    QCheckBox* Box(const char* name) { return C<QCheckBox>(name); }
    void Key(int key, QWidget* to = nullptr)
    {
        QWidget* w = to ? to : (QApplication::focusWidget() ? QApplication::focusWidget() : form.get());
        QTest::keyClick(w, Qt::Key(key));
    }
    // Into an edit, its old text replaced.
    void Type(const char* edit, const QString& text)
    {
        QLineEdit* e = C<QLineEdit>(edit);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        TypeText(e, text);
    }
    // Moves the focus to a box and toggles it with Space, as the operator does.
    void Space(const char* box)
    {
        QCheckBox* b = Box(box);
        b->setFocus();
        QTest::keyClick(b, Qt::Key_Space);
    }
    QStringList Ticked(const QStringList& names)
    {
        QStringList on;
        for (const QString& n : names)
            if (Box(n.toLatin1().constData())->isChecked())
                on << n;
        return on;
    }
    // F10 in the city field; the picker gets text typed and Enter, or Esc when text is empty.
    void PickCity(const QString& text)
    {
        QTimer::singleShot(0, [text] {
            auto picker = qobject_cast<TReferenceForm*>(QApplication::activeModalWidget());
            QVERIFY(picker);
            QApplication::setActiveWindow(picker);
            QLineEdit* search = Child<QLineEdit>(picker, "edSearchString");
            if (text.isEmpty()) {
                QTest::keyClick(search, Qt::Key_Escape);
                return;
            }
            search->selectAll();
            QTest::keyClick(search, Qt::Key_Delete);
            TypeText(search, text);
            QTest::keyClick(search, Qt::Key_Return);
        });
        C<QLineEdit>("edCity")->setFocus();
        Key(Qt::Key_F10);
        QApplication::setActiveWindow(form.get());
    }
};

const QStringList kChoices{"chbReport1", "chbReport2", "chbReport3", "chbReport4", "chbReport5",
                           "chbReport6", "chbReport7", "chbReport8", "chbReport9"};
const QStringList kSexes{"rbtSexAll", "rbtSexMale", "rbtSexFemale"};

} // namespace

class TestReportWizard : public QObject {
    Q_OBJECT
private slots:
    void init() { TDialogs::ClearAsked(); }

    void designTimeState()
    {
        TWizard w;
        QCOMPARE(w.form->windowTitle(), "Мастер формирования отчётов");
        QCOMPARE(w.form->size(), QSize(632, 453));
        QCOMPARE(w.Ticked(kChoices), QStringList{"chbReport1"});
        QVERIFY(w.C<QRadioButton>("rbList")->isChecked());
        QCOMPARE(w.C<QLineEdit>("edAgeMin")->text(), "10");
        QCOMPARE(w.C<QLineEdit>("edAgeMax")->text(), "70");
        QCOMPARE(w.Ticked(kSexes), QStringList{"rbtSexAll"});
        QCOMPARE(w.C<QLineEdit>("edUchastok")->text(), "1-100");
        QCOMPARE(w.C<QDateEdit>("edDateBegin")->date(), QDate(2026, 12, 10));
        QCOMPARE(w.C<QDateEdit>("edDateEnd")->date(), QDate(2026, 12, 10));
        QCOMPARE(w.C<QLineEdit>("edCity")->text(), "");
        QVERIFY(!w.Box("chbAllCity")->isChecked());
        QCOMPARE(w.C<QPushButton>("btnOK")->text(), "[F4] - Сформировать отчет");
        QCOMPARE(w.C<QPushButton>("btnCancel")->text(), "[ESC] - Закрыть");
        QCOMPARE(w.C<QLabel>("Label26")->text(), "Все обследуемые с указанием степени АГ");
        QCOMPARE(w.form->SelectedCityLID(), "0");
        Shot(w.form.get(), "report_wizard");
    }

    void exclusivity()
    {
        TWizard w;
        w.Space("chbReport1"); // unticking the ticked box leaves it ticked
        QCOMPARE(w.Ticked(kChoices), QStringList{"chbReport1"});
        w.Space("chbReport7");
        QCOMPARE(w.Ticked(kChoices), QStringList{"chbReport7"});
        w.Space("rbtSexFemale");
        QCOMPARE(w.Ticked(kSexes), QStringList{"rbtSexFemale"});
        w.Space("rbtSexFemale");
        QCOMPARE(w.Ticked(kSexes), QStringList{"rbtSexFemale"});
        QCOMPARE(w.form->CommonItems().at(7), "0");
    }

    void allCitiesDisablesThePicker()
    {
        TWizard w;
        w.Space("chbAllCity");
        QVERIFY(!w.C<QLineEdit>("edCity")->isEnabled());
        QVERIFY(!w.C<QPushButton>("btnCityRef")->isEnabled());
        QVERIFY(!w.C<QLabel>("Label8")->isEnabled());
        w.Key(Qt::Key_F10);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(w.form->CommonItems().at(0), "*");
        w.Space("chbAllCity");
        QVERIFY(w.C<QLineEdit>("edCity")->isEnabled());
    }

    void cityFromThePicker()
    {
        TWizard w;
        w.PickCity("зар");
        QCOMPARE(w.C<QLineEdit>("edCity")->text(), "ЗАРЕЧЬЕ");
        QCOMPARE(w.form->SelectedCityLID(), "2");
        w.PickCity(""); // cancelled: the city stays
        QCOMPARE(w.C<QLineEdit>("edCity")->text(), "ЗАРЕЧЬЕ");
        QCOMPARE(w.form->CommonItems().mid(0, 2), QStringList({"ЗАРЕЧЬЕ", "2"}));
    }

    void validationMessages()
    {
        TWizard w;
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList{QString::fromUtf8(kNoCity)});
        QCOMPARE(CurrentWait(), nullptr);
        w.Space("chbAllCity");
        w.Type("edUchastok", "");
        TDialogs::ClearAsked();
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList{QString::fromUtf8(kNoArea)});
        QCOMPARE(CurrentWait(), nullptr);
        // No choice can be left unticked from the window; the state comes from outside.
        w.Type("edUchastok", "1");
        QCheckBox* one = w.Box("chbReport1");
        one->blockSignals(true);
        one->setChecked(false);
        one->blockSignals(false);
        TDialogs::ClearAsked();
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList{"Не указан отчет!"});
        QCOMPARE(TDialogs::Asked().last().type, TBoxType::Warning);
        QVERIFY(w.previews.empty());
        QVERIFY(!w.form->Busy());
        QVERIFY(w.form->isVisible());
    }

    // A run from the keyboard: area blanks removed, choice 7 with cards, an error inside the
    // report leaves the wizard ready for the next run.
    void runFromTheKeyboard()
    {
        TWizard w;
        w.Space("chbAllCity");
        w.Type("edUchastok", "1, 2, 6 - 14");
        w.Type("edAgeMin", "1O");
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList{"\"1O\" не является целым числом."});
        QVERIFY(!w.form->Busy());
        QCOMPARE(w.C<QProgressBar>("PB")->value(), 0);
        QCOMPARE(CurrentWait(), nullptr);

        w.Type("edAgeMin", "10");
        w.C<QDateEdit>("edDateBegin")->setDate(QDate(2026, 1, 1));
        QCOMPARE(w.form->CommonItems(), QStringList({"*", "0", "1,2,6-14", "01.01.2026", "10.12.2026", "10", "70", "2"}));
        w.Space("chbReport2");
        TDialogs::ClearAsked();
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList());
        QCOMPARE(w.previews.size(), size_t(1));
        QVERIFY(w.previews[0][0].startsWith("Приём гипотензивных препаратов"));
        QCOMPARE(w.C<QProgressBar>("PB")->value(), 0);

        // A list without rows: the warning instead of a preview.
        w.C<QRadioButton>("rbCard")->setChecked(true);
        w.Space("chbReport7");
        w.Key(Qt::Key_F4);
        QCOMPARE(AskedTexts(), QStringList{"НЕТ ДАННЫХ ПО ВЫБРАННЫМ ПАРАМЕТРАМ."});
        QCOMPARE(w.previews.size(), size_t(1));
        QVERIFY(w.form->isVisible());
    }

    void escWhileBusyAndAutoClose()
    {
        TWizard w;
        w.Space("chbAllCity");
        bool stayedOpen = false;
        ReportHooks().Preview = [&](const TReportLayout&) {
            QVERIFY(w.form->Busy());
            QApplication::setActiveWindow(w.form.get());
            QTest::keyClick(w.form.get(), Qt::Key_Escape);
            stayedOpen = w.form->isVisible();
        };
        w.Key(Qt::Key_F4);
        QVERIFY(stayedOpen);
        QVERIFY(w.form->isVisible());
        QVERIFY(!w.form->Busy());
        w.Space("chbAutoClose");
        w.Key(Qt::Key_F4);
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.form->result(), int(QDialog::Rejected));
    }

    void settingsRestoredOnReopening()
    {
        TWizard w;
        w.PickCity("ГОР");
        w.Space("chbReport8");
        w.C<QRadioButton>("rbCard")->setChecked(true);
        w.Space("rbtSexMale");
        w.Type("edAgeMin", "20");
        w.Type("edAgeMax", "60");
        w.Type("edUchastok", "3, 5");
        w.C<QDateEdit>("edDateBegin")->setDate(QDate(2026, 2, 3));
        w.Space("chbAutoClose");
        w.Reopen();
        QCOMPARE(w.Ticked(kChoices), QStringList{"chbReport8"});
        QCOMPARE(w.Ticked(kSexes), QStringList{"rbtSexMale"});
        QCOMPARE(w.C<QLineEdit>("edCity")->text(), "ГОРОДСК");
        QCOMPARE(w.form->SelectedCityLID(), "1");
        QCOMPARE(w.C<QLineEdit>("edAgeMin")->text(), "20");
        QCOMPARE(w.C<QLineEdit>("edAgeMax")->text(), "60");
        QCOMPARE(w.C<QLineEdit>("edUchastok")->text(), "3, 5");
        QCOMPARE(w.C<QDateEdit>("edDateBegin")->date(), QDate(2026, 2, 3));
        QVERIFY(w.Box("chbAutoClose")->isChecked());
        TIniFile ini(w.f.ws.SettingsFile());
        QStringList keys = ini.ReadSection("ReportWizardForm");
        QCOMPARE(keys, QStringList({"ReportDateBegin", "ReportDateEnd", "ReportAgeMin", "ReportAgeMax", "ReportCity",
                                    "ReportCityLID", "Report1", "Report2", "Report3", "Report4", "ReportUchastok",
                                    "Report5", "Report6", "Report7", "Report8", "Report9", "ReportAllCity", "AutoClose",
                                    "SexAll", "SexMale", "SexFemale"}));
        // "все" restored disables the city again.
        w.Space("chbAllCity");
        w.Reopen();
        QVERIFY(w.Box("chbAllCity")->isChecked());
        QVERIFY(!w.C<QLineEdit>("edCity")->isEnabled());
    }

    // The real preview: the pages of the report, and "Сохранить в PDF" writing them.
    void previewSavesPdf()
    {
        TWizard w;
        InstallReportHooks();
        w.Space("chbAllCity");
        w.C<QDateEdit>("edDateBegin")->setDate(QDate(2026, 1, 1));
        w.Space("chbReport9");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("list");
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(preview);
            shown = true;
            QCOMPARE(preview->windowTitle(), "Все обследуемые с указанием степени АГ");
            QAction* save = Child<QAction>(preview, "actSavePdf");
            QCOMPARE(save->text(), "Сохранить в PDF");
            TDialogs::SetNextPath(pdf);
            save->trigger();
            Shot(preview, "report_preview_list");
            preview->reject();
        });
        QTimer::singleShot(10000, [] { // a failure must not hang the run
            if (QWidget* m = QApplication::activeModalWidget())
                m->close();
        });
        w.Key(Qt::Key_F4);
        QVERIFY(shown);
        QVERIFY(QFile::exists(pdf + ".pdf"));
        QProcess p;
        p.start("pdftotext", {pdf + ".pdf", "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY(text.contains("ИВАНОВ"));
        QVERIFY(text.contains("I степень"));
        QVERIFY(!text.contains("ПЕТРОВА")); // a card, not in a list of sheets
    }

    void mainWindowEntryOpensTheWizard()
    {
        TWizard w;
        w.form.reset();
        RegisterReportWizard();
        QVERIFY(bool(ExplorerEntries().RunReportWizard));
        QString opened;
        QTimer::singleShot(0, [&] {
            auto wizard = qobject_cast<TReportWizardForm*>(QApplication::activeModalWidget());
            QVERIFY(wizard);
            opened = wizard->windowTitle();
            QApplication::setActiveWindow(wizard);
            QTest::keyClick(wizard, Qt::Key_Escape);
        });
        ExplorerEntries().RunReportWizard();
        QCOMPARE(opened, "Мастер формирования отчётов");
        ExplorerEntries().RunReportWizard = nullptr;
    }
};

VELTA_TEST_MAIN(TestReportWizard)
#include "test_report_wizard.moc"
