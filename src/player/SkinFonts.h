#pragma once

#include <QFont>

// The skin's typefaces, each with the free fonts the set-up installs as stand-ins.
namespace skinfonts {

enum class Face { Tahoma, SansSerif, Dungeon };

inline QFont font(Face face, double points, bool bold = false) {
    QFont f;
    switch (face) {
        case Face::Tahoma:
            f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")});
            break;
        case Face::SansSerif:
            f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")});
            break;
        case Face::Dungeon:
            f.setFamilies({QStringLiteral("Dungeon"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans")});
            break;
    }
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace skinfonts
