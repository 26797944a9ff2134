#include "model/PlayerActions.h"

PlayerActions::PlayerActions() {
    for (QAction* waiting : {&play, &togglePause, &stop, &pause, &resume, &hidePlaylist}) {
        waiting->setEnabled(false);
    }
    // Check marks, not the round marks of a choice: the model decides which is checked.
    order.setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (QAction* item : {&normalOrder, &shuffleOrder}) {
        item->setCheckable(true);
        order.addAction(item);
    }
    normalOrder.setChecked(true);
}
