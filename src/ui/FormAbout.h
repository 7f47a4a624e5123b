#pragma once
// The About window, opened from the main window's menu.
#include <QDialog>

class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent = nullptr);
};
