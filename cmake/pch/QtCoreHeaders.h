// The Qt Core and standard headers nearly every source of the project uses.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>
#include <functional>
#include <memory>
#include <string>
#include <vector>
