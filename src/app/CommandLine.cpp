#include "app/CommandLine.h"

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
        } else if (options &&
                   (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            line.action = Action::Help;
            return line;
        } else if (options && argument == QLatin1String("--version")) {
            line.action = Action::Version;
            return line;
        } else if (options && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            line.action = Action::Refuse;
            line.problem = QStringLiteral(
                               "brambleplayer: unbekannte Option \"%1\" (Aufruf: "
                               "brambleplayer --help)")
                               .arg(argument);
            return line;
        } else if (line.file.isEmpty()) {
            line.file = argument;
        }
    }
    return line;
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Aufruf: brambleplayer [OPTION] [DATEI.mp3 ...]\n"
        "MP3-Brambleplayer: ein MP3-Player mit einer Playlist aus Musikverzeichnissen.\n"
        "\n"
        "Mit einer MP3-Datei spielt der Player diese ab (bei mehreren Dateien die erste),\n"
        "wie \"Open\" es tut: die Playlist bleibt, wie sie ist. Läuft der Player schon,\n"
        "übernimmt der laufende Player die Datei und kommt nach vorn.\n"
        "\n"
        "  -h, --help     diese Hilfe zeigen\n"
        "      --version  die Version zeigen\n");
}

QString CommandLine::versionText() {
    return QStringLiteral("MP3-Brambleplayer " BRAMBLE_VERSION "\n");
}
