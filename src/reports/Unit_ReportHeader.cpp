#include "reports/Unit_ReportHeader.h"

namespace {
const double kFormLeft = 7;    // the form starts 7 mm into the printable band
const double kFormWidth = 177; // and is as wide as the table under it

QString Day(const QDate& d) { return QString::number(d.day()); }
QString Month(const QDate& d) { return QString::number(d.month()); }
QString Year(const QDate& d) { return QString::number(d.year()); }

// One row of framed cells, left to right, each (width, text).
TReportBand& FramedRow(TReportLayout& layout, double height, const std::vector<std::pair<double, QString>>& cells,
                       Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    TReportBand& band = layout.AddTitleBand(height);
    double x = kFormLeft;
    for (const auto& [w, text] : cells) {
        band.Add({x, 0, w, height}, text).Framed().Align(align);
        x += w;
    }
    return band;
}

void Separator(TReportLayout& layout, double height)
{
    FramedRow(layout, height, {{kFormWidth, QString()}});
}
} // namespace

QStringList SexMarks(int sex)
{
    return {sex == 2 ? "X" : "", sex == 1 ? "X" : "", sex == 0 ? "X" : ""};
}

void AddTitleMemo(TReportLayout& layout, const QStringList& lines, double pointSize, bool framed)
{
    const double lineHeight = kLineHeight * pointSize / 12.0;
    TReportBand& band = layout.AddTitleBand(lines.size() * lineHeight + 3);
    const double left = framed ? kFormLeft : 0;
    const double width = framed ? kFormWidth : layout.PrintableWidth();
    band.Add({left, 0, width, lines.size() * lineHeight + 2}, lines.join('\n'))
        .Framed(framed)
        .Size(pointSize)
        .Center();
}

void AddSummaryHeader(TReportLayout& layout, const TReportParams& p, bool shortAreaCaption)
{
    const double h = kLineHeight + 1;
    FramedRow(layout, h, {{126, ""}, {17, "День"}, {17, "Месяц"}, {17, "Год"}});
    FramedRow(layout, h, {{126, " Начало отчётного периода"}, {17, Day(p.Start)}, {17, Month(p.Start)}, {17, Year(p.Start)}});
    FramedRow(layout, h, {{126, " Окончание отчётного периода"}, {17, Day(p.Stop)}, {17, Month(p.Stop)}, {17, Year(p.Stop)}});
    Separator(layout, h);
    {
        TReportBand& b = FramedRow(layout, h, {{106, " Название населённого пункта"}, {71, p.CityCaption()}});
        b.cells[0].Center();
    }
    if (shortAreaCaption) {
        TReportBand& b = FramedRow(layout, 3 * kLineHeight + 1,
                                   {{106, " Номер терапевтического участка\n (заполнение не обязательно для сельской\n  местности)"},
                                    {71, "\n" + p.AreaText + "\n"}});
        b.cells[1].Wrap(false);
    } else {
        FramedRow(layout, 4 * kLineHeight + 1,
                  {{106, "Номер (номера) терапевтического участка \n(участков)\n(заполнение не обязательно для сельской\nместности)"},
                   {71, p.AreaText}});
    }
    Separator(layout, h);
    {
        const double hh = 3 * kLineHeight + 1;
        TReportBand& b = layout.AddTitleBand(hh);
        b.Add({kFormLeft, 0, 113, hh}, "\nУказать возрастную группу\n(заполнение не обязательно)").Framed();
        b.Add({kFormLeft + 113, 0, 32, hh / 2}, "Возраст минимальный").Framed().Center().Size(9);
        b.Add({kFormLeft + 145, 0, 32, hh / 2}, "Возраст максимальный").Framed().Center().Size(9);
        b.Add({kFormLeft + 113, hh / 2, 32, hh / 2}, QString::number(p.AgeMin)).Framed().Center();
        b.Add({kFormLeft + 145, hh / 2, 32, hh / 2}, QString::number(p.AgeMax)).Framed().Center();
    }
    Separator(layout, h);
    {
        TReportBand& b = layout.AddTitleBand(2 * h);
        b.Add({kFormLeft, 0, 111, 2 * h}, "Указать пол\n(заполнение не обязательно)").Framed();
        const QStringList heads = {"Все", "   Мужской  ", "  Женский  "};
        const QStringList marks = SexMarks(p.Sex);
        for (int i = 0; i < 3; ++i) {
            b.Add({kFormLeft + 111 + 22.0 * i, 0, 22, h}, heads[i]).Framed().Center();
            b.Add({kFormLeft + 111 + 22.0 * i, h, 22, h}, marks[i]).Framed().Center();
        }
    }
    Separator(layout, 2 * h);
    FramedRow(layout, h, {{7, ""}, {122, "Показатели"}, {24, "Абс."}, {24, "%"}}, Qt::AlignCenter);
}

void AddListHeader(TReportLayout& layout, const TReportParams& p)
{
    const double h = kLineHeight;
    const double valueLeft = 110;
    auto row = [&](double height, const QString& caption, const std::vector<std::pair<double, QString>>& values,
                   Qt::Alignment align = Qt::AlignCenter) {
        TReportBand& b = layout.AddTitleBand(height);
        b.Add({0, 0, valueLeft, height}, caption);
        double x = valueLeft;
        for (const auto& [w, text] : values) {
            b.Add({x, 0, w, height}, text).Align(align);
            x += w;
        }
    };
    row(h, "", {{17, "День"}, {17, "Месяц"}, {17, "Год"}});
    row(h, "Начало отчётного периода", {{17, Day(p.Start)}, {17, Month(p.Start)}, {17, Year(p.Start)}});
    row(h, "Окончание отчётного периода", {{17, Day(p.Stop)}, {17, Month(p.Stop)}, {17, Year(p.Stop)}});
    row(h, "Название населённого пункта", {{120, p.CityCaption()}}, Qt::AlignLeft | Qt::AlignVCenter);
    row(4 * h, "Номер (номера) терапевтического участка \n(участков)\n(заполнение не обязательно для сельской\nместности)",
        {{120, p.AreaText}}, Qt::AlignLeft | Qt::AlignVCenter);
    {
        TReportBand& b = layout.AddTitleBand(3 * h);
        b.Add({0, 0, valueLeft, 3 * h}, "\nУказать возрастную группу\n(заполнение не обязательно)");
        b.Add({valueLeft, 0, 45, h}, "Возраст минимальный").Center();
        b.Add({valueLeft + 45, 0, 45, h}, "Возраст максимальный").Center();
        b.Add({valueLeft, h, 45, h}, QString::number(p.AgeMin)).Center();
        b.Add({valueLeft + 45, h, 45, h}, QString::number(p.AgeMax)).Center();
    }
    {
        TReportBand& b = layout.AddTitleBand(2 * h + 2);
        b.Add({0, 0, valueLeft, 2 * h}, "Указать пол\n(заполнение не обязательно)");
        const QStringList heads = {"Все", "   Мужской  ", "  Женский  "};
        const QStringList marks = SexMarks(p.Sex);
        for (int i = 0; i < 3; ++i) {
            b.Add({valueLeft + 22.0 * i, 0, 22, h}, heads[i]).Center();
            b.Add({valueLeft + 22.0 * i, h, 22, h}, marks[i]).Center();
        }
    }
}
