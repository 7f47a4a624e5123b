#pragma once
// The login window, also the window in which an operator changes his password.
// Start-up runs ShowLogin(); the main window runs the password change:
//     TLoginForm f; f.SetMode(TLoginForm::ModePasswordChange); f.exec();
#include "app/form_Common.h"
#include <memory>

namespace Ui { class LoginForm; }

class TLoginForm : public TCommonForm {
    Q_OBJECT
public:
    enum TMode { ModeLogin = 0, ModePasswordChange = 1 };

    explicit TLoginForm(QWidget* parent = nullptr);
    ~TLoginForm() override;

    void SetMode(int mode); // after creation, before showing
    int Mode() const { return m_mode; }

    // Modal login. Confirmed: the login context is filled, with the polyclinic chosen here,
    // and the window stays on screen with its loading note until the main window closes it.
    bool ShowLogin();

    // The key of the polyclinic selected in the list; -1 when none is.
    int SelectedHspGID() const;

    void LoadSettings() override;
    void SaveSettings() override;
    bool FormKeyDown(QKeyEvent* event) override;

private:
    void btnOKClick();
    void UpdateDefaultButton(QWidget* focused);
    void FillHospitalList();

    std::unique_ptr<Ui::LoginForm> ui;
    int m_mode = ModeLogin;
};
