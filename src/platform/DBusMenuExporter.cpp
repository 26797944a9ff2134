#include "platform/DBusMenuExporter.h"

#include <QActionGroup>
#include <QEvent>

namespace {

// Qt marks the access key with '&' ("&&" for the sign itself), the menu protocol with '_'.
QString withAccessKeyMark(const QString& text) {
    QString label;
    label.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == QLatin1Char('&')) {
            if (++i == text.size()) {
                break;  // a last '&' marks nothing
            }
            c = text.at(i);
            if (c != QLatin1Char('&')) {
                label += QLatin1Char('_');
            }
        }
        label += c == QLatin1Char('_') ? QStringLiteral("__") : QString(c);
    }
    return label;
}

QVariantMap only(const QVariantMap& all, const QStringList& names) {
    if (names.isEmpty()) {
        return all;
    }
    QVariantMap some;
    for (const QString& name : names) {
        if (all.contains(name)) {
            some.insert(name, all.value(name));
        }
    }
    return some;
}

}  // namespace

DBusMenuExporter::DBusMenuExporter(QMenu& menu, QObject* parent) : QObject(parent), menu_(&menu) {
    registerDBusTrayTypes();
    // A burst of changes (a volume step renames the sub-menu and more) is one update.
    changed_.setSingleShot(true);
    changed_.setInterval(0);
    connect(&changed_, &QTimer::timeout, this, [this] {
        if (menu_) {
            learn(*menu_);
        }
        emit LayoutUpdated(++revision_, kRootId);
    });
    learn(menu);
}

void DBusMenuExporter::learn(QMenu& menu) {
    menu.removeEventFilter(this);
    menu.installEventFilter(this);
    for (QAction* action : menu.actions()) {
        if (!ids_.contains(action)) {
            ids_.insert(action, nextId_);
            items_.insert(nextId_, action);
            ++nextId_;
        }
        if (QMenu* sub = action->menu()) {
            learn(*sub);
        }
    }
}

bool DBusMenuExporter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ActionAdded:
        case QEvent::ActionChanged:
        case QEvent::ActionRemoved:
            changed_.start();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

int DBusMenuExporter::idOf(const QAction* item) const {
    return ids_.value(item, -1);
}

QList<QAction*> DBusMenuExporter::childrenOf(int id) const {
    if (id == kRootId) {
        return menu_ ? menu_->actions() : QList<QAction*>{};
    }
    const QAction* item = items_.value(id);
    return item != nullptr && item->menu() != nullptr ? item->menu()->actions() : QList<QAction*>{};
}

QVariantMap DBusMenuExporter::propertiesOf(int id, const QStringList& names) const {
    QVariantMap all;
    if (id == kRootId) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        return only(all, names);
    }
    const QAction* item = items_.value(id);
    if (item == nullptr) {
        return {};
    }
    all.insert(QStringLiteral("visible"), item->isVisible());
    if (item->isSeparator()) {
        all.insert(QStringLiteral("type"), QStringLiteral("separator"));
        return only(all, names);
    }
    all.insert(QStringLiteral("label"), withAccessKeyMark(item->text()));
    all.insert(QStringLiteral("enabled"), item->isEnabled());
    if (item->isCheckable()) {
        const bool exclusive = item->actionGroup() != nullptr && item->actionGroup()->isExclusive();
        all.insert(QStringLiteral("toggle-type"),
                   exclusive ? QStringLiteral("radio") : QStringLiteral("checkmark"));
        all.insert(QStringLiteral("toggle-state"), item->isChecked() ? 1 : 0);
    }
    if (item->menu() != nullptr) {
        all.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
    }
    return only(all, names);
}

DBusMenuLayout DBusMenuExporter::layoutOf(int id, int depth, const QStringList& names) const {
    DBusMenuLayout layout{id, propertiesOf(id, names), {}};
    if (depth == 0) {
        return layout;
    }
    for (const QAction* child : childrenOf(id)) {
        layout.children.append(layoutOf(idOf(child), depth < 0 ? depth : depth - 1, names));
    }
    return layout;
}

uint DBusMenuExporter::GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                                 DBusMenuLayout& layout) {
    layout = layoutOf(parentId, recursionDepth, propertyNames);
    return revision_;
}

DBusMenuItemList DBusMenuExporter::GetGroupProperties(const QList<int>& ids,
                                                      const QStringList& propertyNames) {
    DBusMenuItemList items;
    const QList<int> wanted = ids.isEmpty() ? items_.keys() : ids;
    for (const int id : wanted) {
        if (knows(id)) {
            items.append({id, propertiesOf(id, propertyNames)});
        }
    }
    return items;
}

QDBusVariant DBusMenuExporter::GetProperty(int id, const QString& name) {
    return QDBusVariant(propertiesOf(id, {name}).value(name));
}

void DBusMenuExporter::Event(int id, const QString& eventId, const QDBusVariant& /*data*/,
                             uint /*timestamp*/) {
    QAction* item = items_.value(id);
    if (eventId == QLatin1String("clicked") && item != nullptr && item->menu() == nullptr &&
        !item->isSeparator() && item->isEnabled()) {
        // After the reply: the item may ask a question, which waits for the user.
        QTimer::singleShot(0, this, [chosen = QPointer<QAction>(item)] {
            if (chosen && chosen->isEnabled()) {
                chosen->trigger();
            }
        });
    }
}

QList<int> DBusMenuExporter::EventGroup(const DBusMenuEventList& events) {
    QList<int> idErrors;
    for (const DBusMenuEvent& event : events) {
        if (knows(event.id)) {
            Event(event.id, event.eventId, event.data, event.timestamp);
        } else {
            idErrors.append(event.id);
        }
    }
    return idErrors;
}

bool DBusMenuExporter::AboutToShow(int /*id*/) {
    return false;  // the exported menu is always current
}

QList<int> DBusMenuExporter::AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors) {
    idErrors.clear();
    for (const int id : ids) {
        if (!knows(id)) {
            idErrors.append(id);
        }
    }
    return {};
}
