#pragma once
// The parts of a page every report prints above its table: the title memo and the block of
// parameters (period, city, areas, ages, sex). Summary reports print the block as a framed
// form; the patient lists print it unframed in their title band.
#include "reports/Unit_ReportBase.h"

// Millimetres per printed line of 12 pt text.
inline constexpr double kLineHeight = 5.0;

// The title memo across the printable width: one line per entry of lines.
void AddTitleMemo(TReportLayout& layout, const QStringList& lines, double pointSize, bool framed);

// The framed header block of the summary reports, rows 1 to 14 (the last being the head of
// the table "Показатели", "Абс.", "%"). shortAreaCaption: the three-line wording of the area
// row that reports 3 and 4 use, with the area text on the cell's second line.
void AddSummaryHeader(TReportLayout& layout, const TReportParams& params, bool shortAreaCaption);

// The unframed parameter block of the patient lists' title band.
void AddListHeader(TReportLayout& layout, const TReportParams& params);

// The "X" under the chosen sex: cells for "Все", "   Мужской  ", "  Женский  ".
QStringList SexMarks(int sex);
