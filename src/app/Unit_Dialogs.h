#pragma once
// The one seam through which the program asks the operator anything: message boxes,
// questions, folder-browse and file-open dialogs. The windows library installs a presenter
// that shows real dialogs; tests queue answers ahead of time and read back what was asked.
// With neither (the command-line tools), boxes are written to stderr and answered with
// their default button, and file dialogs are cancelled.
#include <QList>
#include <QString>
#include <functional>

enum class TBoxType { Error, Warning, Information, Confirmation };

namespace TButton {
enum : int { OK = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };
}

struct TDialogRequest {
    enum Kind { Message, BrowseFolder, OpenFile, SaveFile } kind = Message;
    TBoxType type = TBoxType::Information;
    QString title;
    QString text;     // message text, or the dialog's caption
    int buttons = 0;  // message boxes: the buttons offered
    QString filter;   // file-open dialogs
    QString start;    // file dialogs: the starting folder
};

class TDialogPresenter {
public:
    virtual ~TDialogPresenter() = default;
    virtual int Message(const TDialogRequest& request, int defaultButton) = 0;
    virtual QString BrowseFolder(const TDialogRequest& request) = 0; // empty: cancelled
    virtual QString OpenFile(const TDialogRequest& request) = 0;     // empty: cancelled
    virtual QString SaveFile(const TDialogRequest&) { return QString(); } // empty: cancelled
};

class TDialogs {
public:
    // A message box of the given type; returns the button pressed.
    static int Message(TBoxType type, const QString& text, int buttons = TButton::OK, int defaultButton = 0);
    static void Error(const QString& text) { Message(TBoxType::Error, text); }
    static void Warning(const QString& text) { Message(TBoxType::Warning, text); }
    static void Information(const QString& text) { Message(TBoxType::Information, text); }
    static QString BrowseFolder(const QString& caption, const QString& start = QString());
    static QString OpenFile(const QString& caption, const QString& filter, const QString& start = QString());
    static QString SaveFile(const QString& caption, const QString& filter, const QString& start = QString());

    // The title every box carries (the application title).
    static void SetTitle(const QString& title);
    static QString Title();

    static void SetPresenter(TDialogPresenter* presenter); // not owned; nullptr removes it

    // Test side: answers are taken in order, before any presenter is asked.
    static void SetNextAnswer(int button);
    static void SetNextPath(const QString& path); // for the next file or folder dialog; empty = cancel
    static const QList<TDialogRequest>& Asked();
    static QString LastText();
    static void ClearAsked();   // also drops answers not yet used
};
