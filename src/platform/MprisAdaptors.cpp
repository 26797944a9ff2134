#include "platform/MprisAdaptors.h"

#include <QDBusError>
#include <QMetaProperty>

#include "platform/MprisService.h"

void MprisPlayerAdaptor::setShuffle(bool on) {
    if (MprisPlayer* player = service_.player()) {
        player->setShuffle(on);
    }
}

void MprisPlayerAdaptor::setLoopStatus(const QString& /*wanted*/) {
    service_.announce({{QStringLiteral("LoopStatus"), loopStatus()}});
}

void MprisPlayerAdaptor::setRate(double wanted) {
    // A rate of 0 asks for a pause, and the rate stays.
    if (wanted == 0.0) {
        service_.drive(&MprisPlayer::pause);
    }
    service_.announce({{QStringLiteral("Rate"), rate()}});
}

QString MprisPlayerAdaptor::refusal(const QString& property, const QVariant& value) {
    if (property == QLatin1String("LoopStatus") && value.toString() != loopStatus()) {
        return QStringLiteral("The playlist always wraps around: LoopStatus stays \"Playlist\"");
    }
    if (property == QLatin1String("Rate") && value.toDouble() != rate() &&
        value.toDouble() != 0.0) {
        return QStringLiteral("Tracks play at the normal rate 1.0 only (0 pauses)");
    }
    return {};
}

void MprisPropertiesAdaptor::refuse(const QDBusMessage& call, QDBusError::ErrorType type,
                                    const QString& why) const {
    call.setDelayedReply(true);  // the error goes in place of the return value
    service_.connection().send(call.createErrorReply(type, why));
}

QList<QDBusAbstractAdaptor*> MprisPropertiesAdaptor::adaptorsOf(const QString& interface,
                                                                const QDBusMessage& call) const {
    QList<QDBusAbstractAdaptor*> found;
    for (QDBusAbstractAdaptor* adaptor :
         service_.findChildren<QDBusAbstractAdaptor*>(Qt::FindDirectChildrenOnly)) {
        const QMetaObject& meta = *adaptor->metaObject();
        const int info = meta.indexOfClassInfo("D-Bus Interface");
        // No interface named: any of them.
        if (adaptor != this && info >= 0 &&
            (interface.isEmpty() || interface == QLatin1String(meta.classInfo(info).value()))) {
            found << adaptor;
        }
    }
    if (found.isEmpty()) {
        refuse(call, QDBusError::UnknownInterface,
               QStringLiteral("No interface %1").arg(interface));
    }
    return found;
}

QMetaProperty MprisPropertiesAdaptor::propertyOf(const QString& interface, const QString& name,
                                                 const QDBusMessage& call,
                                                 QDBusAbstractAdaptor*& adaptor) const {
    const QList<QDBusAbstractAdaptor*> candidates = adaptorsOf(interface, call);
    if (candidates.isEmpty()) {
        return {};
    }
    for (QDBusAbstractAdaptor* candidate : candidates) {
        const QMetaObject& meta = *candidate->metaObject();
        const int index = meta.indexOfProperty(name.toLatin1().constData());
        if (index >= QDBusAbstractAdaptor::staticMetaObject.propertyCount()) {
            adaptor = candidate;
            return meta.property(index);
        }
    }
    refuse(call, QDBusError::UnknownProperty,
           QStringLiteral("No property %1 in %2").arg(name, interface));
    return {};
}

QDBusVariant MprisPropertiesAdaptor::Get(const QString& interface, const QString& name,
                                         const QDBusMessage& call) {
    QDBusAbstractAdaptor* adaptor = nullptr;
    const QMetaProperty property = propertyOf(interface, name, call, adaptor);
    return property.isValid() ? QDBusVariant(property.read(adaptor)) : QDBusVariant();
}

QVariantMap MprisPropertiesAdaptor::GetAll(const QString& interface, const QDBusMessage& call) {
    QVariantMap all;
    for (const QDBusAbstractAdaptor* adaptor : adaptorsOf(interface, call)) {
        const QMetaObject& meta = *adaptor->metaObject();
        for (int i = QDBusAbstractAdaptor::staticMetaObject.propertyCount();
             i < meta.propertyCount(); ++i) {
            all.insert(QString::fromLatin1(meta.property(i).name()),
                       meta.property(i).read(adaptor));
        }
    }
    return all;
}

void MprisPropertiesAdaptor::Set(const QString& interface, const QString& name,
                                 const QDBusVariant& value, const QDBusMessage& call) {
    QDBusAbstractAdaptor* adaptor = nullptr;
    const QMetaProperty property = propertyOf(interface, name, call, adaptor);
    if (!property.isValid()) {
        return;
    }
    const QVariant wanted = value.variant();
    if (!property.isWritable()) {
        refuse(call, QDBusError::PropertyReadOnly, QStringLiteral("%1 is read-only").arg(name));
    } else if (wanted.metaType() != property.metaType()) {
        refuse(call, QDBusError::InvalidArgs,
               QStringLiteral("%1 takes a value of type %2").arg(name, property.typeName()));
    } else if (const QString why = MprisPlayerAdaptor::refusal(name, wanted); !why.isEmpty()) {
        refuse(call, QDBusError::InvalidArgs, why);
    } else {
        property.write(adaptor, wanted);
    }
}
