#pragma once

// Why the player will not open a file it is handed (on its command line, by a second start or
// by the desktop's media controls).
enum class FileRefusal {
    None,      // a local MP3 file: it is opened
    NotLocal,  // an address of anything but a local file
    Missing,   // no such file
    Folder,    // a folder, not a file
    NotMp3,    // a file, but not an MP3 file
};
