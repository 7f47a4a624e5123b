#include "ui/Widget_ReportPreview.h"
#include "app/Unit_Dialogs.h"
#include "app/Unit_Exceptions.h"
#include "app/Widget_Application.h"
#include "reports/Unit_ReportBase.h"
#include "ui/FormWait.h"
#include <QAction>
#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

const char* const kSavePdfText = "Сохранить в PDF";

void ShowReportPreview(const TReportLayout& layout)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(layout.PageOrientation() == TReportLayout::Portrait ? QPageLayout::Portrait
                                                                                  : QPageLayout::Landscape);
    // The layout keeps its own margins, measured from the sheet's edge.
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setDocName(layout.Title());

    QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("ReportPreview"));
    dialog.setWindowTitle(layout.Title());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&layout](QPrinter* p) {
        QPainter painter(p);
        layout.Paint(painter, *p);
    });
    auto save = new QAction(QString::fromUtf8(kSavePdfText), &dialog);
    save->setObjectName(QStringLiteral("actSavePdf"));
    QObject::connect(save, &QAction::triggered, &dialog, [&layout] {
        QString file = TDialogs::SaveFile(QString::fromUtf8(kSavePdfText), QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty())
            return;
        if (!file.endsWith(".pdf", Qt::CaseInsensitive))
            file += ".pdf";
        try {
            layout.SaveToPdf(file);
        } catch (const std::exception& e) {
            ShowApplicationException(e);
        }
    });
    if (QToolBar* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(save);
    } else {
        dialog.addAction(save);
    }
    dialog.resize(1000, 760);
    dialog.exec();
}

void InstallReportHooks()
{
    ReportHooks().Preview = [](const TReportLayout& layout) { ShowReportPreview(layout); };
    ReportHooks().CloseWait = [] { ShowWait(false); };
}
