#include "reports/Unit_ReportLayout.h"
#include "app/Unit_Exceptions.h"
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

namespace {
const double kA4Width = 210;
const double kA4Height = 297;
const double kPadding = 0.6; // millimetres between a frame and its text
const double kLineWidth = 0.2;
}

QString TReportCell::Resolve(const QSqlRecord& row, int rowNumber) const
{
    if (expression)
        return expression(row, rowNumber);
    if (!field.isEmpty())
        return row.value(field).toString();
    return text;
}

TReportCell& TReportBand::Add(const QRectF& rect, const QString& text)
{
    TReportCell c;
    c.rect = rect;
    c.text = text;
    cells.push_back(std::move(c));
    return cells.back();
}

TReportCell* TReportBand::Find(const QString& text)
{
    for (TReportCell& c : cells)
        if (c.text == text)
            return &c;
    return nullptr;
}

TReportLayout::TReportLayout(Orientation orientation, TReportMargins margins)
    : m_orientation(orientation), m_margins(margins)
{
}

QSizeF TReportLayout::PageSize() const
{
    return m_orientation == Portrait ? QSizeF(kA4Width, kA4Height) : QSizeF(kA4Height, kA4Width);
}

double TReportLayout::PrintableWidth() const { return PageSize().width() - m_margins.left - m_margins.right; }

TReportBand& TReportLayout::AddTitleBand(double height)
{
    m_title_bands.push_back(TReportBand{height, {}});
    return m_title_bands.back();
}

void TReportLayout::AddDetail(const TReportBand& band) { m_details.push_back(band); }

void TReportLayout::AddDetail(const TReportBand& templateBand, const QSqlRecord& row, int rowNumber)
{
    TReportBand band{templateBand.height, {}};
    band.cells.reserve(templateBand.cells.size());
    for (const TReportCell& t : templateBand.cells) {
        TReportCell c = t;
        c.text = t.Resolve(row, rowNumber);
        c.field.clear();
        c.expression = nullptr;
        band.cells.push_back(std::move(c));
    }
    m_details.push_back(std::move(band));
}

std::vector<std::vector<TReportLayout::TPlacedBand>> TReportLayout::Pages() const
{
    const double usable = PageSize().height() - m_margins.top - m_margins.bottom;
    std::vector<std::vector<TPlacedBand>> pages(1);
    double y = 0;
    auto place = [&](const TReportBand& b) {
        pages.back().push_back({&b, y});
        y += b.height;
    };
    auto newPage = [&] {
        pages.emplace_back();
        y = 0;
        if (!m_columnHeader.cells.empty())
            place(m_columnHeader);
    };
    for (const TReportBand& b : m_title_bands) {
        if (y + b.height > usable && !pages.back().empty()) {
            pages.emplace_back();
            y = 0;
        }
        place(b);
    }
    if (!m_columnHeader.cells.empty()) {
        // A header with no room for a single row under it starts the next page instead.
        const double first = m_details.empty() ? 0 : m_details.front().height;
        if (y + m_columnHeader.height + first > usable && !pages.back().empty()) {
            pages.emplace_back();
            y = 0;
        }
        place(m_columnHeader);
    }
    const double headerHeight = m_columnHeader.cells.empty() ? 0 : m_columnHeader.height;
    for (const TReportBand& b : m_details) {
        // A band taller than a page would never fit: it is printed cut rather than looping.
        if (y + b.height > usable && y > headerHeight)
            newPage();
        place(b);
    }
    return pages;
}

void TReportLayout::Paint(QPainter& painter, QPagedPaintDevice& device) const
{
    const double dpmmX = device.logicalDpiX() / 25.4;
    const double dpmmY = device.logicalDpiY() / 25.4;
    auto toDevice = [&](double xMm, double yMm, double wMm, double hMm) {
        return QRectF(xMm * dpmmX, yMm * dpmmY, wMm * dpmmX, hMm * dpmmY);
    };
    QPen pen(Qt::black);
    pen.setWidthF(kLineWidth * dpmmX);
    const auto pages = Pages();
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            device.newPage();
        for (const TPlacedBand& placed : pages[p]) {
            for (const TReportCell& c : placed.band->cells) {
                const double x = m_margins.left + c.rect.x();
                const double y = m_margins.top + placed.top + c.rect.y();
                const QRectF r = toDevice(x, y, c.rect.width(), c.rect.height());
                if (c.frame) {
                    painter.setPen(pen);
                    painter.setBrush(Qt::NoBrush);
                    painter.drawRect(r);
                }
                if (c.text.isEmpty())
                    continue;
                QFont font(c.fontFamily);
                font.setPointSizeF(c.pointSize);
                font.setBold(c.bold);
                painter.setFont(font);
                painter.setPen(Qt::black);
                const QRectF inner = r.adjusted(kPadding * dpmmX, 0, -kPadding * dpmmX, 0);
                int flags = int(c.alignment);
                if (c.wordWrap)
                    flags |= Qt::TextWordWrap;
                painter.save();
                painter.setClipRect(r);
                painter.drawText(inner, flags, c.text);
                painter.restore();
            }
        }
    }
}

void TReportLayout::SaveToPdf(const QString& fileName) const
{
    QPdfWriter writer(fileName);
    if (!QFileInfo(fileName).absoluteDir().exists())
        throw EFileError(QString::fromUtf8("Не удаётся записать файл \"%1\".").arg(fileName));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(m_orientation == Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setTitle(m_title);
    writer.setCreator(QStringLiteral("VELTA"));
    QPainter painter;
    if (!painter.begin(&writer))
        throw EFileError(QString::fromUtf8("Не удаётся записать файл \"%1\".").arg(fileName));
    Paint(painter, writer);
    painter.end();
}
