#include "app/Unit_Dialogs.h"
#include <QQueue>
#include <cstdio>

namespace {
TDialogPresenter* g_presenter = nullptr;
QString g_title;
QQueue<int> g_answers;
QQueue<QString> g_paths;
QList<TDialogRequest> g_asked;

int FirstButton(int buttons)
{
    for (int b : {TButton::OK, TButton::Yes, TButton::No, TButton::Cancel})
        if (buttons & b)
            return b;
    return TButton::OK;
}
}

int TDialogs::Message(TBoxType type, const QString& text, int buttons, int defaultButton)
{
    TDialogRequest r;
    r.kind = TDialogRequest::Message;
    r.type = type;
    r.title = g_title;
    r.text = text;
    r.buttons = buttons;
    g_asked.append(r);
    if (!g_answers.isEmpty())
        return g_answers.dequeue();
    if (defaultButton == 0)
        defaultButton = FirstButton(buttons);
    if (g_presenter)
        return g_presenter->Message(r, defaultButton);
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    return defaultButton;
}

QString TDialogs::BrowseFolder(const QString& caption, const QString& start)
{
    TDialogRequest r;
    r.kind = TDialogRequest::BrowseFolder;
    r.title = caption;
    r.text = caption;
    r.start = start;
    g_asked.append(r);
    if (!g_paths.isEmpty())
        return g_paths.dequeue();
    return g_presenter ? g_presenter->BrowseFolder(r) : QString();
}

namespace {
// The file dialogs differ only in their kind and the presenter's call.
QString AskFile(TDialogRequest::Kind kind, const QString& caption, const QString& filter, const QString& start)
{
    TDialogRequest r;
    r.kind = kind;
    r.title = caption;
    r.text = caption;
    r.filter = filter;
    r.start = start;
    g_asked.append(r);
    if (!g_paths.isEmpty())
        return g_paths.dequeue();
    if (!g_presenter)
        return QString();
    return kind == TDialogRequest::SaveFile ? g_presenter->SaveFile(r) : g_presenter->OpenFile(r);
}
}

QString TDialogs::OpenFile(const QString& caption, const QString& filter, const QString& start)
{
    return AskFile(TDialogRequest::OpenFile, caption, filter, start);
}

QString TDialogs::SaveFile(const QString& caption, const QString& filter, const QString& start)
{
    return AskFile(TDialogRequest::SaveFile, caption, filter, start);
}

void TDialogs::SetTitle(const QString& title) { g_title = title; }
QString TDialogs::Title() { return g_title; }
void TDialogs::SetPresenter(TDialogPresenter* presenter) { g_presenter = presenter; }
void TDialogs::SetNextAnswer(int button) { g_answers.enqueue(button); }
void TDialogs::SetNextPath(const QString& path) { g_paths.enqueue(path); }
const QList<TDialogRequest>& TDialogs::Asked() { return g_asked; }
QString TDialogs::LastText() { return g_asked.isEmpty() ? QString() : g_asked.last().text; }

void TDialogs::ClearAsked()
{
    g_asked.clear();
    g_answers.clear();
    g_paths.clear();
}
