#pragma once
// Where the program keeps its own files: the settings file, the alias registry and the
// exchange log. The one place that decides it; velta and velta-admin both ask here.
//
// A program folder we can write into is a portable folder: the settings file is the
// executable's path with ".ini" appended, the alias registry and "log.txt" lie beside it.
// An installed program (a folder we cannot write into, such as /usr/bin) keeps its settings
// in $XDG_CONFIG_HOME/velta/ (~/.config/velta/) and its log in $XDG_STATE_HOME/velta/
// (~/.local/state/velta/). "Can write" is an actual probe: a file created and removed in
// the folder, because permission bits say "writable" to root on any folder.
#include <QString>
#include <functional>

struct TFileLocations {
    QString SettingsFile; // full path of velta.ini
    QString AliasFile;    // aliases.ini beside it
    QString LogFolder;    // folder of log.txt, ending in "/"
    bool Portable = true;

    // The locations of the program at executablePath, with the folder probe given (tests
    // answer it) or the real one.
    static TFileLocations For(const QString& executablePath);
    static TFileLocations For(const QString& executablePath, const std::function<bool(const QString&)>& canWrite);

    // True when a file can be created in folder. A folder that does not exist yet counts as
    // writable when its nearest existing ancestor is a folder that is.
    static bool CanWriteFolder(const QString& folder);

    // $XDG_CONFIG_HOME/velta/ and $XDG_STATE_HOME/velta/ (an unset, empty or relative value
    // means ~/.config and ~/.local/state), ending in "/".
    static QString ConfigFolder();
    static QString StateFolder();

    // The folder proposed for an unset location of the settings window: ~/velta/<name>/.
    static QString ProposedFolder(const QString& name);
};
