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

    // Shows a folder proposed for an unset location; it is created when the window is
    // confirmed with it and it does not exist.
    void ProposeLocation(TLocation location, const QString& path);

    // Asks for the folder of one location, starting in the location's folder (the home
    // folder when that does not exist); a chosen folder is shown with one trailing "/".
    void Browse(TLocation location);

    bool FormKeyDown(QKeyEvent* event) override;
    void done(int result) override; // asks before closing with OK

private:
    void ShowLocation(TLocation location, const QString& path);
    QLineEdit* Edit(TLocation location) const;
    QPushButton* BrowseButton(TLocation location) const;
    void UpdateOK();
    void RedirectFocus(QWidget* focused);
    bool CreateProposedFolders();

    std::unique_ptr<Ui::SetSettingsForm> ui;
    bool m_server = false;
    QString m_proposed[4];
};

// Shows the window over the current locations (unset database and exchange folders
// proposed under the home folder: ~/velta/main, ~/velta/import, ~/velta/export); confirmed:
// stores the four texts into the settings object and saves them. Returns whether it was
// confirmed.
bool RunSettings();
