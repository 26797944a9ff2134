#include "player/Volume.h"

#include "player/Form1.h"

void placeVolumeThumb(Form1& form) {
    const double trackLeft = form.controlLeftTwips(*form.lblVol);
    const double track =
        form.controlWidthTwips(*form.lblVol) - form.controlWidthTwips(*form.imgVol);
    const int span = form.setVolume.span();
    const double share =
        span == 0 ? 0.0 : static_cast<double>(form.setVolume.value - form.setVolume.low()) / span;
    form.setControlLeftTwips(*form.imgVol, share * track + trackLeft);
}
