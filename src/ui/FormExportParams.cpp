#include "ui/FormExportParams.h"
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfmExportParams::TfmExportParams(QWidget* parent)
    : QDialog(parent),
      m_rbLastExport(new QRadioButton(QStringLiteral("с момента последнего экспорта"), this)),
      m_rbCustomDate(new QRadioButton(QStringLiteral("с произвольной даты"), this)),
      m_edCustomExportDate(new QDateTimeEdit(this))
{
    setObjectName(QStringLiteral("fmExportParams"));
    setWindowTitle(QStringLiteral("Запрос"));
    resize(396, 151);

    auto lbl1 = new QLabel(QStringLiteral("Укажите дату, начиная с которой выгрузить данные"), this);
    lbl1->setObjectName(QStringLiteral("lbl1"));
    m_rbLastExport->setObjectName(QStringLiteral("rbLastExport"));
    m_rbCustomDate->setObjectName(QStringLiteral("rbCustomDate"));
    m_rbLastExport->setChecked(true);

    // A date-time editor showing the date only: picking another date keeps the time of day,
    // which the export takes as part of its starting moment.
    m_edCustomExportDate->setObjectName(QStringLiteral("edCustomExportDate"));
    m_edCustomExportDate->setDisplayFormat(QLocale().dateFormat(QLocale::LongFormat));
    m_edCustomExportDate->setCalendarPopup(true);
    m_edCustomExportDate->setDateTime(QDateTime(QDate(2005, 5, 25), QTime(11, 17, 54)));
    m_edCustomExportDate->installEventFilter(this);

    auto btn1 = new QPushButton(QStringLiteral("OK"), this);
    btn1->setObjectName(QStringLiteral("btn1"));
    btn1->setDefault(true);
    auto btn2 = new QPushButton(QStringLiteral("Отмена"), this);
    btn2->setObjectName(QStringLiteral("btn2"));
    connect(btn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(btn2, &QPushButton::clicked, this, &QDialog::reject);

    auto custom = new QHBoxLayout;
    custom->addWidget(m_rbCustomDate);
    custom->addWidget(m_edCustomExportDate, 1);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btn1);
    buttons->addWidget(btn2);
    auto main = new QVBoxLayout(this);
    main->addWidget(lbl1);
    main->addWidget(m_rbLastExport);
    main->addLayout(custom);
    main->addStretch();
    main->addLayout(buttons);
}

bool TfmExportParams::CustomDateChosen() const { return m_rbCustomDate->isChecked(); }
QDateTime TfmExportParams::CustomDateTime() const { return m_edCustomExportDate->dateTime(); }

bool TfmExportParams::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edCustomExportDate && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
        m_rbCustomDate->setChecked(true);
    return QDialog::eventFilter(watched, event);
}
