#include "model/SettingsModel.h"

#include <array>
#include <optional>
#include <utility>

#include "util/AtomicFile.h"

namespace {

int Settings::*field(SettingsModel::Option option) {
    static constexpr std::array<int Settings::*, 5> kFields{
        &Settings::showPlaylistAtStart, &Settings::enlargePlaylistAtStart, &Settings::confirmExit,
        &Settings::popupAtTrackChange, &Settings::keepPopupOpen};
    return kFields.at(option);
}

}  // namespace

SettingsModel::SettingsModel(QString path, std::function<void()> makeFolder)
    : path_(std::move(path)), makeFolder_(std::move(makeFolder)) {}

bool SettingsModel::isOn(Option option) const {
    return values_.*field(option) == 1;
}

void SettingsModel::set(Option option, bool on) {
    if (isOn(option) == on) {
        return;
    }
    values_.*field(option) = on ? 1 : 0;
    if (!on && option == ShowPlaylistAtStart) {
        values_.enlargePlaylistAtStart = 0;
    }
    if (!on && option == PopupAtTrackChange) {
        values_.keepPopupOpen = 0;
    }
    emit optionsChanged();
}

void SettingsModel::setEditedFolder(const QString& folder) {
    if (folder != values_.standardFolder) {
        values_.standardFolder = folder;
        emit optionsChanged();
    }
}

void SettingsModel::setVolume(int value) {
    volumeSet_ = true;
    if (value != values_.volume) {
        values_.volume = value;
        emit volumeChanged();
    }
}

void SettingsModel::setVolumeSpan(int span) {
    volumeSpan_ = span;
    if (values_.volume > span) {
        setVolume(span);
    }
}

void SettingsModel::reread() {
    const SettingsRead read = readSettings(path_, VolumeRange{0, volumeSpan_});
    const std::array<std::pair<Option, std::optional<int>>, 5> options{{
        {ShowPlaylistAtStart, read.showPlaylistAtStart},
        {EnlargePlaylistAtStart, read.enlargePlaylistAtStart},
        {ConfirmExit, read.confirmExit},
        {PopupAtTrackChange, read.popupAtTrackChange},
        {KeepPopupOpen, read.keepPopupOpen},
    }};
    for (const auto& [option, value] : options) {
        if (value) {
            set(option, *value == 1);
        }
    }
    if (read.standardFolder) {
        setEditedFolder(*read.standardFolder);
    }
    if (read.volume) {
        setVolume(*read.volume);
    }
}

bool SettingsModel::save() const {
    makeFolder_();
    return writeFileAtomically(path_, formatSettings(values_));
}
