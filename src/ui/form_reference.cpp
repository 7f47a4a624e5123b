#include "ui/form_reference.h"
#include "ui_form_reference.h"
#include "app/Widget_ControlUtils.h"
#include "app/kaStickingBevel.h"
#include <QHash>
#include <QHeaderView>
#include <QSqlRecord>
#include <QKeyEvent>

TReferenceForm::TReferenceForm(QWidget* parent) : TCommonForm(parent), ui(new Ui::ReferenceForm) { Init(); }

TReferenceForm::TReferenceForm(const QSqlDatabase& db, QWidget* parent)
    : TCommonForm(parent), ui(new Ui::ReferenceForm), m_query(db)
{
    Init();
}

TReferenceForm::~TReferenceForm() { DetachWindowHandlers(this); }

void TReferenceForm::Init()
{
    ui->setupUi(this);
    setFixedSize(384, 360);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // A plain window without the focus frame; the one the base creates is drawn in no colour.
    FocusFrame()->SetColor(Qt::transparent);
    SetUpperCaseInput(ui->edSearchString);
    ui->edSearchString->setFocus();
    ui->StatusBar1->showMessage(QString::fromUtf8("ESC - закрыть | ENTER - выбрать и закрыть"));
    ui->Grid->setModel(m_query.Model());
    ui->Grid->horizontalHeader()->setHighlightSections(false);
    connect(ui->Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { sqlReferenceAfterScroll(current.row()); });
    connect(ui->Grid, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    // Every change of the text, typed, deleted or pasted, narrows the list anew; keys that
    // leave the text alone keep the operator's current row.
    connect(ui->edSearchString, &QLineEdit::textEdited, this, &TReferenceForm::Refilter);
}

TReferenceChoice TReferenceForm::PickReference(TReferenceKind kind, const QString& text)
{
    ui->edSearchString->setText(text.toUpper());
    ui->edSearchString->end(false);
    m_query.SetSearchText(ui->edSearchString->text());
    SetKind(kind);
    exec();
    return Choice();
}

void TReferenceForm::SetKind(TReferenceKind kind)
{
    if (isVisible())
        throw EReferenceKindError(QString::fromUtf8("Нельзя менять тип справочника во время его работы!"));
    m_query.SetKind(kind);
    setWindowTitle(QString::fromUtf8("Справочник ") + TReferenceQuery::TitleSuffix(kind));
    Reopen();
}

int TReferenceForm::CurrentRow() const
{
    const QModelIndex current = ui->Grid->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool TReferenceForm::FormKeyDown(QKeyEvent* event)
{
    // The picker's own keys replace the common navigation. The search field is the only
    // control that takes the focus, so every key of the window is one typed there; Up and
    // Down move through the rows instead of between controls.
    switch (event->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!m_query.IsOpen())
            return false;
        if (const int row = CurrentRow() + (event->key() == Qt::Key_Down ? 1 : -1); m_query.FetchRow(row))
            GoToRow(row);
        return true;
    default:
        return false;
    }
}

void TReferenceForm::setVisible(bool visible)
{
    TCommonForm::setVisible(visible);
    // A dialog that appears focuses its field as if tabbed into, which selects the text; the
    // search text is never selected, its caret stays at the end, ready for more letters.
    if (visible) {
        ui->edSearchString->deselect();
        ui->edSearchString->end(false);
    }
}

void TReferenceForm::Refilter()
{
    m_query.SetSearchText(ui->edSearchString->text());
    if (m_query.IsOpen())
        Reopen();
}

namespace {
// The operator reads Russian heads, not the columns' names.
QString ColumnCaption(const QString& column)
{
    static const QHash<QString, const char*> captions{
        {"mprgid", "Код"},        {"mprname1", "Наименование"}, {"mprdose", "Доза"}, {"mprdoseday", "Раз в день"},
        {"cityname", "Город"},    {"citylid", "Код"},           {"poslid", "Код"},   {"posname", "Должность"},
    };
    const char* caption = captions.value(column.toLower());
    return caption ? QString::fromUtf8(caption) : column;
}
}

void TReferenceForm::Reopen()
{
    // The grid is not drawn row by row while the query closes and opens again.
    ui->Grid->setUpdatesEnabled(false);
    m_query.Open();
    // The medicine book shows only the name; the other books show every column. A reopened
    // query resets the grid's columns, so this is done after every opening.
    const int nameColumn = TReferenceQuery::NameColumn(m_query.Kind());
    QSqlQueryModel* model = m_query.Model();
    for (int c = 0; c < model->columnCount(); ++c) {
        ui->Grid->setColumnHidden(c, m_query.Kind() == TReferenceKind::Medicine && c != nameColumn);
        model->setHeaderData(c, Qt::Horizontal, ColumnCaption(model->record().fieldName(c)));
    }
    GoToRow(0);
    ui->Grid->setUpdatesEnabled(true);
}

void TReferenceForm::GoToRow(int row)
{
    if (!m_query.FetchRow(row)) {
        // An empty list has no current row; the grid does not report losing the one it had
        // when the query reopened, so the found text is emptied here.
        ui->Grid->selectionModel()->clear();
        sqlReferenceAfterScroll(-1);
        return;
    }
    const QModelIndex index = m_query.Model()->index(row, TReferenceQuery::NameColumn(m_query.Kind()));
    ui->Grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui->Grid->scrollTo(index);
    sqlReferenceAfterScroll(row);
}

void TReferenceForm::sqlReferenceAfterScroll(int row) { ui->edFirstFound->setText(m_query.NameText(row).toUpper()); }

TReferenceChoice TReferenceForm::Choice() const
{
    TReferenceChoice choice;
    const int row = CurrentRow();
    if (result() != QDialog::Accepted || row < 0)
        return choice;
    choice.Chosen = true;
    choice.Id = m_query.Id(row);
    choice.Found = ui->edFirstFound->text();
    choice.Row = m_query.Record(row);
    return choice;
}
