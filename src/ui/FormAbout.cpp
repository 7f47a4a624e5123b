#include "ui/FormAbout.h"
#include "app/Unit_GlobalObjects.h"
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QFont PixelFont(const QFont& base, int pixels, bool bold = false)
{
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}
}

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(437, 311);

    auto icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    QIcon appIcon = QApplication::windowIcon();
    if (appIcon.isNull())
        appIcon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    icon->setPixmap(appIcon.pixmap(32, 32));
    icon->setFixedSize(32, 32);

    auto label1 = new QLabel(QStringLiteral("АИС VELTA"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    QFont times(QStringLiteral("Times New Roman"));
    label1->setFont(PixelFont(times, 24, true));

    auto label2 = new QLabel(QStringLiteral("Автоматизированная информационная система \n"
                                            "VELTA (подсистема сбора данных)\n"
                                            "  \n"
                                            "Версия 1.02 (от 21.02.2005)"),
                             this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setFont(PixelFont(label2->font(), 16));
    label2->setWordWrap(true);
    label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Where this workstation keeps its own files (portable folder or the home folder).
    QString settingsFile, logFolder;
    if (TAppInfo* info = AppInfo()) {
        settingsFile = info->FileName();
        logFolder = info->LogFolder();
    } else {
        const TFileLocations where = TFileLocations::For(QCoreApplication::applicationFilePath());
        settingsFile = where.SettingsFile;
        logFolder = where.LogFolder;
    }
    auto lblFiles = new QLabel(QStringLiteral("Файл настроек:\n%1\nПапка журнала обмена:\n%2").arg(settingsFile, logFolder),
                               this);
    lblFiles->setObjectName(QStringLiteral("lblFiles"));
    lblFiles->setWordWrap(true);
    lblFiles->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblFiles->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto btnClose = new QPushButton(QStringLiteral("Закрыть"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto right = new QVBoxLayout;
    right->addWidget(label1);
    right->addWidget(label2, 1);
    right->addWidget(lblFiles);
    auto buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    right->addLayout(buttons);

    auto iconColumn = new QVBoxLayout;
    iconColumn->addWidget(icon);
    iconColumn->addStretch();

    auto main = new QHBoxLayout(this);
    main->setContentsMargins(5, 5, 5, 5);
    main->setSpacing(13);
    main->addLayout(iconColumn);
    main->addLayout(right, 1);
}
