#pragma once
// The print preview of a report: the pages of its layout with zoom, page setup and printing,
// and "Сохранить в PDF", which writes the same pages to a file. Returns when it is closed.
#include "reports/Unit_ReportLayout.h"

void ShowReportPreview(const TReportLayout& layout);

// The report layer's window side: the preview, and the wait window closed once a report
// has collected its data.
void InstallReportHooks();

// The save action's text; tests find the action by it.
extern const char* const kSavePdfText;
