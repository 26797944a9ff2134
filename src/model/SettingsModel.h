#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "formats/SettingsFile.h"

// The player's settings while it runs: the five options and the standard folder of the options
// dialog and the volume, which settings.cfg keeps, and the standard folder in use. The options
// dialog edits them; the rest of the program reads them here.
class SettingsModel : public QObject {
    Q_OBJECT
public:
    enum Option {
        ShowPlaylistAtStart,
        EnlargePlaylistAtStart,
        ConfirmExit,
        PopupAtTrackChange,
        KeepPopupOpen,
    };

    // `makeFolder` makes the file's folder, where it is missing, before each write.
    SettingsModel(QString path, std::function<void()> makeFolder);

    const QString& path() const { return path_; }

    bool isOn(Option option) const;
    // Switching off the playlist at start switches off its enlarging, and switching off the
    // popup switches off keeping it open; switching them on again leaves the other as it is.
    void set(Option option, bool on);

    // The standard folder as the options dialog holds it, and settings.cfg keeps it.
    const QString& editedFolder() const { return values_.standardFolder; }
    void setEditedFolder(const QString& folder);
    // The standard folder in use: the folder browser, the folder chooser and "Open" start
    // there. It takes the edited one at start-up and at the options dialog's OK and Apply.
    const QString& standardFolder() const { return standardFolder_; }
    void setStandardFolder(const QString& folder) { standardFolder_ = folder; }

    // The volume slider's value, 0 to volumeSpan(); the mixer's speakers get twice it.
    int volume() const { return values_.volume; }
    void setVolume(int value);
    // The slider's length in value steps, as the mixer's range gives it. A shorter one holds
    // the value at its end.
    int volumeSpan() const { return volumeSpan_; }
    void setVolumeSpan(int span);
    // A volume has been read, set or taken from the mixer since the start.
    bool volumeSet() const { return volumeSet_; }

    // Each usable line of settings.cfg replaces its value, one after the other in file order,
    // so the ties between the options work as they would for the user's clicks. A line that
    // cannot be used keeps its value; a missing file changes nothing.
    void reread();
    // Rewrites settings.cfg with every value; false, the old file kept whole, when it cannot.
    bool save() const;

signals:
    // An option or the edited folder changed.
    void optionsChanged();
    void volumeChanged();

private:
    QString path_;
    std::function<void()> makeFolder_;
    Settings values_;
    QString standardFolder_;
    int volumeSpan_ = 32767;
    bool volumeSet_ = false;
};
