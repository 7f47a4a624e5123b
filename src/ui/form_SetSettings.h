#pragma once
// The settings window: the four storage locations of the workstation, chosen only through
// folder-browse dialogs. A server installation shows only the two exchange folders.
#include "app/form_Common.h"
#include <memory>

namespace Ui { class SetSettingsForm; }
class QLineEdit;
class QPushButton;

class TSetSettingsForm : public TCommonForm {
    Q_OBJECT
public:
    enum TLocation { MainDB, PolyDB, ImportDB, ExportDB };

    explicit TSetSettingsForm(QWidget* parent = nullptr);
    ~TSetSettingsForm() override;

    // The four texts that are saved, in TLocation order.
    void SetLocation(TLocation location, const QString& path);
    QString Location(TLocation location) const;

    // Asks for the folder of one location; a chosen folder is shown with one trailing "/".
    void Browse(TLocation location);

    bool FormKeyDown(QKeyEvent* event) override;
    void done(int result) override; // asks before closing with OK

private:
    QLineEdit* Edit(TLocation location) const;
    QPushButton* BrowseButton(TLocation location) const;
    void UpdateOK();
    void RedirectFocus(QWidget* focused);

    std::unique_ptr<Ui::SetSettingsForm> ui;
    bool m_server = false;
};

// Shows the window over the current locations; confirmed: stores the four texts into the
// settings object and saves them. Returns whether it was confirmed.
bool RunSettings();
