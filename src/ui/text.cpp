#include "ui/text.h"

#include <QStringDecoder>

namespace quillset::ui {

QString FromBytes(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The core's names are UTF-8 on every system (the platform layer widens them
// on Windows), not the 8-bit code page QFile::encodeName uses there.
QString FromPath(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

std::string ToPath(const QString& path) {
    const QByteArray bytes = path.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromMessage(std::string_view message) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(QByteArrayView(message.data(), static_cast<qsizetype>(message.size())));
    if (decoder.hasError()) return FromBytes(message);
    return text;
}

}  // namespace quillset::ui
