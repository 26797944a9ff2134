#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The player's seven persistent settings, in the order settings.cfg stores them. The defaults
// are the values a player starts with when nothing could be read.
struct Settings {
    int showPlaylistAtStart = 1;     // show the playlist window at start
    int enlargePlaylistAtStart = 1;  // open the playlist window enlarged
    int confirmExit = 0;             // ask before exit
    QString standardFolder;          // the standard MP3 folder
    int popupAtTrackChange = 1;      // quick-info popup at each track change
    int keepPopupOpen = 0;           // keep the quick-info popup open
    int volume = 0;                  // volume slider value

    bool operator==(const Settings&) const = default;
};

// The values a read found usable; an absent value leaves its holder as it is.
struct SettingsRead {
    std::optional<int> showPlaylistAtStart;
    std::optional<int> enlargePlaylistAtStart;
    std::optional<int> confirmExit;
    std::optional<QString> standardFolder;
    std::optional<int> popupAtTrackChange;
    std::optional<int> keepPopupOpen;
    std::optional<int> volume;

    bool operator==(const SettingsRead&) const = default;
};

// The volume slider's range, bounds included: a stored volume outside it is not used.
struct VolumeRange {
    int low = 0;
    int high = 32767;
};

// The file's exact bytes: seven lines ended by CR LF.
QByteArray formatSettings(const Settings& settings);

// Each line is read on its own: a missing or bad line reads as nothing and the others as they
// are. Never creates the file; a missing or unreadable file reads as nothing.
SettingsRead readSettings(const QString& path, VolumeRange volumeRange);

QString settingsPath(const QString& programFolder);
