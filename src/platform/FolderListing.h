#pragma once

#include <QString>

// folder + "/" + name, without doubling the slash of the root.
QString childPath(const QString& folder, const QString& name);
