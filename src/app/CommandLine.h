#pragma once

#include <QString>
#include <QStringList>

// What the player is asked to do on its command line: `brambleplayer [FILE.mp3 ...]` plays the
// first file named; --help and --version only print.
struct CommandLine {
    enum class Action {
        Run,      // start (or hand `file` to the copy that runs)
        Help,     // print helpText() to standard output
        Version,  // print versionText() to standard output
        Refuse,   // an option the player does not know: print `problem` to standard error
    };
    Action action = Action::Run;
    QString file;     // the first file named; empty: none
    QString problem;  // one line, for Refuse

    // The arguments after the program's name. Options come first or anywhere; "--" ends them,
    // so that a file whose name begins with "-" can be named.
    static CommandLine parse(const QStringList& arguments);
    static QString helpText();
    static QString versionText();
};
