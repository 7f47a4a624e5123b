#pragma once
// The application object of the workstation. It is the program's general error display:
// an exception escaping an event handler is shown to the operator and the event is
// abandoned, so no exception ever crosses the event loop.
#include <QApplication>
#include <exception>

class TVeltaApplication : public QApplication {
    Q_OBJECT
public:
    TVeltaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The text as the general error display shows it: a full stop is appended when the last
// character sorts after the full stop in the character table (a letter or a digit), so
// "...чем 30" gets one and "...цифры!" does not.
QString WithFinalFullStop(const QString& text);

// The general error display itself: an error box with the text (full-stop rule applied);
// an abort shows nothing. For code that catches on its own and wants the same display.
void ShowApplicationException(const std::exception& e);
