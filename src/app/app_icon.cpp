#include "app/app_icon.h"

#include "zaviro_version.h"

namespace zav {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kApplicationId)),
                     QSize(size, size));
    return icon;
}

} // namespace zav
