#pragma once
// The banded page layout every report prints through: an A4 page with its orientation and
// margins in millimetres, a title band printed once at the top of the first page, a column
// header band printed at the top of every page, and detail bands flowing below, a new page
// beginning whenever the next band does not fit. A band holds cells placed in millimetres,
// each with its text, frame, font, alignment and word wrap.
//
// The same layout paints into the print preview and into a PDF file, so both show the same
// pages:
//
//     TReportLayout layout(TReportLayout::Portrait, {10, 10, 10, 10});
//     TReportBand& title = layout.AddTitleBand(12);
//     title.Add({0, 0, 190, 12}, "Заголовок").Framed().Center();
//     layout.SaveToPdf("/tmp/report.pdf");
//
// Detail bands are made from a template whose cells hold fixed text, a field of the current
// query row or an expression over it; AddDetail resolves them for one row.
#include <QRectF>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

struct TReportCell {
    // What a detail template's cell shows for a row; fixed text ignores the row.
    using TExpression = std::function<QString(const QSqlRecord& row, int rowNumber)>;

    QRectF rect;            // millimetres, relative to the band's top left corner
    QString text;           // fixed or run-time text; "\n" separates lines
    QString field;          // detail templates: the row's field shown instead of text
    TExpression expression; // detail templates: computed instead of text
    bool frame = false;
    QString fontFamily = QStringLiteral("Times New Roman");
    double pointSize = 12;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wordWrap = false;

    TReportCell& Framed(bool on = true) { frame = on; return *this; }
    TReportCell& Size(double pt) { pointSize = pt; return *this; }
    TReportCell& Bold(bool on = true) { bold = on; return *this; }
    TReportCell& Align(Qt::Alignment a) { alignment = a; return *this; }
    TReportCell& Center() { alignment = Qt::AlignCenter; return *this; }
    TReportCell& Top() { alignment = (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop; return *this; }
    TReportCell& Wrap(bool on = true) { wordWrap = on; return *this; }
    TReportCell& Field(const QString& name) { field = name; return *this; }
    TReportCell& Expression(TExpression e) { expression = std::move(e); return *this; }

    // The text this cell shows for a row.
    QString Resolve(const QSqlRecord& row, int rowNumber) const;
};

struct TReportBand {
    double height = 0; // millimetres
    std::vector<TReportCell> cells;

    // Appends a cell and returns it for further settings; the reference lasts until the
    // next Add on this band.
    TReportCell& Add(const QRectF& rect, const QString& text = QString());
    // The cell whose text equals text, or nullptr.
    TReportCell* Find(const QString& text);
};

struct TReportMargins {
    double left = 10, top = 10, right = 10, bottom = 10;
};

class TReportLayout {
public:
    enum Orientation { Portrait, Landscape };

    TReportLayout(Orientation orientation = Portrait, TReportMargins margins = {});

    Orientation PageOrientation() const { return m_orientation; }
    const TReportMargins& Margins() const { return m_margins; }
    QSizeF PageSize() const; // A4 in millimetres, turned for the orientation
    double PrintableWidth() const;

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    TReportBand& AddTitleBand(double height);
    TReportBand& ColumnHeader() { return m_columnHeader; }
    void AddDetail(const TReportBand& band);
    // Resolves the template's cells for one row of the report's query.
    void AddDetail(const TReportBand& templateBand, const QSqlRecord& row, int rowNumber);

    const std::vector<TReportBand>& TitleBands() const { return m_title_bands; }
    const std::vector<TReportBand>& Details() const { return m_details; }

    // Bands placed on pages: the page's bands with their top edge in millimetres from the
    // page's top margin.
    struct TPlacedBand { const TReportBand* band; double top; };
    std::vector<std::vector<TPlacedBand>> Pages() const;
    int PageCount() const { return int(Pages().size()); }

    // Paints every page on the device (a printer or a PDF writer set to A4 of this
    // orientation, whole page, no margins of its own); the painter is active on it.
    void Paint(QPainter& painter, QPagedPaintDevice& device) const;
    // Writes the pages as a PDF file; throws EFileError when the file cannot be written.
    void SaveToPdf(const QString& fileName) const;

private:
    Orientation m_orientation;
    TReportMargins m_margins;
    QString m_title;
    std::vector<TReportBand> m_title_bands;
    TReportBand m_columnHeader;
    std::vector<TReportBand> m_details;
};
