#include "platform/qt_settings.h"

#include <QSettings>
#include <QString>

namespace quillset::platform {

namespace {

QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString KeyPath(std::string_view section, std::string_view key) {
    return Latin1(section) + QLatin1Char('/') + Latin1(key);
}

}  // namespace

std::string QtSettingsStore::Read(std::string_view section, std::string_view key,
                                  std::string_view fallback) {
    QSettings settings(QStringLiteral("Quillset"), QStringLiteral("Quillset"));
    const QVariant value = settings.value(KeyPath(section, key));
    if (!value.isValid()) return std::string(fallback);
    const QByteArray bytes = value.toString().toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QtSettingsStore::Save(std::string_view section, std::string_view key, std::string_view value) {
    QSettings settings(QStringLiteral("Quillset"), QStringLiteral("Quillset"));
    settings.setValue(KeyPath(section, key), Latin1(value));
    settings.sync();
}

}  // namespace quillset::platform
