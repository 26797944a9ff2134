#pragma once

// A thumb that slides along a track, in twips: the notch on the position bar, the thumb on the
// volume track.
struct SlideGeometry {
    double trackLeft = 0;
    double trackWidth = 0;
    double thumbWidth = 0;

    // How far the thumb's left edge can travel.
    double travel() const { return trackWidth - thumbWidth; }
    double rightStop() const { return trackLeft + travel(); }
    // A thumb's left edge held between the two stops; the right stop is compared as the
    // single-precision value the window keeps.
    double clamp(double left) const {
        if (left < trackLeft) {
            left = trackLeft;
        }
        if (static_cast<float>(rightStop()) < left) {
            left = rightStop();
        }
        return left;
    }
};
