#pragma once

#include <QFont>
#include <QStringList>

// The skin's typefaces. Its transport symbols are drawn, so no symbol font is needed.
namespace skinfonts {

enum class Face { Tahoma, SansSerif, Dungeon };

// All three faces are drawn with one free stand-in, named first: asking for a family that is
// not installed costs every start a round of substitution.
inline QFont font(Face /*face*/, double points, bool bold = false) {
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

}  // namespace skinfonts
