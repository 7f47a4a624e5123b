#pragma once
// The real dialogs behind the dialog seam: message boxes and the two file dialogs of the
// window toolkit. The program installs them once at start; tests never do.
#include "app/Unit_Dialogs.h"

class TWidgetDialogPresenter : public TDialogPresenter {
public:
    int Message(const TDialogRequest& request, int defaultButton) override;
    QString BrowseFolder(const TDialogRequest& request) override;
    QString OpenFile(const TDialogRequest& request) override;
    QString SaveFile(const TDialogRequest& request) override;
};

// Makes the seam show real dialogs for the rest of the run.
void InstallWidgetDialogs();

// "\r\n" and a lone "\r" in the program's texts are line breaks.
QString MessageLines(const QString& text);
