#include "ui/form_ExternalSearch.h"
#include "ui_form_ExternalSearch.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Unit_GlobalObjects.h"
#include "app/Widget_ControlUtils.h"
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace {
const char* const kAttributes[] = {" Фамилия ", " Имя ", " Отчество ", " Дата рождения "};
constexpr int kAttributeCount = 4;
constexpr int kRowHeight = 21;

QFont PixelFont(const QFont& base, int pixels, bool bold)
{
    QFont f(base);
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The birth date as the system's short date format reads it.
QDate ParseDate(const QString& text)
{
    const QLocale locale;
    QDate d = locale.toDate(text.trimmed(), QLocale::ShortFormat);
    if (!d.isValid())
        d = locale.toDate(text.trimmed(), QStringLiteral("d.M.yyyy"));
    if (!d.isValid())
        throw AppException(QString::fromUtf8("\"%1\" — неправильная дата").arg(text));
    return d;
}
} // namespace

TExternalSearchForm::TExternalSearchForm(QWidget* parent, const QString& polyFolder)
    : TCommonForm(parent), ui(new Ui::ExternalSearchForm), m_query(this), m_polyFolder(polyFolder)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    if (m_polyFolder.isEmpty() && AppInfo())
        m_polyFolder = AppInfo()->PolyDBPath();
    ui->Label1->setFont(PixelFont(font(), 15, true));
    ui->Label1->setWordWrap(true);
    ui->lblComment->setFont(PixelFont(font(), 15, false));
    ui->lblComment->hide();
    QFont groupFont = ui->gbSearchResults->font();
    groupFont.setBold(true);
    ui->gbSearchResults->setFont(groupFont);
    QFont rows = font();
    rows.setBold(false);
    rows.setWeight(QFont::Normal); // the group box's bold title is not for the rows
    ui->DBGrid->setFont(rows);
    ui->DBGrid->setModel(&m_query);
    ui->DBGrid->verticalHeader()->hide();
    ui->DBGrid->horizontalHeader()->setHighlightSections(false);
    ui->DBGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    ui->Grid->verticalHeader()->hide();
    ui->Grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    ui->Grid->horizontalHeader()->setStretchLastSection(true);
    ui->Grid->horizontalHeader()->setHighlightSections(false);
    ui->Grid->setHorizontalHeaderLabels({QString::fromUtf8(" АТРИБУТ"), QString::fromUtf8(" ЗНАЧЕНИЕ")});
    ui->Grid->horizontalHeaderItem(0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui->Grid->horizontalHeaderItem(1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The value cells are always being edited: each holds its own editor.
    for (int row = 0; row < kAttributeCount; ++row) {
        auto* edit = new QLineEdit(ui->Grid);
        edit->setObjectName(QString("edValue%1").arg(row + 1));
        edit->setFrame(false);
        SetUpperCaseInput(edit);
        ui->Grid->setCellWidget(row, 1, edit);
        m_values << edit;
    }
    connect(ui->btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->DBGrid, &QAbstractItemView::doubleClicked, this, [this] {
        if (ui->btnOk->isEnabled())
            accept();
    });
    // The criteria grid as high as its rows; the results take the rest.
    ui->Grid->setMinimumHeight(ui->Grid->horizontalHeader()->sizeHint().height() + kAttributeCount * kRowHeight + 4);
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter1->setSizes({ui->Grid->minimumHeight(), 1000});
    resize(600, 415);
}

TExternalSearchForm::~TExternalSearchForm() = default;

bool TExternalSearchForm::RunSearch(int mode, const QStringList& values)
{
    Prepare(mode, values);
    return exec() == QDialog::Accepted;
}

void TExternalSearchForm::Prepare(int mode, const QStringList& values)
{
    if (mode == 0)
        SetPatientMode();
    m_values[0]->setText(values.value(0).toUpper());
    m_query.Close();
}

void TExternalSearchForm::SetPatientMode()
{
    setWindowTitle(QString::fromUtf8("Поиск пациента во внешней базе данных"));
    QStringList titles;
    for (int row = 0; row < kAttributeCount; ++row) {
        auto* item = new QTableWidgetItem(QString::fromUtf8(kAttributes[row]));
        item->setFlags(Qt::ItemIsEnabled);
        ui->Grid->setItem(row, 0, item);
        titles << QString::fromUtf8(kAttributes[row]);
    }
    m_query.SetTitles(titles);
    for (int c = kAttributeCount; c < TExtSearchQuery::ColumnCount; ++c)
        ui->DBGrid->setColumnHidden(c, true);
    SizeAttributeColumn();
}

// As wide as the widest attribute with one more letter, and at least as wide as its title.
void TExternalSearchForm::SizeAttributeColumn()
{
    const QFontMetrics cells(ui->Grid->font());
    const QFontMetrics header(ui->Grid->horizontalHeader()->font());
    int width = header.horizontalAdvance(ui->Grid->horizontalHeaderItem(0)->text());
    for (int row = 0; row < ui->Grid->rowCount(); ++row)
        if (const QTableWidgetItem* item = ui->Grid->item(row, 0))
            width = std::max(width, cells.horizontalAdvance(item->text() + "W"));
    ui->Grid->setColumnWidth(0, width);
}

void TExternalSearchForm::showEvent(QShowEvent* event)
{
    TCommonForm::showEvent(event);
    FocusValue(0);
}

int TExternalSearchForm::CurrentRow() const
{
    const QModelIndex i = ui->DBGrid->currentIndex();
    return i.isValid() ? i.row() : -1;
}

QString TExternalSearchForm::ChosenPaspor() const { return m_query.Value(CurrentRow(), "xpaspor").toString(); }

int TExternalSearchForm::ValueRow() const
{
    QWidget* focus = QApplication::focusWidget();
    for (int row = 0; row < m_values.size(); ++row)
        if (m_values[row] == focus)
            return row;
    return focus == ui->Grid ? std::max(0, ui->Grid->currentRow()) : -1;
}

void TExternalSearchForm::FocusValue(int row)
{
    ui->Grid->setCurrentCell(row, 1);
    m_values[row]->setFocus();
    m_values[row]->end(false);
}

void TExternalSearchForm::SetComment(const QString& text, const char* colour)
{
    ui->lblComment->setFont(PixelFont(font(), 15, true));
    ui->lblComment->setStyleSheet(QString("color: %1;").arg(colour));
    ui->lblComment->setText(text);
    ui->lblComment->show();
}

void TExternalSearchForm::Search()
{
    QStringList texts;
    for (const QLineEdit* e : m_values)
        texts << e->text();
    if (std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.isEmpty(); })) {
        TDialogs::Error(QString::fromUtf8("Не указано значение ни одного атрибута поиска!"));
        return;
    }
    SetComment(QString::fromUtf8("ИДЕТ ПОИСК...ЖДИТЕ"), "blue");
    ui->lblComment->repaint();
    m_query.Close();
    try {
        TExtSearchCriteria criteria;
        criteria.Fam = texts[0];
        criteria.Nam = texts[1];
        criteria.Oth = texts[2];
        if (!texts[3].isEmpty())
            criteria.Day = ParseDate(texts[3]);
        m_query.Open(m_polyFolder, criteria);
    } catch (const std::exception& e) {
        ui->lblComment->hide();
        ui->btnOk->setEnabled(false);
        ShowExceptionMessage(e);
        return;
    }
    const int found = m_query.RecordCount();
    ui->btnOk->setEnabled(found > 0);
    ui->DBGrid->horizontalHeader()->setVisible(found > 0);
    if (found > 0)
        ui->DBGrid->setCurrentIndex(m_query.index(0, 0));
    if (found < 2) {
        ui->lblComment->hide();
    } else {
        ui->DBGrid->setFocus();
        SetComment(QString::fromUtf8("Необходимо выбрать только одного пациента"), "red");
    }
}

bool TExternalSearchForm::FormKeyDown(QKeyEvent* event)
{
    const bool inResults = QApplication::focusWidget() == ui->DBGrid;
    const int valueRow = ValueRow();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (valueRow == kAttributeCount - 1)
            Search();
        else if (valueRow >= 0)
            FocusValue(valueRow + 1);
        else if (inResults && m_query.RecordCount() > 0)
            accept();
        return true;
    case Qt::Key_Escape:
        if (inResults) {
            FocusValue(std::max(0, ui->Grid->currentRow()));
            return true;
        }
        reject();
        return true;
    case Qt::Key_F6:
        if (ui->btnOk->isEnabled())
            accept();
        return true;
    case Qt::Key_F12:
        Search();
        return true;
    default:
        return false;
    }
}
